#include "BankWriter.h"

#include <map>
#include <set>

namespace tessaro::bank {

namespace {

using store::Blob;
using store::Statement;

void bindOptional(Statement& st, int index, const std::optional<Blob>& blob) {
    if (blob)
        st.bind(index, *blob);
    else
        st.bindNull(index);
}

} // namespace

void BankWriter::questions() {
    Statement answer = m_db.prepare(
        "insert into tab_answ (A1, A2, A2_1, K3, K4, K5, K6, K7, K8, K9, K10, K11, K12, A10, "
        "A13, A14, E1, E2, E2_1, E3, E4, F1, xx, csbs, ecount) values (?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, '', null, '', '', 0, 0, 0, ?, '', 0)");
    for (const auto& row : m_rows.answers) {
        answer.bind(1, row.id).bind(2, row.answer).bind(3, row.optionCount);
        for (int k = 0; k < 10; ++k)
            answer.bind(4 + k, k < static_cast<int>(row.points.size()) ? row.points[k] : "");
        answer.bind(14, row.chapter).bind(15, row.type).bind(16, row.order).run();
    }
    Statement content = m_db.prepare("insert into tab_exer (A1, A15, jx) values (?, ?, ?)");
    for (const auto& row : m_rows.contents) {
        content.bind(1, row.id).bind(2, row.text);
        bindOptional(content, 3, row.explanation);
        content.run();
    }
}

void BankWriter::stems() {
    Statement st = m_db.prepare("insert into tab_title (A1, A15) values (?, ?)");
    for (const auto& [id, stem] : m_rows.stems)
        st.bind(1, id).bind(2, stem).run();
}

void BankWriter::syllabus(bool withReservedRow) {
    std::map<std::string, int> counts;
    for (const auto& row : m_rows.answers)
        for (size_t length : {1, 2, 4, 6})
            if (row.chapter.size() >= length)
                ++counts[row.chapter.substr(0, length)];
    Statement st = m_db.prepare("insert into tab_kmmc (C1, C1_1, C2, C3, C4, D1, D2, C6, C7, "
                                "jx, bh) values (?, ?, ?, ?, 0, 0, 0, '0', ?, ?, ?)");
    if (withReservedRow)
        st.bind(1, "xx")
            .bind(2, "")
            .bind(3, "xx")
            .bind(4, 0)
            .bind(5, "1")
            .bindNull(6)
            .bind(7, 0)
            .run();
    for (const auto& row : m_rows.chapters) {
        st.bind(1, row.code).bind(2, row.label).bind(3, row.name).bind(4, counts[row.code]);
        st.bind(5, row.charted ? "0" : "1");
        bindOptional(st, 6, row.guidance);
        st.bind(7, row.order).run();
    }
}

void BankWriter::catalogue() {
    std::map<std::string, int> pointCounts;
    std::map<std::string, std::set<std::string>> entryQuestions;
    for (const auto& row : m_rows.answers)
        for (const auto& point : row.points) {
            ++pointCounts[point];
            for (size_t length : {2, 4, 6})
                entryQuestions[point.substr(0, length)].insert(row.id);
        }
    Statement rule = m_db.prepare("insert into tab_rule (ftid, id, sn, n, q, q1, q2, q4) "
                                  "values (?, ?, ?, ?, ?, 0, 0, 0)");
    for (const auto& row : m_rows.points) {
        rule.bind(1, row.id).bind(2, row.section).bind(3, row.label);
        bindOptional(rule, 4, row.text);
        rule.bind(5, pointCounts[row.id]).run();
    }
    Statement entry = m_db.prepare("insert into tab_fgmc (id, n, bh, q, q1, q2, q4) values "
                                   "(?, ?, ?, ?, 0, 0, 0)");
    for (const auto& row : m_rows.entries) {
        const auto found = entryQuestions.find(row.id);
        const int q = found == entryQuestions.end() ? 0 : static_cast<int>(found->second.size());
        entry.bind(1, row.id).bind(2, row.name).bind(3, row.order).bind(4, q).run();
    }
}

void BankWriter::identity(const BankSource& source) {
    m_db.prepare("insert into tab_sj (sjbs, cpbs) values (?, ?)")
        .bind(1, source.release)
        .bind(2, source.productId)
        .run();
}

void BankWriter::settings(const BankSource& source) {
    const Plan& plan = *source.plan;
    m_db.prepare("insert into tab_plan (PlanMark, PlanAmount, PlanTime, ExamDate, LeastMark, "
                 "ExamTime) values (?, ?, ?, ?, ?, ?)")
        .bind(1, plan.planMark)
        .bind(2, plan.planAmount)
        .bind(3, plan.planTime)
        .bind(4, plan.examDate)
        .bind(5, plan.leastMark)
        .bind(6, plan.examTime)
        .run();
    std::map<std::string, std::string> values = source.settings;
    values["ProductName"] = source.productName;
    for (const auto& paper : source.papers) {
        values["PaperTitle" + std::to_string(paper.kind)] = paper.title;
        Statement st = m_db.prepare("insert into tab_tx" + std::to_string(paper.kind) +
                                    " (A1, B1, B2, B3, time) values (?, ?, ?, ?, ?)");
        for (const auto& type : paper.types)
            st.bind(1, type.code)
                .bind(2, type.name)
                .bind(3, type.count)
                .bind(4, type.marks)
                .bind(5, type.minutes)
                .run();
    }
    Statement st = m_db.prepare("insert into tab_setting (name, value) values (?, ?)");
    for (const auto& [name, value] : values)
        st.bind(1, name).bind(2, value).run();
}

} // namespace tessaro::bank
