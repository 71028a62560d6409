#include "practice/AnswerCodec.h"

#include <gtest/gtest.h>

namespace tessaro::practice {
namespace {

/// A page as the learner leaves it: options offered, options pressed in order, text, choice.
struct CaptureCase {
    const char* name;
    int page;
    int options;
    std::vector<int> pressed;
    std::string text;
    int choice;
    std::string answer;
};

class CaptureTest : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(CaptureTest, PageStateEncodesTheAnswer) {
    const CaptureCase& c = GetParam();
    PageState state = RestoreAnswer(c.page, c.options, "");
    for (int option : c.pressed)
        pressOption(c.page, state, option);
    state.text = c.text;
    if (c.choice >= 0)
        state.choice = c.choice;
    EXPECT_EQ(CaptureAnswer(c.page, state), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CaptureTest,
    ::testing::Values(CaptureCase{"SingleLastPressWins", kSingle, 4, {0, 2}, "", -1, "C"},
                      CaptureCase{"SingleNothing", kSingle, 4, {}, "", -1, ""},
                      CaptureCase{"SingleHiddenOptionGivesNothing", kSingle, 2, {0, 3}, "", -1, ""},
                      CaptureCase{"MultipleInLetterOrder", kMultiple, 4, {2, 0}, "", -1, "AC"},
                      CaptureCase{"MultipleToggledOff", kMultiple, 4, {2, 0, 2}, "", -1, "A"},
                      CaptureCase{"MatchingLikeMultiple", kMatching, 6, {5, 1, 3}, "", -1, "BDF"},
                      CaptureCase{"FillInTrimmed", kFillIn, 0, {}, "  x ", -1, "x"},
                      CaptureCase{"FillInBlank", kFillIn, 0, {}, "   ", -1, ""},
                      CaptureCase{"TrueIsA", kTrueFalse, 0, {0}, "", -1, "A"},
                      CaptureCase{"FalseIsB", kTrueFalse, 0, {0, 1}, "", -1, "B"},
                      CaptureCase{"SelfNotChosen", kSelfAssessed, 0, {}, "", -1, ""},
                      CaptureCase{"SelfDontKnow", kSelfAssessed, 0, {}, "", 0, "0"},
                      CaptureCase{"SelfKnow", kSelfAssessed, 0, {}, "", 1, "1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RestoreCase {
    const char* name;
    int page;
    int options;
    std::string stored;
    std::string captured; // what the restored page gives back
    int visible;
};

class RestoreTest : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreTest, StoredAnswerComesBackAsItWasGiven) {
    const RestoreCase& c = GetParam();
    const PageState state = RestoreAnswer(c.page, c.options, c.stored);
    EXPECT_EQ(CaptureAnswer(c.page, state), c.captured);
    int visible = 0;
    for (bool v : state.visible)
        visible += v;
    EXPECT_EQ(visible, c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, RestoreTest,
    ::testing::Values(RestoreCase{"Single", kSingle, 4, "B", "B", 4},
                      RestoreCase{"SingleBeyondOptions", kSingle, 2, "C", "", 2},
                      RestoreCase{"Multiple", kMultiple, 5, "ACE", "ACE", 5},
                      RestoreCase{"MultipleUnordered", kMultiple, 5, "CA", "AC", 5},
                      RestoreCase{"MultipleSixOptionsCapped", kMultiple, 9, "F", "F", 6},
                      RestoreCase{"FillIn", kFillIn, 0, "x,y", "x,y", 0},
                      RestoreCase{"TrueFalse", kTrueFalse, 0, "B", "B", 2},
                      RestoreCase{"TrueFalseOther", kTrueFalse, 0, "C", "", 2},
                      RestoreCase{"Self", kSelfAssessed, 0, "1", "1", 0},
                      RestoreCase{"SelfGarbage", kSelfAssessed, 0, "7", "", 0},
                      RestoreCase{"Matching", kMatching, 3, "AB", "AB", 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MarkingRule, ExactEqualityOnly) {
    EXPECT_TRUE(isRight("AC", "AC"));
    EXPECT_FALSE(isRight("AC", "CA")) << "a multiple answer is always captured in A..F order";
    EXPECT_FALSE(isRight("x", "x ")) << "the key is not trimmed";
    EXPECT_FALSE(isRight("ac", "AC"));
    EXPECT_FALSE(isRight("", "")) << "an empty answer is never marked";
    EXPECT_EQ(verdictOf("", "A"), Verdict::Unanswered);
    EXPECT_EQ(verdictOf("A", "A"), Verdict::Right);
    EXPECT_EQ(verdictOf("B", "A"), Verdict::Wrong);
    EXPECT_STREQ(upFace(Verdict::Wrong), "pic/vrelno.bmp");
    EXPECT_STREQ(downFace(Verdict::Right), "pic/vreldw_r.bmp");
    EXPECT_STREQ(downFace(Verdict::Unanswered), "pic/vreldw.bmp");
}

TEST(CaCannotMatch, NoWayToEnterAnUnorderedKey) {
    for (int mask = 1; mask < 64; ++mask) {
        PageState state = RestoreAnswer(kMultiple, 6, "");
        for (int i = 5; i >= 0; --i)
            if (mask & (1 << i))
                pressOption(kMultiple, state, i);
        EXPECT_NE(CaptureAnswer(kMultiple, state), "CA");
    }
}

struct KeyCase {
    const char* name;
    int page;
    char key;
    bool previous, next;
    KeyAction action;
    int option;
};

class KeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTest, KeysActOnChoicePagesOnly) {
    const KeyCase& c = GetParam();
    const KeyRule rule = keyRule(c.page, c.key, c.previous, c.next);
    EXPECT_EQ(rule.action, c.action);
    if (c.action == KeyAction::Option)
        EXPECT_EQ(rule.option, c.option);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    ::testing::Values(
        KeyCase{"BackspacePrevious", kSingle, kBackspaceKey, true, true, KeyAction::Previous, -1},
        KeyCase{"BackspaceDisabled", kSingle, kBackspaceKey, false, true, KeyAction::None, -1},
        KeyCase{"EnterNext", kMultiple, kEnterKey, true, true, KeyAction::Next, -1},
        KeyCase{"EnterDisabled", kMultiple, kEnterKey, true, false, KeyAction::None, -1},
        KeyCase{"LetterD", kSingle, 'D', true, true, KeyAction::Option, 3},
        KeyCase{"LowerF", kMultiple, 'f', true, true, KeyAction::Option, 5},
        KeyCase{"LetterG", kSingle, 'G', true, true, KeyAction::None, -1},
        KeyCase{"SelfPageIgnoresKeys", kSelfAssessed, kEnterKey, true, true, KeyAction::None, -1},
        KeyCase{"FillInIgnoresLetters", kFillIn, 'A', true, true, KeyAction::None, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Comparison, ShowsChoicesAndVerdict) {
    PageState state = RestoreAnswer(kTrueFalse, 0, "A");
    Comparison c = compareAnswer(kTrueFalse, state, "B");
    EXPECT_EQ(c.yours, "对");
    EXPECT_EQ(c.correct, "错");
    EXPECT_EQ(c.tip, "很遗憾，做错了，请继续努力！");
    state = RestoreAnswer(kMultiple, 4, "AD");
    c = compareAnswer(kMultiple, state, "AD");
    EXPECT_EQ(c.yours, "AD");
    EXPECT_EQ(c.tip, "恭喜你，做对了！");
    state = RestoreAnswer(kSelfAssessed, 0, "1");
    c = compareAnswer(kSelfAssessed, state, "1");
    EXPECT_EQ(c.yours, "") << "the self-assessed page shows no answer of its own";
}

TEST(PanelSlide, GrowsByTwentyMoreEachStepAndStopsAtTheEdges) {
    EXPECT_EQ(panelSteps(0, 130, true), (std::vector<int>{20, 60, 120, 130}));
    EXPECT_EQ(panelSteps(130, 130, false), (std::vector<int>{110, 70, 10, 0}));
    EXPECT_TRUE(panelSteps(0, 0, true).empty());
    EXPECT_LE(panelSteps(4000, 4000, false).size(), 20u) << "a handful of steps at any width";
}

TEST(Hints, EachPageHasItsOwn) {
    EXPECT_STREQ(hintFor(kSingle), "选择一个选项作为正确答案");
    EXPECT_STREQ(hintFor(kSelfAssessed), "根据自己实际情况选择“会”或者“不会”");
    EXPECT_EQ(pageSideLabel(kMultiple), "多\n选");
    EXPECT_EQ(pageSideLabel(kMatching), "不\n定\n项");
}

} // namespace
} // namespace tessaro::practice
