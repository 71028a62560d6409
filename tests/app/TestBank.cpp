#include "TestBank.h"

#include "store/Database.h"
#include "store/Schema.h"

namespace tessaro::testing {

using store::Database;

TestBank::TestBank() : m_path(m_dir.filePath("bank.sqlite")) {
    Database db(m_path.toStdString(), Database::Mode::ReadWriteCreate);
    store::schema::createBank(db);
    const char* subjects[] = {"项目管理基础", "采购与合同", "质量与风险", "案例分析", "法规"};
    for (int i = 0; i < 5; ++i) {
        auto st = db.prepare("insert into tab_kmmc (C1, C1_1, C2, bh) values (?, ?, ?, ?)");
        st.bind(1, std::to_string(i + 1)).bind(2, subjects[i]).bind(3, subjects[i]).bind(4, i);
        st.run();
    }
    db.exec("insert into tab_plan (PlanMark, PlanAmount, PlanTime, ExamDate, LeastMark, ExamTime)"
            " values (0, 50, 60, '', 60, 9000)");
    for (int kind = 1; kind <= 5; ++kind)
        db.exec("insert into " + store::schema::typeTableName(kind) +
                " (A1, B1, B2, B3, time) values (61, '单选', 10, 1, 1.5)");
}

void TestBank::exec(const std::string& sql) {
    Database db(m_path.toStdString(), Database::Mode::ReadWrite);
    db.exec(sql);
}

void TestBank::setPlan(int planMark, int planAmount, int planTime, const std::string& examDate) {
    Database db(m_path.toStdString(), Database::Mode::ReadWrite);
    auto st = db.prepare("update tab_plan set PlanMark = ?, PlanAmount = ?, PlanTime = ?, "
                         "ExamDate = ?");
    st.bind(1, planMark).bind(2, planAmount).bind(3, planTime).bind(4, examDate);
    st.run();
}

void TestBank::setLog(const std::string& day, int answers, const std::string& studyTime) {
    Database db(m_path.toStdString(), Database::Mode::ReadWrite);
    auto st = db.prepare("insert or replace into tab_rz (A1, A2, D1) values (?, ?, ?)");
    st.bind(1, day).bind(2, answers).bind(3, studyTime);
    st.run();
}

} // namespace tessaro::testing
