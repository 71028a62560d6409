#include "app/core/HomeFacts.h"

#include "BankFixture.h"

namespace tessaro::testing {
namespace {

TEST_F(BankFixture, SubjectNamesComeFromTheOneCharacterRows) {
    addSampleTree();
    db().exec("update tab_kmmc set C2 = '  第二科目 ' where C1 = '2';"
              "insert into tab_kmmc (C1, C2, bh) values ('0', '综合', 0), ('7', '其他', 10)");
    EXPECT_EQ(app::subjectNames(*module),
              (std::map<int, std::string>{{1, "Subject one"}, {2, "第二科目"}}));
}

TEST_F(BankFixture, DaysToExaminationCountFromToday) {
    EXPECT_EQ(app::daysToExamination(*module), std::nullopt) << "no plan row";
    db().exec("insert into tab_plan (PlanMark, ExamDate) values (0, '2026-06-01')");
    EXPECT_EQ(app::daysToExamination(*module), 12);
    clock.advance(std::chrono::hours(24 * 13));
    EXPECT_EQ(app::daysToExamination(*module), -1);
    db().exec("update tab_plan set ExamDate = 'soon'");
    EXPECT_EQ(app::daysToExamination(*module), std::nullopt);
}

} // namespace
} // namespace tessaro::testing
