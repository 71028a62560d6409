#include "practice/PracticeSession.h"

#include "BankFixture.h"
#include "practice/QuestionLists.h"
#include "store/SharedValues.h"

#include <chrono>

namespace tessaro::testing {
namespace {

using practice::GroupMove;
using practice::MarkMode;
using practice::PracticeMode;
using practice::PracticeSession;
using practice::Verdict;

std::string questionId(int i) {
    char id[16];
    std::snprintf(id, sizeof id, "Q%03d", i);
    return id;
}

class PracticeSessionTest : public BankFixture {
protected:
    void SetUp() override {
        BankFixture::SetUp();
        addSampleTree();
        db().exec("insert into tab_tx1 (A1, B1, B2, B3) values (61, '单项选择题', 1, 1), "
                  "(66, '多项选择题', 1, 2), (71, '简答题', 1, 1)");
        store::shared() = store::SharedValues{};
    }

    void TearDown() override {
        session.reset();
        store::shared() = store::SharedValues{};
        BankFixture::TearDown();
    }

    /// count questions of chapter 100101, type 61 with key "A", then the given extra ones.
    void addQuestions(int count, int type = 61, int first = 1) {
        for (int i = first; i < first + count; ++i)
            addQuestion(questionId(i), type == 66 ? "AC" : "A", "100101", type);
    }

    void open(PracticeMode mode = PracticeMode::NewQuestions, const std::string& code = "100101") {
        auto query = practice::questionListFor(mode, code);
        store::shared().QuestionListSql = query.sql;
        store::shared().QuestionListParams = query.params;
        session = std::make_unique<PracticeSession>(*module);
        session->notify = [this](const practice::Notice& notice) {
            notices.push_back(notice.text);
        };
        loaded = session->LoadQuestionList();
        if (loaded)
            session->start();
    }

    std::string stored(const std::string& id, const std::string& column) {
        auto st =
            db().prepare("select coalesce(" + column + ", '<null>') from tab_answ where A1 = ?");
        st.bind(1, id);
        return st.step() ? st.text(0) : "<no row>";
    }

