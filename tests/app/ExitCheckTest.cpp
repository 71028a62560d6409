#include "app/core/ExitCheck.h"

#include "BankFixture.h"

#include <gtest/gtest.h>

namespace tessaro::app {
namespace {

struct JudgeCase {
    const char* name;
    StudyPlan plan;
    DayWork work;
    ExitVerdict verdict;
};

class JudgeExitTest : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(JudgeExitTest, ComparesTheRightMeasure) {
    EXPECT_EQ(judgeExit(GetParam().plan, GetParam().work), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, JudgeExitTest,
    ::testing::Values(
        JudgeCase{"AnswersMet", {0, 50, 60}, {50, 0}, ExitVerdict::Congratulate},
        JudgeCase{"AnswersShort", {0, 50, 60}, {49, 500}, ExitVerdict::AskBelowTarget},
        JudgeCase{"AnswersExceeded", {0, 50, 60}, {51, 0}, ExitVerdict::Exceeded},
        JudgeCase{"MinutesShort", {1, 50, 60}, {500, 59}, ExitVerdict::AskBelowTarget},
        JudgeCase{"MinutesMet", {1, 50, 60}, {0, 60}, ExitVerdict::Congratulate},
        JudgeCase{"MinutesExceeded", {1, 50, 60}, {0, 61}, ExitVerdict::Exceeded},
        JudgeCase{"NothingPlannedNothingDone", {0, 0, 0}, {0, 0}, ExitVerdict::Congratulate},
        JudgeCase{"UnknownPlanKind", {2, 50, 60}, {0, 0}, ExitVerdict::StayOpen},
        JudgeCase{"NegativePlanKind", {-1, 0, 0}, {0, 0}, ExitVerdict::StayOpen}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExitMessageTest, EachVerdictHasItsText) {
    EXPECT_EQ(exitMessage(ExitVerdict::AskBelowTarget), "还未完成今日学习计划，要退出吗？");
    EXPECT_EQ(exitMessage(ExitVerdict::Congratulate), "恭喜完成今日学习计划！");
    EXPECT_EQ(exitMessage(ExitVerdict::Exceeded), "超额完成学习计划，要注意休息呦！");
    EXPECT_EQ(exitMessage(ExitVerdict::StayOpen), "");
}

class ExitReadingTest : public testing::BankFixture {};

TEST_F(ExitReadingTest, ReadsTodaysRowOnly) {
    db().exec("insert into tab_rz (A1, A2, D1) values ('2026-05-19', 80, '02:00:00'),"
              " ('2026-05-20', 12, '00:59:59')");
    const DayWork work = readTodaysWork(*module);
    EXPECT_EQ(work.answers, 12);
    EXPECT_EQ(work.minutes, 59);
}

TEST_F(ExitReadingTest, NoRowForTodayIsNoWork) {
    db().exec("insert into tab_rz (A1, A2, D1) values ('2026-05-19', 80, '02:00:00')");
    const DayWork work = readTodaysWork(*module);
    EXPECT_EQ(work.answers, 0);
    EXPECT_EQ(work.minutes, 0);
}

TEST_F(ExitReadingTest, EmptyStudyTimeIsZeroMinutes) {
    db().exec("insert into tab_rz (A1, A2) values ('2026-05-20', 3)");
    EXPECT_EQ(readTodaysWork(*module).minutes, 0);
}

TEST_F(ExitReadingTest, ReadsTheFirstPlanRow) {
    db().exec("insert into tab_plan (PlanMark, PlanAmount, PlanTime) values (1, 40, 90),"
              " (0, 10, 10)");
    const StudyPlan plan = readStudyPlan(*module);
    EXPECT_EQ(plan.planMark, 1);
    EXPECT_EQ(plan.planAmount, 40);
    EXPECT_EQ(plan.planTime, 90);
}

TEST_F(ExitReadingTest, BankWithoutPlanRowHasZeroTarget) {
    const StudyPlan plan = readStudyPlan(*module);
    EXPECT_EQ(judgeExit(plan, readTodaysWork(*module)), ExitVerdict::Congratulate);
}

} // namespace
} // namespace tessaro::app
