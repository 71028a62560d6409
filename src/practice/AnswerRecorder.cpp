#include "AnswerRecorder.h"

#include "store/Clock.h"

namespace tessaro::practice {

PointLists pointLists(const QuestionRow& row) {
    PointLists lists;
    for (const std::string& point : row.K) {
        if (point.empty())
            break;
        lists.points.push_back(point);
        lists.sections.push_back(point.substr(0, 6));
        lists.tops.push_back(point.substr(0, 2));
    }
    return lists;
}

store::AnswerFlags answerFlags(const QuestionRow& row, const std::string& answer,
                               const std::string& today) {
    store::AnswerFlags flags;
    flags.firstToday = row.E1 == today ? 1 : 2;
    flags.wrongNow = answer == row.A2 ? 1 : 2;
    flags.previouslyWrong = row.E2.value_or("") == row.A2 && !row.neverAnswered() ? 1 : 2;
    flags.firstEver = row.neverAnswered() ? 2 : 1;
    return flags;
}

void AnswerRecorder::RecordAnswer(QuestionRow& row, const std::string& answer) {
    store::Database& db = m_module.db();
    store::Transaction tx(db);
    if (answer.empty()) {
        m_module.cached("update tab_answ set E2_1 = '' where A1 = ?").bind(1, row.A1).run();
        tx.commit();
        row.E2_1.clear();
        return;
    }
    QuestionRow updated = row;
    const std::string day = store::today();
    if (answer != row.E2_1) {
        const store::AnswerFlags flags = answerFlags(row, answer, day);
        if (row.neverAnswered())
            updated.E4 = flags.wrongNow == 1 ? 0 : -3;
        else if (flags.wrongNow == 2)
            updated.E4 = row.E4 - 1;
        else if (row.E4 < 0)
            updated.E4 = row.E4 + 1;
        updated.E3 = row.E3 + 1;
        m_module.LogAnswer(flags.firstToday, flags.wrongNow, flags.previouslyWrong);
        m_module.CountChapterAnswer(row.A10, flags.firstEver, flags.wrongNow);
        if (const PointLists lists = pointLists(row); !lists.points.empty())
            m_module.CountPointAnswer(lists.points, lists.sections, lists.tops, flags.firstEver,
                                      flags.wrongNow);
    }
    updated.E2_1 = answer;
    updated.E2 = answer;
    updated.E1 = day;
    m_module
        .cached("update tab_answ set E2_1 = ?1, E2 = ?2, E1 = ?3, E3 = ?4, E4 = ?5 where A1 = ?6")
        .bind(1, updated.E2_1)
        .bind(2, *updated.E2)
        .bind(3, *updated.E1)
        .bind(4, updated.E3)
        .bind(5, updated.E4)
        .bind(6, row.A1)
        .run();
    tx.commit();
    row = std::move(updated);
}

void AnswerRecorder::setVoided(QuestionRow& row, bool voided) {
    store::Transaction tx(m_module.db());
    if (voided)
        m_module.cached("update tab_answ set F1 = 1, E2 = 'zero' where A1 = ?")
            .bind(1, row.A1)
            .run();
    else
        m_module.cached("update tab_answ set F1 = 0 where A1 = ?").bind(1, row.A1).run();
    tx.commit();
    row.F1 = voided ? 1 : 0;
    if (voided)
        row.E2 = "zero";
}

} // namespace tessaro::practice
