#include "BankFixture.h"
#include "store/SharedValues.h"

#include <array>
#include <map>

namespace tessaro::testing {
namespace {

struct Flags {
    int firstToday, wrongNow, previouslyWrong;
};

struct LogCase {
    const char* name;
    std::vector<Flags> answers;
    int a2, a3, b1, b2;
};

class LogAnswerTest : public BankFixture, public ::testing::WithParamInterface<LogCase> {};

TEST_P(LogAnswerTest, TodaysRowCountsAnswersAndQuestions) {
    for (const Flags& f : GetParam().answers)
        module->LogAnswer(f.firstToday, f.wrongNow, f.previouslyWrong);
    auto st = db().prepare("select A2, A3, B1, B2, D1 from tab_rz where A1 = '2026-05-20'");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.integer(0), GetParam().a2);
    EXPECT_EQ(st.integer(1), GetParam().a3);
    EXPECT_EQ(st.integer(2), GetParam().b1);
    EXPECT_EQ(st.integer(3), GetParam().b2);
    EXPECT_TRUE(st.isNull(4)) << "study time stays empty until a window closes";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogAnswerTest,
    ::testing::Values(LogCase{"FirstRightOfTheDay", {{2, 1, 2}}, 1, 0, 1, 0},
                      LogCase{"FirstWrongOfTheDay", {{2, 2, 2}}, 1, 1, 1, 1},
                      LogCase{"WrongThenRight", {{2, 2, 2}, {1, 1, 2}}, 2, 1, 1, 0},
                      LogCase{"RightThenWrong", {{2, 1, 2}, {1, 2, 1}}, 2, 1, 1, 1},
                      LogCase{"TwoQuestions", {{2, 1, 2}, {2, 2, 1}}, 2, 1, 2, 1},
                      LogCase{"WrongTwiceSameQuestion", {{2, 2, 2}, {1, 2, 2}}, 2, 2, 1, 1},
                      LogCase{
                          "RightAfterVoidNeverGoesNegative", {{2, 1, 2}, {1, 1, 2}}, 2, 0, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BankFixture, LogAnswerStartsANewRowEachDay) {
    module->LogAnswer(2, 2, 2);
    clock.advance(std::chrono::hours(24));
    module->LogAnswer(2, 1, 2);
    EXPECT_EQ(intAt("select count(*) from tab_rz"), 2);
    EXPECT_EQ(intAt("select A3 from tab_rz where A1 = '2026-05-21'"), 0);
    EXPECT_EQ(intAt("select A3 from tab_rz where A1 = '2026-05-20'"), 1);
}

TEST_F(BankFixture, ChapterAnswerCountsTheCodeAndEveryExistingPrefix) {
    addSampleTree();
    db().exec("delete from tab_kmmc where C1 = '10'"); // a missing level is skipped
    module->CountChapterAnswer("100101", 2, 2);
    module->CountChapterAnswer("100101", 1, 1);
    auto st = db().prepare("select C1, C4, D1, D2 from tab_kmmc order by bh");
    std::map<std::string, std::array<std::int64_t, 3>> rows;
    while (st.step())
        rows[st.text(0)] = {st.integer(1), st.integer(2), st.integer(3)};
    for (const char* code : {"1", "1001", "100101"})
        EXPECT_EQ(rows[code], (std::array<std::int64_t, 3>{1, 2, 1})) << code;
    for (const char* code : {"2", "2001", "200101", "xx"})
        EXPECT_EQ(rows[code], (std::array<std::int64_t, 3>{0, 0, 0})) << code;
}

TEST_F(BankFixture, ChapterCodesMatchWithoutRegardToCase) {
    db().exec("insert into tab_kmmc (C1, bh) values ('A', 1), ('AB', 2)");
    module->CountChapterAnswer("ab", 2, 1);
    EXPECT_EQ(intAt("select sum(D1) from tab_kmmc"), 2);
}

TEST_F(BankFixture, PointAnswerCountsEachRowOncePerAnswer) {
    addSampleTree();
    // Two points of one section, and one of another top entry.
    module->CountPointAnswer({"ABCDEF0001", "ABCDEF0002", "KLMNOP0001"},
                             {"ABCDEF", "ABCDEF", "KLMNOP"}, {"AB", "AB", "KL"}, 2, 2);
    module->CountPointAnswer({"ABCDEF0001"}, {"ABCDEF"}, {"AB"}, 1, 1);
    EXPECT_EQ(textAt("select group_concat(ftid||':'||q1||q2||q4, ' ') from tab_rule"),
              "ABCDEF0001:121 ABCDEF0002:111 ABCDEG0001:000 KLMNOP0001:111");
    EXPECT_EQ(textAt("select group_concat(id||':'||q1||q2||q4, ' ') from tab_fgmc order by bh"),
              "AB:121 ABCDEF:121 ABCDEG:000 KL:111 KLMNOP:111");
}

TEST_F(BankFixture, PointIdsWithQuotesAreValuesNotSql) {
    addSampleTree();
    module->CountPointAnswer({"x') or ('1'='1"}, {"x') or"}, {"x'"}, 2, 2);
    EXPECT_EQ(intAt("select sum(q2) from tab_rule") + intAt("select sum(q2) from tab_fgmc"), 0);
}

TEST_F(BankFixture, StudyTimeCarriesOverTheHourAndSetsTheDaysRate) {
    module->LogAnswer(2, 2, 2);
    module->LogAnswer(2, 1, 2);
    module->LogAnswer(2, 1, 2);
    db().exec("update tab_rz set D1 = '00:59:30'");
    module->AddStudyTime("0:00:45");
    EXPECT_EQ(textAt("select D1 from tab_rz"), "01:00:15");
    EXPECT_EQ(textAt("select A4 from tab_rz"), "66.67");
}

TEST_F(BankFixture, StudyTimeWithoutAnAnswerTodayLogsNothing) {
    module->AddStudyTime("0:10:00");
    EXPECT_EQ(intAt("select count(*) from tab_rz"), 0);
}

TEST_F(BankFixture, UnreadableStoredStudyTimeIsReplacedNotFatal) {
    module->LogAnswer(2, 1, 2);
    db().exec("update tab_rz set D1 = 'garbage:xx:yy'");
    EXPECT_NO_THROW(module->AddStudyTime("0:02:05"));
    EXPECT_EQ(textAt("select D1 from tab_rz"), "00:02:05");
}

TEST_F(BankFixture, StudyTimeRefreshesTheRateOfEveryChapter) {
    addSampleTree();
    db().exec("update tab_kmmc set D1 = 7, D2 = 1, C6 = 'stale' where C1 = '1';"
              "update tab_kmmc set D1 = 3, D2 = 3 where C1 = '200101';"
              "update tab_kmmc set C6 = 'stale' where C1 = 'xx'");
    module->AddStudyTime("0:00:10");
    EXPECT_EQ(textAt("select C6 from tab_kmmc where C1 = '1'"), "85.71");
    EXPECT_EQ(textAt("select C6 from tab_kmmc where C1 = '200101'"), "0.00");
    EXPECT_EQ(textAt("select C6 from tab_kmmc where C1 = 'xx'"), "0");
}

} // namespace
} // namespace tessaro::testing
