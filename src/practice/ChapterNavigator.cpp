#include "ChapterNavigator.h"

#include "store/DataModule.h"
#include "store/SharedValues.h"

namespace tessaro::practice {

int ChapterRow::level() const {
    int count = 0;
    for (char c : C1)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void ChapterNavigator::refresh() {
    m_rows.clear();
    auto st = m_module.db().prepare(
        "select C1, C1_1, C2, C3, C4, D1, D2, C6 from tab_kmmc where c1<>'xx' order by bh, C1");
    while (st.step()) {
        ChapterRow row;
        row.C1 = st.text(0);
        row.C1_1 = st.text(1);
        row.C2 = st.text(2);
        row.C3 = st.integer(3);
        row.C4 = st.integer(4);
        row.D1 = st.integer(5);
        row.D2 = st.integer(6);
        row.C6 = st.text(7);
        m_rows.push_back(std::move(row));
    }
    m_totals = navigatorTotals(m_module.db());
    if (m_totals.score)
        m_score = *m_totals.score;
    int index = m_rows.empty() ? -1 : 0;
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        if (!m_remembered.empty() && m_rows[i].C1 == m_remembered)
            index = i;
    setCurrent(index);
}

bool ChapterNavigator::setCurrent(int index) {
    if (index < 0 || index >= static_cast<int>(m_rows.size())) {
        m_current = -1;
        m_guidance = false;
        return false;
    }
    m_current = index;
    m_guidance = m_module.Cn1DS_kmmcDataChange(m_rows[index].C1);
    return m_guidance;
}

std::optional<std::vector<std::uint8_t>> ChapterNavigator::currentGuidance() const {
    if (m_current < 0)
        return std::nullopt;
    auto st = m_module.db().prepare("select jx from tab_kmmc where C1 = ?");
    st.bind(1, m_rows[m_current].C1);
    if (!st.step() || st.isNull(0))
        return std::nullopt;
    return st.blob(0);
}

ChapterNavigator::Start ChapterNavigator::startPractice(PracticeMode mode) {
    if (m_current < 0)
        return Start::NoRow;
    const std::string code = m_rows[m_current].C1;
    m_remembered = code;
    if (!isPractisableChapter(code))
        return Start::NeedChapter;
    QuestionListQuery query = questionListFor(mode, code);
    store::shared().QuestionListSql = std::move(query.sql);
    store::shared().QuestionListParams = std::move(query.params);
    return Start::Ready;
}

} // namespace tessaro::practice
