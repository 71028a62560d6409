#pragma once

#include "store/Text.h"

#include <array>
#include <string>
#include <vector>

namespace tessaro::practice {

/// The six answer pages, in the notebook's order.
enum AnswerPage {
    kSingle = 0,
    kMultiple = 1,
    kFillIn = 2,
    kTrueFalse = 3,
    kSelfAssessed = 4,
    kMatching = 5
};
inline constexpr int kPageCount = 6;
inline constexpr int kMaxOptions = 6;

/// What the controls of one answer page show, without the controls: the window copies it to its
/// widgets and back. Options are A..F; on the true/false page option 0 is 对 and 1 is 错.
struct PageState {
    std::array<bool, kMaxOptions> visible{};
    std::array<bool, kMaxOptions> down{};
    std::string text; ///< fill-in edit
    int choice = -1;  ///< self-assessed list: -1 nothing, 0 "不会", 1 "会"

    bool operator==(const PageState&) const = default;
};

/// The answer string a page's state encodes: the down visible option on the single-choice
/// page, all down visible options in A..F order on the multiple-choice and matching pages, the
/// trimmed text of the fill-in page, "A"/"B" for 对/错, "0"/"1" for 不会/会; '' for none.
std::string CaptureAnswer(int page, const PageState& state);

/// The page state that shows a stored answer for a question offering optionCount options.
PageState RestoreAnswer(int page, int optionCount, const std::string& answer);

/// Right exactly when the answer equals the key character for character; an empty answer is
/// not answered and never right.
bool isRight(const std::string& answer, const std::string& key);

using store::isBlank;
using store::trimBlanks;

/// Types the learner grades himself (71..74): no comparison panel for them.
bool isSelfAssessed(int typeCode);

/// A click on option index of a page: radio behaviour on the single-choice and true/false
/// pages, toggling on the multiple-choice and matching pages.
void pressOption(int page, PageState& state, int index);

/// How a question stands in this run, which picks its number-button faces.
enum class Verdict { Unanswered, Right, Wrong };
Verdict verdictOf(const std::string& runAnswer, const std::string& key);

/// The face pictures of a number button, below AppDir.
const char* upFace(Verdict verdict);
const char* downFace(Verdict verdict);

/// The tooltip of the answer area on a page.
const char* hintFor(int page);

/// The notebook page's caption ("单选" ...) and its vertical side label ("单\n选" ...).
const char* pageCaption(int page);
std::string pageSideLabel(int page);

/// What a key does on the question view.
enum class KeyAction { None, Previous, Next, Option };
struct KeyRule {
    KeyAction action = KeyAction::None;
    int option = -1; ///< 0..5 for A..F
};
/// Keys act only on the single- and multiple-choice pages: Backspace and Enter move to the
/// previous and next question when those commands are enabled, A..F press an option.
KeyRule keyRule(int page, char key, bool previousEnabled, bool nextEnabled);
inline constexpr char kBackspaceKey = '\b';
inline constexpr char kEnterKey = '\r';

/// The comparison shown in the answer panel.
struct Comparison {
    std::string tip;     ///< verdict line
    std::string yours;   ///< the learner's choice as shown ('' on the fill-in and self pages)
    std::string correct; ///< the key as shown (对/错 on the true/false page)
};
Comparison compareAnswer(int page, const PageState& state, const std::string& key);

/// The widths the answer panel passes through when it slides open (towards full) or shut
/// (towards 0): each step moves 20 pixels more than the last.
std::vector<int> panelSteps(int currentWidth, int fullWidth, bool opening);

} // namespace tessaro::practice
