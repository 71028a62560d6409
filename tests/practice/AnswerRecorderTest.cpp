#include "practice/AnswerRecorder.h"

#include "BankFixture.h"

namespace tessaro::testing {
namespace {

using practice::AnswerRecorder;
using practice::QuestionRow;

class AnswerRecorderTest : public BankFixture {
protected:
    void SetUp() override {
        BankFixture::SetUp();
        addSampleTree();
        addQuestion("Q1", "AC", "100101", 66, {"ABCDEF0001", "ABCDEF0002"});
        recorder = std::make_unique<AnswerRecorder>(*module);
    }

    QuestionRow load(const std::string& id) {
        auto st = db().prepare(std::string("select ") + practice::kQuestionColumns +
                               " from tab_answ where A1 = ?");
        st.bind(1, id);
        EXPECT_TRUE(st.step());
        return practice::readQuestionRow(st);
    }

    /// Everything the answer event touches, as one comparable text.
    std::string snapshot() {
        return textAt("select group_concat(x, '|') from ("
                      "select A1||coalesce(E1,'-')||coalesce(E2,'-')||coalesce(E2_1,'-')||E3||E4 x"
                      " from tab_answ union all select A1||A2||A3||B1||B2 from tab_rz union all "
                      "select C1||C4||D1||D2 from tab_kmmc union all select ftid||q1||q2||q4 "
                      "from tab_rule union all select id||q1||q2||q4 from tab_fgmc)");
    }

