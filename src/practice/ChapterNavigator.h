#pragma once

#include "QuestionLists.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::store {
class DataModule;
}

namespace tessaro::practice {

/// One syllabus row as the navigator lists it.
struct ChapterRow {
    std::string C1;   ///< code; its length is the level
    std::string C1_1; ///< heading shown in the practice window
    std::string C2;   ///< name
    long long C3 = 0, C4 = 0, D1 = 0, D2 = 0;
    std::string C6; ///< score text
    int level() const;
};

/// The chapter navigator without its window: the syllabus rows in order, the totals, the
/// selected row and the chapter last used, and the question list a command starts.
class ChapterNavigator {
public:
    explicit ChapterNavigator(store::DataModule& module) : m_module(module) {}

    /// Reloads the rows and the totals and stands on the remembered chapter again (the first
    /// row when there is none). Run every time the window shows.
    void refresh();

    const std::vector<ChapterRow>& rows() const { return m_rows; }
    const NavigatorTotals& totals() const { return m_totals; }
    /// The score text: kept from the last time there was one while nothing was answered.
    const std::string& scoreText() const { return m_score; }

    int current() const { return m_current; }
    /// Moves to a row; CurrentChapter follows it. Returns whether it has study guidance.
    bool setCurrent(int index);
    bool currentHasGuidance() const { return m_guidance; }
    /// The current chapter's study guidance as stored (rich text), or nothing.
    std::optional<std::vector<std::uint8_t>> currentGuidance() const;
    const std::string& RememberedChapter() const { return m_remembered; }

    enum class Start { NoRow, NeedChapter, Ready };
    /// Prepares a practice run from the current row: remembers its code and, for a chapter,
    /// puts the list's SQL and values into the shared values.
    Start startPractice(PracticeMode mode);

private:
    store::DataModule& m_module;
    std::vector<ChapterRow> m_rows;
    NavigatorTotals m_totals;
    std::string m_score = "分数";
    std::string m_remembered;
    int m_current = -1;
    bool m_guidance = false;
};

} // namespace tessaro::practice
