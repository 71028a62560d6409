#include "practice/QuestionLists.h"

#include "BankFixture.h"
#include "practice/ChapterNavigator.h"
#include "store/JetSql.h"
#include "store/SharedValues.h"

namespace tessaro::testing {
namespace {

using practice::PracticeMode;

/// One question's state and whether each list holds it.
struct ListCase {
    const char* name;
    const char* e2; // nullptr for NULL
    int e4;
    int f1;
    bool inNew, inWrong, inReview;
};

class ListMembershipTest : public BankFixture, public ::testing::WithParamInterface<ListCase> {
protected:
    bool listed(PracticeMode mode, const std::string& code) {
        const auto query = practice::questionListFor(mode, code);
        auto st = db().prepare(store::jet::translate(query.sql));
        for (std::size_t i = 0; i < query.params.size(); ++i)
            st.bind(static_cast<int>(i) + 1, query.params[i]);
        return st.step();
    }
};

TEST_P(ListMembershipTest, EachModeListsItsQuestions) {
    const ListCase& c = GetParam();
    addSampleTree();
    addQuestion("Q1", "A", "100101", 61);
    auto st = db().prepare("update tab_answ set E2 = ?, E4 = ?, F1 = ?");
    if (c.e2)
        st.bind(1, c.e2);
    else
        st.bindNull(1);
    st.bind(2, c.e4).bind(3, c.f1).run();
    for (const char* code : {"100101", "1001", "100"}) {
        EXPECT_EQ(listed(PracticeMode::NewQuestions, code), c.inNew) << code;
        EXPECT_EQ(listed(PracticeMode::GridNew, code), c.inNew) << code;
        EXPECT_EQ(listed(PracticeMode::WrongQuestions, code), c.inWrong) << code;
        EXPECT_EQ(listed(PracticeMode::Review, code), c.inReview) << code;
    }
    EXPECT_FALSE(listed(PracticeMode::Review, "2001")) << "another chapter";
}

INSTANTIATE_TEST_SUITE_P(
    States, ListMembershipTest,
    ::testing::Values(ListCase{"NeverAnsweredNull", nullptr, 0, 0, true, false, false},
                      ListCase{"NeverAnsweredEmpty", "", 0, 0, true, false, false},
                      ListCase{"AnsweredRight", "A", 0, 0, false, false, true},
                      ListCase{"AnsweredWrong", "B", -3, 0, false, true, true},
                      ListCase{"Voided", "zero", -1, 1, false, false, true},
                      ListCase{"Unvoided", "zero", -1, 0, false, true, true},
                      ListCase{"UserAdded", nullptr, 0, 2, true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuestionListSql, OrdersAsTheModesNeed) {
    EXPECT_NE(practice::questionListFor(PracticeMode::NewQuestions, "1")
                  .sql.find("order by a13,a10,xx,a1"),
              std::string::npos);
    EXPECT_TRUE(practice::questionListFor(PracticeMode::GridNew, "1").sql.ends_with("a13,a10,xx"));
    EXPECT_NE(practice::questionListFor(PracticeMode::Review, "1")
                  .sql.find("order by a13,e3,e4,e1,xx,a1"),
              std::string::npos);
    const auto query = practice::questionListFor(PracticeMode::WrongQuestions, "10'01");
    EXPECT_EQ(query.params, (std::vector<std::string>{"5", "10'01"})) << "the code is bound";
    EXPECT_EQ(query.sql.find("10'01"), std::string::npos);
}

class NavigatorTest : public BankFixture {
protected:
    void SetUp() override {
        BankFixture::SetUp();
        addSampleTree();
        store::shared() = store::SharedValues{};
    }
    void TearDown() override {
        store::shared() = store::SharedValues{};
        BankFixture::TearDown();
    }
};

TEST_F(NavigatorTest, TotalsScoreAndRememberedChapter) {
    practice::ChapterNavigator navigator(*module);
    navigator.refresh();
    ASSERT_EQ(navigator.rows().size(), 8u) << "the xx row is not listed";
    EXPECT_EQ(navigator.rows()[0].level(), 1);
    EXPECT_EQ(navigator.scoreText(), "分数") << "nothing answered: the caption stays";
    EXPECT_EQ(navigator.current(), 0);

    db().exec("update tab_kmmc set C3 = 9000, D1 = 8, D2 = 2 where C1 in ('100101', '200101')");
    db().exec("update tab_kmmc set C3 = 500, D1 = 100 where C1 = '1001'");
    navigator.setCurrent(3);
    EXPECT_EQ(navigator.startPractice(PracticeMode::Review),
              practice::ChapterNavigator::Start::Ready);
    EXPECT_EQ(store::shared().QuestionListParams.back(), "100101");
    navigator.refresh();
    EXPECT_EQ(navigator.totals().questions, 10000) << "18000 questions show as 10000";
    EXPECT_EQ(navigator.totals().answers, 16) << "only six-character rows count";
    EXPECT_EQ(navigator.scoreText(), "75.00");
    EXPECT_EQ(navigator.current(), 3) << "back on the remembered chapter";
    EXPECT_EQ(store::shared().CurrentChapter, "第一节");

    db().exec("update tab_kmmc set D1 = 0, D2 = 0");
    navigator.refresh();
    EXPECT_EQ(navigator.scoreText(), "75.00") << "no answers: the last score stays";
}

TEST_F(NavigatorTest, SubjectsAndPartsCannotBePractised) {
    practice::ChapterNavigator navigator(*module);
    navigator.refresh();
    store::shared().QuestionListSql = "untouched";
    navigator.setCurrent(1); // code "10"
    EXPECT_EQ(navigator.startPractice(PracticeMode::NewQuestions),
              practice::ChapterNavigator::Start::NeedChapter);
    EXPECT_EQ(store::shared().QuestionListSql, "untouched");
    EXPECT_EQ(navigator.RememberedChapter(), "10");
    navigator.setCurrent(2); // "1001", a row of 4 characters is practised as a whole
    EXPECT_EQ(navigator.startPractice(PracticeMode::NewQuestions),
              practice::ChapterNavigator::Start::Ready);
    EXPECT_EQ(practice::emptyListNotice(PracticeMode::WrongQuestions).text, "本章节下没有错题！");
    EXPECT_EQ(practice::emptyListNotice(PracticeMode::GridNew).text, "恭喜，习题已做完！");
}

TEST_F(NavigatorTest, GuidanceBelongsToTheCurrentChapter) {
    db().exec("update tab_kmmc set jx = x'7b5c72746631207d' where C1 = '1001'");
    practice::ChapterNavigator navigator(*module);
    navigator.refresh();
    navigator.setCurrent(2); // "1001"
    EXPECT_TRUE(navigator.currentHasGuidance());
    EXPECT_EQ(navigator.currentGuidance(),
              (std::vector<std::uint8_t>{'{', '\\', 'r', 't', 'f', '1', ' ', '}'}));
    navigator.setCurrent(3);
    EXPECT_FALSE(navigator.currentHasGuidance());
    EXPECT_EQ(navigator.currentGuidance(), std::nullopt);
}

TEST_F(NavigatorTest, EmptySyllabus) {
    db().exec("delete from tab_kmmc");
    practice::ChapterNavigator navigator(*module);
    navigator.refresh();
    EXPECT_TRUE(navigator.rows().empty());
    EXPECT_EQ(navigator.startPractice(PracticeMode::NewQuestions),
              practice::ChapterNavigator::Start::NoRow);
}

} // namespace
} // namespace tessaro::testing