    std::unique_ptr<PracticeSession> session;
    std::vector<std::string> notices;
    bool loaded = false;
};

struct GroupCase {
    const char* name;
    int questions;
    int groups;
    int lastGroupCount;
};

class GroupsTest : public PracticeSessionTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(GroupsTest, ListIsCutIntoGroupsOfTwenty) {
    addQuestions(GetParam().questions);
    open();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(session->groups(), GetParam().groups);
    EXPECT_EQ(session->total(), GetParam().questions);
    EXPECT_EQ(session->nextGroupEnabled(), GetParam().groups > 1);
    EXPECT_FALSE(session->previousGroupEnabled());
    while (session->groupNo() < session->groups())
        session->nextGroup();
    EXPECT_FALSE(session->nextGroupEnabled());
    const auto& buttons = session->numberButtons();
    const int first = (GetParam().groups - 1) * 20 + 1;
    for (int i = 0; i < 20; ++i) {
        const bool used = i < GetParam().lastGroupCount;
        EXPECT_EQ(buttons[i].enabled, used) << i;
        EXPECT_EQ(buttons[i].tag, used ? first + i : 0) << i;
    }
    EXPECT_EQ(session->current(), first) << "a new group opens at its first question";
}

INSTANTIATE_TEST_SUITE_P(Sizes, GroupsTest,
                         ::testing::Values(GroupCase{"One", 1, 1, 1},
                                           GroupCase{"Twenty", 20, 1, 20},
                                           GroupCase{"TwentyOne", 21, 2, 1},
                                           GroupCase{"FortyFive", 45, 3, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PracticeSessionTest, MovesAcrossGroupBoundaries) {
    addQuestions(45);
    open();
    for (int i = 1; i < 20; ++i)
        session->nextQuestion();
    EXPECT_EQ(session->current(), 20);
    EXPECT_EQ(session->positionText(), "20");
    session->nextQuestion();
    EXPECT_EQ(session->groupNo(), 2);
    EXPECT_EQ(session->current(), 21);
    EXPECT_TRUE(session->previousGroupEnabled());
    session->nextGroup();
    EXPECT_EQ(session->current(), 41);
    EXPECT_FALSE(session->nextGroupEnabled());
    session->previousQuestion();
    EXPECT_EQ(session->groupNo(), 2);
    EXPECT_EQ(session->current(), 21) << "the previous group opens at its first question";
    session->previousQuestion();
    EXPECT_EQ(session->current(), 1);
    EXPECT_FALSE(session->previousGroupEnabled());
    EXPECT_FALSE(session->previousEnabled());
    session->previousQuestion();
    EXPECT_EQ(session->current(), 1) << "nothing before the first question";
    session->nextGroup();
    session->nextGroup();
    for (int i = 0; i < 10; ++i)
        session->nextQuestion();
    EXPECT_EQ(session->current(), 45);
    EXPECT_FALSE(session->nextEnabled());
}

TEST_F(PracticeSessionTest, LeavingRecordsTheAnswerAndPaintsItsButton) {
    addQuestions(3);
    open();
    session->pressOption(1); // B, wrong
    session->nextQuestion();
    EXPECT_EQ(stored("Q001", "E2_1"), "B");
    EXPECT_EQ(stored("Q001", "E4"), "-3");
    EXPECT_EQ(session->numberButtons()[0].up, Verdict::Wrong);
    session->pressOption(0); // A, right
    session->check();
    EXPECT_EQ(session->numberButtons()[1].down, Verdict::Right);
    EXPECT_EQ(session->numberButtons()[1].up, Verdict::Unanswered) << "checking paints down only";
    EXPECT_TRUE(session->answerEnabled());
    session->nextQuestion();
    EXPECT_EQ(session->numberButtons()[1].up, Verdict::Right);
    session->check();
    EXPECT_EQ(notices, (std::vector<std::string>{"请先做出答案！"}));
    session->previousQuestion();
    EXPECT_EQ(session->pageState().down[0], true) << "a revisited question shows its answer";
    EXPECT_EQ(intAt("select A2 from tab_rz"), 2);
}

TEST_F(PracticeSessionTest, ClearingAnAnswerRestoresTheUnansweredFace) {
    addQuestions(2);
    open();
    session->pressOption(0);
    session->nextQuestion();
    session->previousQuestion();
    session->pressOption(0); // single choice: pressing again keeps it down
    auto state = session->pageState();
    state.down.fill(false);
    session->setPageState(state);
    session->nextQuestion();
    EXPECT_EQ(session->numberButtons()[0].up, Verdict::Unanswered);
    EXPECT_EQ(stored("Q001", "E2_1"), "");
    EXPECT_EQ(stored("Q001", "E2"), "A") << "the last recorded answer stays";
}

TEST_F(PracticeSessionTest, TypeChangeRecordsSilentlyAndRestartsTheGroups) {
    addQuestions(25, 61, 1);
    addQuestions(3, 66, 26);
    open();
    ASSERT_EQ(session->typeButtons().size(), 4u);
    EXPECT_EQ(session->typeButtons()[0].caption, "任意");
    EXPECT_TRUE(session->typeButtons()[1].enabled);
    EXPECT_FALSE(session->typeButtons()[3].enabled) << "no question of type 71";
    session->nextQuestion();
    session->pressOption(0);
    session->selectType(2);
    EXPECT_EQ(stored("Q002", "E2_1"), "A");
    EXPECT_EQ(session->numberButtons()[0].tag, 1);
    EXPECT_EQ(session->total(), 3);
    EXPECT_EQ(session->groups(), 1);
    EXPECT_EQ(session->page(), practice::kMultiple);
    EXPECT_EQ(session->typeLabel(), "多\n项");
    session->selectType(3);
    EXPECT_EQ(session->selectedType(), 2) << "an empty type gives the previous one back";
    EXPECT_EQ(session->total(), 3);
}

TEST_F(PracticeSessionTest, UnmappedTypeKeepsThePreviousPage) {
    addQuestion("Q1", "1", "100101", 90);
    addQuestion("Q2", "A", "100101", 61);
    addQuestion("Q3", "A", "100101", 90);
    db().exec("update tab_answ set xx = 1 where A1='Q1'");
    open(PracticeMode::GridNew);
    // Ordered by type: Q2 (61) first, then Q1 and Q3 (90).
    EXPECT_EQ(session->currentRow()->A1, "Q2");
    EXPECT_EQ(session->page(), practice::kSingle);
    session->nextQuestion();
    EXPECT_EQ(session->page(), practice::kSingle) << "shown after a single choice";
    db().exec("delete from tab_answ where A1 = 'Q2'");
    open(PracticeMode::GridNew);
    EXPECT_EQ(session->page(), practice::kSelfAssessed) << "shown first";
}

TEST_F(PracticeSessionTest, GaugeRunsOutOnceAndTheQuestionStaysAnswerable) {
    addQuestions(2);
    store::shared().TypeIds = {61};
    store::shared().TypeTimes = {1200};
    open();
    EXPECT_EQ(session->gaugeInterval(), 1200);
    clock.advance(std::chrono::seconds(60));
    EXPECT_EQ(session->gauge(), 50);
    session->pollGauge();
    EXPECT_TRUE(notices.empty());
    clock.advance(std::chrono::seconds(60));
    session->pollGauge();
    session->pollGauge();
    EXPECT_EQ(notices, (std::vector<std::string>{"到时间了"}));
    EXPECT_EQ(stored("Q001", "csbs"), "Y");
    EXPECT_EQ(session->gauge(), 100);
    session->pressOption(0);
    session->check();
    EXPECT_EQ(stored("Q001", "E2"), "A");
    EXPECT_EQ(stored("Q001", "csbs"), "Y");
    session->nextQuestion();
    EXPECT_EQ(session->gauge(), 0) << "each question starts a fresh gauge";
}

TEST_F(PracticeSessionTest, TypeWithoutTimeGetsOneMinute) {
    addQuestions(1, 66);
    store::shared().TypeIds = {61};
    store::shared().TypeTimes = {1200};
    open();
    EXPECT_EQ(session->gaugeInterval(), 600);
}

TEST_F(PracticeSessionTest, ClosingRecordsTheQuestionOnScreenAndAddsTheTime) {
    addQuestions(2);
    open();
    clock.advance(std::chrono::seconds(125));
    EXPECT_EQ(session->stopwatchText(), "0:02:05");
    session->pressOption(0);
    session->close();
    session->close();
    EXPECT_EQ(stored("Q001", "E2"), "A");
    EXPECT_EQ(textAt("select D1 from tab_rz"), "00:02:05");
    EXPECT_EQ(textAt("select C6 from tab_kmmc where C1 = '100101'"), "100.00");
}

TEST_F(PracticeSessionTest, VoidingThenUnvoidingKeepsZero) {
    addQuestions(2);
    open();
    session->toggleVoid();
    EXPECT_EQ(session->statusLine(), "本题已被您作废！");
    EXPECT_EQ(session->voidCaption(), "取消作废");
    EXPECT_EQ(stored("Q001", "F1"), "1");
    session->toggleVoid();
    EXPECT_EQ(session->statusLine(), "本题曾被作废，现已被您取消！");
    EXPECT_EQ(session->voidCaption(), "题目作废");
    EXPECT_EQ(stored("Q001", "F1"), "0");
    EXPECT_EQ(stored("Q001", "E2"), "zero");
    session->close();
    open(PracticeMode::NewQuestions);
    EXPECT_EQ(session->total(), 1) << "no longer new";
    open(PracticeMode::Review);
    EXPECT_EQ(session->total(), 1) << "listed in review";
}

TEST_F(PracticeSessionTest, NoteIsStoredAndNamesTheButton) {
    addQuestions(1);
    open();
    EXPECT_EQ(session->noteCaption(), "笔记");
    session->saveNote("remember");
    EXPECT_EQ(session->noteCaption(), "有内容");
    EXPECT_EQ(stored("Q001", "A14"), "remember");
    session->saveNote("   ");
    EXPECT_EQ(session->noteCaption(), "笔记");
    EXPECT_FALSE(store::shared().NoteHasContent);
    EXPECT_EQ(stored("Q001", "A14"), "   ") << "stored as written";
}

TEST_F(PracticeSessionTest, ContentOfGroupsAndMissingRows) {
    addQuestion("G00000000000000A-1", "A", "100101", 61);
    addQuestion("G00000000000000B-1", "A", "100101", 61);
    addQuestion("Q9", "A", "100101", 61);
    db().exec("insert into tab_title (A1, A15) values ('G00000000000000A', x'7374656d')");
    db().exec("delete from tab_exer where A1 = 'Q9'");
    open(PracticeMode::NewQuestions);
    ASSERT_EQ(session->content().id, "G00000000000000A-1");
    EXPECT_TRUE(session->content().grouped);
    EXPECT_EQ(session->content().heading.size(), 4u);
    session->nextQuestion();
    EXPECT_TRUE(session->content().grouped);
    EXPECT_TRUE(session->content().heading.empty()) << "missing stem: empty top pane";
    session->nextQuestion();
    EXPECT_FALSE(session->content().grouped);
    EXPECT_TRUE(session->content().text.empty()) << "missing content row: empty pane";
    EXPECT_FALSE(session->content().failed);
    EXPECT_TRUE(notices.empty());
}

TEST_F(PracticeSessionTest, EmptyTypeTableLeavesOnlyAllTypes) {
    db().exec("delete from tab_tx1");
    addQuestions(2);
    open();
    ASSERT_EQ(session->typeButtons().size(), 1u);
    EXPECT_EQ(session->total(), 2);
}

TEST_F(PracticeSessionTest, NewRunClearsTheAnswersOfTheLastOne) {
    addQuestions(2);
    open();
    session->pressOption(0);
    session->close();
    open(PracticeMode::Review);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(stored("Q001", "E2_1"), "");
    EXPECT_EQ(session->numberButtons()[0].up, Verdict::Unanswered);
    EXPECT_EQ(session->occurrenceText(), "2");
}

TEST_F(PracticeSessionTest, KeysMoveAndAnswer) {
    addQuestions(3);
    open();
    EXPECT_EQ(session->page(), practice::kSingle);
    session->handleKey('b');
    EXPECT_EQ(practice::CaptureAnswer(session->page(), session->pageState()), "B");
    session->handleKey(practice::kEnterKey);
    EXPECT_EQ(session->current(), 2);
    session->handleKey(practice::kBackspaceKey);
    EXPECT_EQ(session->current(), 1);
    EXPECT_EQ(stored("Q001", "E2_1"), "B");
}

} // namespace
} // namespace tessaro::testing
