#include "AnswerCodec.h"

#include <algorithm>

namespace tessaro::practice {

namespace {

constexpr const char* kLetters[kMaxOptions] = {"A", "B", "C", "D", "E", "F"};

bool isChoicePage(int page) {
    return page == kMultiple || page == kMatching;
}

std::string downLetters(const PageState& state, bool firstOnly) {
    std::string letters;
    for (int i = 0; i < kMaxOptions; ++i) {
        if (state.visible[i] && state.down[i]) {
            letters += kLetters[i];
            if (firstOnly)
                break;
        }
    }
    return letters;
}

std::string trueFalseText(const std::string& code) {
    if (code == "A")
        return "对";
    if (code == "B")
        return "错";
    return code;
}

} // namespace

bool isSelfAssessed(int typeCode) {
    return typeCode >= 71 && typeCode <= 74;
}

std::string CaptureAnswer(int page, const PageState& state) {
    switch (page) {
    case kSingle:
        return downLetters(state, true);
    case kMultiple:
    case kMatching:
        return downLetters(state, false);
    case kFillIn:
        return trimBlanks(state.text);
    case kTrueFalse:
        if (state.visible[0] && state.down[0])
            return "A";
        if (state.visible[1] && state.down[1])
            return "B";
        return {};
    case kSelfAssessed:
        return state.choice < 0 ? std::string() : std::to_string(state.choice);
    default:
        return {};
    }
}

PageState RestoreAnswer(int page, int optionCount, const std::string& answer) {
    PageState state;
    const int n = std::clamp(optionCount, 0, kMaxOptions);
    switch (page) {
    case kSingle:
        for (int i = 0; i < n; ++i) {
            state.visible[i] = true;
            state.down[i] = answer == kLetters[i];
        }
        break;
    case kMultiple:
    case kMatching:
        for (int i = 0; i < n; ++i) {
            state.visible[i] = true;
            state.down[i] = answer.find(kLetters[i][0]) != std::string::npos;
        }
        break;
    case kFillIn:
        state.text = answer;
        break;
    case kTrueFalse:
        state.visible[0] = state.visible[1] = true;
        state.down[0] = answer == "A";
        state.down[1] = answer == "B";
        break;
    case kSelfAssessed:
        state.choice = answer == "0" ? 0 : answer == "1" ? 1 : -1;
        break;
    default:
        break;
    }
    return state;
}

bool isRight(const std::string& answer, const std::string& key) {
    return !answer.empty() && answer == key;
}

void pressOption(int page, PageState& state, int index) {
    if (index < 0 || index >= kMaxOptions)
        return;
    if (isChoicePage(page)) {
        state.down[index] = !state.down[index];
        return;
    }
    if (page == kSingle || page == kTrueFalse)
        for (int i = 0; i < kMaxOptions; ++i)
            state.down[i] = i == index;
}

Verdict verdictOf(const std::string& runAnswer, const std::string& key) {
    if (runAnswer.empty())
        return Verdict::Unanswered;
    return isRight(runAnswer, key) ? Verdict::Right : Verdict::Wrong;
}

const char* upFace(Verdict verdict) {
    switch (verdict) {
    case Verdict::Right:
        return "pic/vrelyes.bmp";
    case Verdict::Wrong:
        return "pic/vrelno.bmp";
    default:
        return "pic/vrelup.bmp";
    }
}

const char* downFace(Verdict verdict) {
    switch (verdict) {
    case Verdict::Right:
        return "pic/vreldw_r.bmp";
    case Verdict::Wrong:
        return "pic/vreldw_w.bmp";
    default:
        return "pic/vreldw.bmp";
    }
}

const char* hintFor(int page) {
    switch (page) {
    case kSingle:
        return "选择一个选项作为正确答案";
    case kMultiple:
        return "选择两个或者多个选项作为正确答案";
    case kFillIn:
        return "填写正确答案，答案间用“,”隔开";
    case kTrueFalse:
        return "根据判断选择“正确”或者“错误”";
    case kSelfAssessed:
        return "根据自己实际情况选择“会”或者“不会”";
    case kMatching:
        return "选择若干个选项作为正确答案";
    default:
        return "";
    }
}

const char* pageCaption(int page) {
    static constexpr const char* kCaptions[kPageCount] = {"单选", "多选", "填空",
                                                          "判断", "主观", "配伍"};
    return page >= 0 && page < kPageCount ? kCaptions[page] : "";
}

std::string pageSideLabel(int page) {
    if (page == kMatching)
        return "不\n定\n项";
    const std::string caption = pageCaption(page);
    // Two CJK characters of three bytes each, one above the other.
    return caption.size() == 6 ? caption.substr(0, 3) + "\n" + caption.substr(3) : caption;
}

KeyRule keyRule(int page, char key, bool previousEnabled, bool nextEnabled) {
    if (page != kSingle && page != kMultiple)
        return {};
    if (key == kBackspaceKey)
        return previousEnabled ? KeyRule{KeyAction::Previous} : KeyRule{};
    if (key == kEnterKey || key == '\n')
        return nextEnabled ? KeyRule{KeyAction::Next} : KeyRule{};
    const char upper = key >= 'a' && key <= 'f' ? static_cast<char>(key - 'a' + 'A') : key;
    if (upper >= 'A' && upper <= 'F')
        return KeyRule{KeyAction::Option, upper - 'A'};
    return {};
}

Comparison compareAnswer(int page, const PageState& state, const std::string& key) {
    Comparison comparison;
    switch (page) {
    case kSingle:
        comparison.yours = downLetters(state, true);
        comparison.correct = key;
        break;
    case kMultiple:
    case kMatching:
        comparison.yours = downLetters(state, false);
        comparison.correct = key;
        break;
    case kTrueFalse:
        comparison.yours = trueFalseText(CaptureAnswer(page, state));
        comparison.correct = trueFalseText(key);
        break;
    default:
        comparison.correct = key;
        break;
    }
    // The verdict follows the marking rule, also on the pages that show no answer of their own.
    comparison.tip = isRight(CaptureAnswer(page, state), key) ? "恭喜你，做对了！"
                                                              : "很遗憾，做错了，请继续努力！";
    return comparison;
}

std::vector<int> panelSteps(int currentWidth, int fullWidth, bool opening) {
    std::vector<int> widths;
    int width = currentWidth;
    for (int step = 20; opening ? width < fullWidth : width > 0; step += 20) {
        width = opening ? std::min(fullWidth, width + step) : std::max(0, width - step);
        widths.push_back(width);
    }
    return widths;
}

} // namespace tessaro::practice
