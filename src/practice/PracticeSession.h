#pragma once

#include "AnswerCodec.h"
#include "AnswerRecorder.h"
#include "QuestionRow.h"
#include "store/Clock.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::store {
class DataModule;
}

namespace tessaro::practice {

/// A message the window shows through its message dialog.
struct Notice {
    std::string title;
    std::string text;
    int buttons = 1;
    int page = 1;
    std::string mode = "NO";
};

/// A question-type button: tag 0 for all types, else the type code.
struct TypeButton {
    int tag = 0;
    std::string caption;
    bool enabled = true;
};

/// A question-number button of the shown group and the faces it wears.
struct NumberButton {
    bool enabled = false;
    int tag = 0; ///< record number of its question, 0 when it stands for none
    Verdict up = Verdict::Unanswered;
    Verdict down = Verdict::Unanswered;
};

/// The rich text of the question on screen and of its group's stem.
struct QuestionContent {
    std::string id;
    std::vector<std::uint8_t> text;              ///< A15 of the question ('' without a row)
    std::optional<std::vector<std::uint8_t>> jx; ///< explanation, nothing when NULL
    bool grouped = false;                        ///< the id names a group ("-")
    std::vector<std::uint8_t> heading;           ///< the group's stem, '' when missing
    bool failed = false;                         ///< the content could not be read
};

enum class MarkMode { Leaving, Checking, Silent };
enum class GroupMove { First, Previous, Next };

/// One practice run over a question list, without its window: the type filter, the groups of
/// 20 numbered questions, the question on screen and its answer page, recording and checking,
/// the time gauge and the stopwatch. Record numbers count from 1 in the filtered list. The
/// window draws what this holds and forwards the learner's actions to it.
class PracticeSession {
public:
    static constexpr int kGroupSize = 20;
    static constexpr int kGaugeSteps = 100;
    static constexpr const char* kVoidCaption = "题目作废";
    static constexpr const char* kUnvoidCaption = "取消作废";

    explicit PracticeSession(store::DataModule& module);

    /// Where messages go; the window shows them modally.
    std::function<void(const Notice&)> notify;

    /// Clears every question's answer of the previous run, loads the list named by the shared
    /// values QuestionListSql/QuestionListParams and builds the type buttons. False when the
    /// list is empty.
    bool LoadQuestionList();
    /// The window shows: all types, group 1, its first question; the stopwatch starts.
    void start();
    /// The window closes (in any way): records the question on screen and adds the run's time
    /// to today's log. Runs once; later calls do nothing.
    void close();
    bool closed() const { return m_closed; }

    // Types.
    const std::vector<TypeButton>& typeButtons() const { return m_types; }
    int selectedType() const { return m_selectedType; }
    void selectType(int index);
    const std::string& typeLabel() const { return m_typeLabel; }

    // Groups and numbers.
    void SetupGroup(GroupMove move, int total);
    void pressNumber(int index);
    const std::array<NumberButton, kGroupSize>& numberButtons() const { return m_numbers; }
    int selectedNumber() const { return m_selectedNumber; }
    int groups() const { return m_groups; }
    int total() const { return m_total; }
    int groupNo() const { return m_groupNo; }
    int groupFirst() const { return m_groupFirst; }
    int groupCount() const { return m_groupCount; }
    bool previousGroupEnabled() const { return m_previousGroupEnabled; }
    bool nextGroupEnabled() const { return m_nextGroupEnabled; }

    // Moving.
    void ShowQuestion(int previous, int target);
    void previousQuestion();
    void nextQuestion();
    void previousGroup();
    void nextGroup();
    bool previousEnabled() const { return m_previousEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }

    // The question on screen.
    int current() const { return m_current; }
    int listSize() const { return static_cast<int>(m_filtered.size()); }
    const QuestionRow* currentRow() const;
    const QuestionRow& rowAt(int record) const;
    const QuestionContent& content() const { return m_content; }
    const std::string& positionText() const { return m_position; }     ///< Label12
    const std::string& occurrenceText() const { return m_occurrence; } ///< Label15
    const std::string& statusLine() const { return m_status; }         ///< Label21
    const std::string& editedLine() const { return m_edited; }         ///< Label24

    // The answer page.
    int page() const { return m_page; }
    const PageState& pageState() const { return m_state; }
    void setPageState(const PageState& state) { m_state = state; }
    void pressOption(int index);
    void setFillText(const std::string& text) { m_state.text = text; }
    void setChoice(int choice) { m_state.choice = choice; }
    /// Applies a key; returns what it did.
    KeyAction handleKey(char key);

    // Commands.
    void MarkAnswer(int record, MarkMode mode);
    void check(); ///< "完成"
    bool answerEnabled() const { return m_answerEnabled; }
    bool explanationEnabled() const { return m_explanationEnabled; }
    bool pointsEnabled() const { return m_pointsEnabled; }
    const std::string& noteCaption() const { return m_noteCaption; }
    const std::string& voidCaption() const { return m_voidCaption; }
    void toggleVoid();
    /// Stores the note of the question on screen; NoteHasContent and the caption follow it.
    void saveNote(const std::string& text);
    /// "答案": the comparison to show; the panel counts as open afterwards.
    Comparison openComparison();
    void closePanel() { m_panelOpen = false; }
    bool panelOpen() const { return m_panelOpen; }

    // Time.
    int gauge() const;
    int gaugeInterval() const { return m_interval; }
    bool gaugeRunning() const { return m_gaugeOn; }
    /// Called by the window's timer: when the question's time is up, stops the gauge, says so
    /// and marks the question (CSBS = "Y"). The question can still be answered.
    void pollGauge();
    std::string stopwatchText() const;

private:
    QuestionRow& mutableRow(int record);
    void applyFilter(int typeCode);
    void loadContent(const std::string& id);
    void restoreCommands(const QuestionRow& row);
    void showVoidState(const QuestionRow& row);
    int buttonIndexOf(int record) const { return record - m_groupFirst; }
    void say(const std::string& title, const std::string& text, int page);

    store::DataModule& m_module;
    AnswerRecorder m_recorder;
    std::vector<QuestionRow> m_rows;
    std::vector<int> m_filtered;
    int m_filterType = -1;

    std::vector<TypeButton> m_types;
    int m_selectedType = -1;
    std::string m_typeLabel = "主\n观";

    std::array<NumberButton, kGroupSize> m_numbers{};
    int m_selectedNumber = -1;
    int m_groups = 0, m_total = 0, m_groupNo = 0, m_groupFirst = 1, m_groupCount = 0;
    bool m_previousGroupEnabled = false, m_nextGroupEnabled = false;
    bool m_previousEnabled = false, m_nextEnabled = false;

    int m_current = 0;
    QuestionContent m_content;
    std::string m_position, m_occurrence, m_status, m_edited;

    int m_page = kSelfAssessed;
    PageState m_state;

    bool m_answerEnabled = false, m_explanationEnabled = false, m_pointsEnabled = false;
    bool m_panelOpen = false;
    std::string m_noteCaption = "笔记";
    std::string m_voidCaption = kVoidCaption;

    int m_interval = 600;
    bool m_gaugeOn = false;
    int m_gaugeFrozen = 0;
    store::Clock::TimePoint m_gaugeStart{};
    store::Clock::TimePoint m_started{};
    bool m_closed = false;
};

} // namespace tessaro::practice