    std::unique_ptr<AnswerRecorder> recorder;
};

TEST_F(AnswerRecorderTest, FirstAnswerSetsHistoryAndCountsEverywhere) {
    QuestionRow row = load("Q1");
    recorder->RecordAnswer(row, "AB");
    const QuestionRow stored = load("Q1");
    EXPECT_EQ(stored.E4, -3);
    EXPECT_EQ(stored.E3, 1);
    EXPECT_EQ(stored.E1, "2026-05-20");
    EXPECT_EQ(stored.E2, "AB");
    EXPECT_EQ(stored.E2_1, "AB");
    EXPECT_EQ(row.E4, stored.E4);
    EXPECT_EQ(textAt("select A2||A3||B1||B2 from tab_rz"), "1111");
    EXPECT_EQ(textAt("select group_concat(C4||D1||D2) from tab_kmmc where C1 like '1%'"),
              "111,111,111,111");
    EXPECT_EQ(textAt("select q1||q2||q4 from tab_fgmc where id = 'ABCDEF'"), "111");
}

struct HistoryCase {
    const char* name;
    int startE4;
    bool answeredBefore;
    std::vector<const char*> answers; // each on a new run (E2_1 cleared before)
    int endE4;
};

class HistoryRuleTest : public AnswerRecorderTest,
                        public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryRuleTest, MasteryScoreFollowsTheAnswers) {
    if (GetParam().answeredBefore)
        db().exec("update tab_answ set E2 = 'B', E4 = " + std::to_string(GetParam().startE4));
    for (const char* answer : GetParam().answers) {
        db().exec("update tab_answ set E2_1 = ''");
        QuestionRow row = load("Q1");
        recorder->RecordAnswer(row, answer);
    }
    EXPECT_EQ(load("Q1").E4, GetParam().endE4);
    EXPECT_EQ(load("Q1").E3, static_cast<int>(GetParam().answers.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryRuleTest,
    ::testing::Values(HistoryCase{"FirstRight", 0, false, {"AC"}, 0},
                      HistoryCase{"FirstWrong", 0, false, {"A"}, -3},
                      HistoryCase{
                          "BackFromMinusThreeInThreeRights", -3, true, {"AC", "AC", "AC"}, 0},
                      HistoryCase{"NeverAboveZero", -3, true, {"AC", "AC", "AC", "AC"}, 0},
                      HistoryCase{"WrongFromZero", 0, true, {"B"}, -1},
                      HistoryCase{"OrderMatters", 0, false, {"CA"}, -3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AnswerRecorderTest, SameAnswerTwiceInARunCountsOnce) {
    QuestionRow row = load("Q1");
    recorder->RecordAnswer(row, "AC");
    const std::string after = snapshot();
    recorder->RecordAnswer(row, "AC");
    EXPECT_EQ(snapshot(), after);
    recorder->RecordAnswer(row, "A");
    EXPECT_EQ(load("Q1").E3, 2);
    EXPECT_EQ(textAt("select A2||A3||B1||B2 from tab_rz"), "2111");
    EXPECT_EQ(intAt("select C4 from tab_kmmc where C1 = '100101'"), 1) << "first ever only once";
}

TEST_F(AnswerRecorderTest, EmptyAnswerOnlyClearsTheRunsAnswer) {
    QuestionRow row = load("Q1");
    recorder->RecordAnswer(row, "AC");
    const std::string logBefore = textAt("select A2||A3||B1||B2 from tab_rz");
    recorder->RecordAnswer(row, "");
    const QuestionRow stored = load("Q1");
    EXPECT_EQ(stored.E2_1, "");
    EXPECT_EQ(stored.E2, "AC");
    EXPECT_EQ(stored.E3, 1);
    EXPECT_EQ(textAt("select A2||A3||B1||B2 from tab_rz"), logBefore);
    recorder->RecordAnswer(row, "AC");
    EXPECT_EQ(load("Q1").E3, 2) << "answering again after clearing counts again";
}

TEST_F(AnswerRecorderTest, EmptyFirstPointCountsNoPoint) {
    db().exec("update tab_answ set K3 = '', K4 = 'ABCDEF0001'");
    QuestionRow row = load("Q1");
    recorder->RecordAnswer(row, "AC");
    EXPECT_EQ(intAt("select sum(q2) from tab_rule") + intAt("select sum(q2) from tab_fgmc"), 0);
}

TEST_F(AnswerRecorderTest, VoidingKeepsZeroAndCountsNothing) {
    QuestionRow row = load("Q1");
    const std::string before = snapshot();
    recorder->setVoided(row, true);
    EXPECT_EQ(load("Q1").F1, 1);
    recorder->setVoided(row, false);
    const QuestionRow stored = load("Q1");
    EXPECT_EQ(stored.F1, 0);
    EXPECT_EQ(stored.E2, "zero");
    EXPECT_FALSE(stored.neverAnswered());
    EXPECT_EQ(intAt("select sum(D1) from tab_kmmc"), 0);
    recorder->RecordAnswer(row, "AC");
    const auto flags = practice::answerFlags(stored, "AC", "2026-05-20");
    EXPECT_EQ(flags.previouslyWrong, 2);
    EXPECT_EQ(flags.firstEver, 1);
    EXPECT_EQ(intAt("select C4 from tab_kmmc where C1 = '100101'"), 0);
    EXPECT_NE(snapshot(), before);
}

TEST_F(AnswerRecorderTest, AFailureHalfwayLeavesBankAndRowAsTheyWere) {
    QuestionRow row = load("Q1");
    recorder->RecordAnswer(row, "A");
    db().exec("update tab_answ set E2_1 = ''");
    row = load("Q1");
    // The log is written first; the point counters fail after it.
    db().exec("create trigger fail_points before update on tab_rule "
              "begin select raise(abort, 'disk says no'); end");
    const std::string before = snapshot();
    const QuestionRow rowBefore = row;
    EXPECT_THROW(recorder->RecordAnswer(row, "AC"), store::DbError);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(row.E3, rowBefore.E3);
    EXPECT_EQ(row.E2_1, rowBefore.E2_1);
    db().exec("drop trigger fail_points");
    recorder->RecordAnswer(row, "AC");
    EXPECT_EQ(load("Q1").E4, -2);
}

} // namespace
} // namespace tessaro::testing
