#include "PracticeSession.h"

#include "store/DataModule.h"
#include "store/Durations.h"
#include "store/JetSql.h"
#include "store/Schema.h"
#include "store/SharedValues.h"

#include <algorithm>
#include <chrono>

namespace tessaro::practice {

namespace {

/// The first count characters of UTF-8 text.
std::string leadingCharacters(const std::string& text, int count) {
    std::size_t end = 0;
    for (int taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
}

std::string verticalLabel(const std::string& caption) {
    const std::string first = leadingCharacters(caption, 1);
    const std::string second = leadingCharacters(caption.substr(first.size()), 1);
    return second.empty() ? first : first + "\n" + second;
}

} // namespace

PracticeSession::PracticeSession(store::DataModule& module)
    : m_module(module), m_recorder(module) {}

bool PracticeSession::LoadQuestionList() {
    store::Database& db = m_module.db();
    // Only rows holding an answer need clearing; NULL means "not answered" just as '' does.
    db.exec("Update tab_answ set E2_1= '' where E2_1 <> ''");
    m_rows.clear();
    const auto& values = store::shared();
    auto list = db.prepare(store::jet::translate(values.QuestionListSql));
    for (std::size_t i = 0; i < values.QuestionListParams.size(); ++i)
        list.bind(static_cast<int>(i) + 1, values.QuestionListParams[i]);
    while (list.step())
        m_rows.push_back(readQuestionRow(list));
    if (m_rows.empty())
        return false;
    store::shared().FirstQuestionId = m_rows.front().A1;

    m_types.assign(1, TypeButton{0, "任意", true});
    const int kind = std::max(1, values.PaperKind);
    auto types =
        db.prepare("select A1, B1 from " + store::schema::typeTableName(kind) + " order by A1 ASC");
    while (types.step()) {
        const int code = static_cast<int>(types.integer(0));
        const bool any = std::any_of(m_rows.begin(), m_rows.end(),
                                     [code](const QuestionRow& row) { return row.A13 == code; });
        m_types.push_back(TypeButton{code, types.text(1), any});
    }
    applyFilter(0);
    return true;
}

void PracticeSession::start() {
    m_current = 0;
    m_panelOpen = false;
    m_started = store::Clock::current().now();
    selectType(0);
    m_pointsEnabled = false;
}

void PracticeSession::close() {
    if (m_closed)
        return;
    m_closed = true;
    m_gaugeOn = false;
    const std::string elapsed = stopwatchText();
    // The study time is added even when the last answer cannot be written.
    try {
        if (m_current >= 1)
            MarkAnswer(m_current, MarkMode::Silent);
    } catch (...) {
        m_module.AddStudyTime(elapsed);
        throw;
    }
    m_module.AddStudyTime(elapsed);
}

void PracticeSession::applyFilter(int typeCode) {
    if (typeCode == m_filterType)
        return;
    m_filterType = typeCode;
    m_filtered.clear();
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        if (typeCode == 0 || m_rows[i].A13 == typeCode)
            m_filtered.push_back(i);
}

void PracticeSession::selectType(int index) {
    if (index < 0 || index >= static_cast<int>(m_types.size()))
        return;
    if (m_current > 0)
        MarkAnswer(m_current, MarkMode::Silent);
    m_current = 0;
    const TypeButton& button = m_types[index];
    m_typeLabel = button.tag != 0 ? verticalLabel(button.caption) : "主\n观";
    applyFilter(button.tag);
    if (m_filtered.empty()) {
        m_types[index].enabled = false;
        const int previous = m_selectedType;
        if (previous >= 0 && previous != index) {
            m_selectedType = -1;
            selectType(previous);
        } else {
            m_selectedType = -1;
        }
        return;
    }
    m_selectedType = index;
    SetupGroup(GroupMove::First, listSize());
}

void PracticeSession::SetupGroup(GroupMove move, int total) {
    switch (move) {
    case GroupMove::First:
        m_groups = (total + kGroupSize - 1) / kGroupSize;
        m_total = total;
        m_groupNo = 1;
        m_previousGroupEnabled = false;
        m_nextGroupEnabled = m_groups > 1;
        m_groupFirst = 1;
        m_groupCount = std::min(total, kGroupSize);
        break;
    case GroupMove::Previous: {
        const int g = m_groupNo;
        m_groupFirst = g * kGroupSize - 2 * kGroupSize + 1;
        m_groupNo = g - 1;
        m_groupCount = kGroupSize;
        break;
    }
    case GroupMove::Next: {
        const int g = m_groupNo;
        m_groupFirst = g * kGroupSize + 1;
        m_groupNo = g + 1;
        m_groupCount = total < g * kGroupSize + kGroupSize ? total - g * kGroupSize : kGroupSize;
        break;
    }
    }
    for (int i = 0; i < kGroupSize; ++i) {
        NumberButton& button = m_numbers[i];
        if (i < m_groupCount) {
            button.enabled = true;
            button.tag = m_groupFirst + i;
            const QuestionRow& row = rowAt(button.tag);
            button.up = button.down = verdictOf(row.E2_1, row.A2);
        } else {
            button = NumberButton{};
        }
    }
    m_selectedNumber = -1;
    pressNumber(0);
}

void PracticeSession::pressNumber(int index) {
    if (index < 0 || index >= kGroupSize || !m_numbers[index].enabled)
        return;
    m_selectedNumber = index;
    m_edited.clear();
    m_panelOpen = false;
    const int target = m_numbers[index].tag;
    m_previousEnabled = target > 1;
    m_nextEnabled = target < listSize();
    ShowQuestion(m_current, target);
    const QuestionRow& row = rowAt(target);
    showVoidState(row);
    if (row.ecount != 0)
        m_edited = "本题被您修改过";
}

void PracticeSession::showVoidState(const QuestionRow& row) {
    m_status.clear();
    m_voidCaption = kVoidCaption;
    if (row.F1 == 1) {
        m_status = "本题已被您作废！";
        m_voidCaption = kUnvoidCaption;
    } else if (row.F1 == 2) {
        m_status = "本题是您加入的题目！";
    }
}

void PracticeSession::ShowQuestion(int previous, int target) {
    MarkAnswer(previous, MarkMode::Leaving);
    m_current = target;
    const QuestionRow& row = rowAt(target);
    loadContent(row.A1);
    m_occurrence = std::to_string(row.E3 >= 1 ? row.E3 + 1 : 1);
    m_position = std::to_string(target - m_groupFirst + 1);
    if (const int page = store::TypePage(row.A13); page != 99)
        m_page = page;
    m_state = RestoreAnswer(m_page, row.A2_1, row.E2_1);
    restoreCommands(row);
    const int index = (target % kGroupSize == 0 ? kGroupSize : target % kGroupSize) - 1;
    m_numbers[index].down = verdictOf(row.E2_1, row.A2);
    m_interval = store::shared().typeTimeFor(row.A13);
    m_gaugeFrozen = 0;
    m_gaugeStart = store::Clock::current().now();
    m_gaugeOn = true;
}

void PracticeSession::loadContent(const std::string& id) {
    m_content = QuestionContent{};
    m_content.id = id;
    m_content.grouped = id.find('-') != std::string::npos;
    try {
        store::Statement& st = m_module.cached("select A15, jx from tab_exer where a1 = ?");
        st.bind(1, id);
        if (st.step()) {
            m_content.text = st.blob(0);
            if (!st.isNull(1))
                m_content.jx = st.blob(1);
        }
        st.reset();
        if (m_content.grouped) {
            store::Statement& heading = m_module.cached("select A15 from tab_title where A1=:A1");
            heading.bind(1, id.substr(0, 16));
            if (heading.step())
                m_content.heading = heading.blob(0);
            heading.reset();
        }
    } catch (const store::DbError&) {
        m_content.failed = true;
        say("错误", "无法打开试题！", 2);
    }
}

void PracticeSession::restoreCommands(const QuestionRow& row) {
    const bool answered = !row.E2_1.empty();
    m_answerEnabled = answered && !isSelfAssessed(row.A13);
    m_explanationEnabled = answered && m_content.jx.has_value();
    m_pointsEnabled = answered && !isBlank(row.K[0]);
    m_noteCaption = isBlank(row.A14) ? "笔记" : "有内容";
}

void PracticeSession::MarkAnswer(int record, MarkMode mode) {
    if (record <= 0 || record > listSize())
        return;
    QuestionRow& row = mutableRow(record);
    const std::string answer = CaptureAnswer(m_page, m_state);
    m_recorder.RecordAnswer(row, answer);
    const bool inGroup = record >= m_groupFirst && record <= m_groupFirst + m_groupCount - 1;
    const Verdict verdict = verdictOf(answer, row.A2);
    if (!answer.empty()) {
        if (mode == MarkMode::Checking) {
            m_explanationEnabled = m_content.jx.has_value();
            m_pointsEnabled = !isBlank(row.K[0]);
            if (inGroup)
                m_numbers[buttonIndexOf(record)].down = verdict;
            m_answerEnabled = !isSelfAssessed(row.A13);
        } else if (mode == MarkMode::Leaving && inGroup) {
            m_numbers[buttonIndexOf(record)].up = verdict;
        }
        return;
    }
    if (mode == MarkMode::Checking)
        say("提示", "请先做出答案！", 1);
    else if (mode == MarkMode::Leaving && inGroup)
        m_numbers[buttonIndexOf(record)].up = Verdict::Unanswered;
}

void PracticeSession::check() {
    if (m_current >= 1)
        MarkAnswer(m_current, MarkMode::Checking);
}

void PracticeSession::previousQuestion() {
    const int target = m_current - 1;
    if (target >= m_groupFirst) {
        pressNumber(target - (m_groupNo - 1) * kGroupSize - 1);
    } else if (m_groupNo >= 2) {
        m_nextGroupEnabled = true;
        if (m_groupNo == 2)
            m_previousGroupEnabled = false;
        SetupGroup(GroupMove::Previous, m_total);
    }
}

void PracticeSession::nextQuestion() {
    const int target = m_current + 1;
    if (target <= m_groupFirst + m_groupCount - 1) {
        pressNumber(target - (m_groupNo - 1) * kGroupSize - 1);
    } else if (m_groupNo < m_groups) {
        m_previousGroupEnabled = true;
        if (m_groupNo + 1 == m_groups)
            m_nextGroupEnabled = false;
        SetupGroup(GroupMove::Next, m_total);
    }
}

void PracticeSession::previousGroup() {
    if (m_groupNo < 2)
        return;
    m_nextGroupEnabled = true;
    m_previousGroupEnabled = m_groupNo > 2;
    SetupGroup(GroupMove::Previous, m_total);
}

void PracticeSession::nextGroup() {
    if (m_groupNo >= m_groups)
        return;
    m_previousGroupEnabled = true;
    m_nextGroupEnabled = m_groups - m_groupNo > 2;
    SetupGroup(GroupMove::Next, m_total);
}

const QuestionRow* PracticeSession::currentRow() const {
    return m_current >= 1 && m_current <= listSize() ? &rowAt(m_current) : nullptr;
}

const QuestionRow& PracticeSession::rowAt(int record) const {
    return m_rows.at(m_filtered.at(record - 1));
}

QuestionRow& PracticeSession::mutableRow(int record) {
    return m_rows.at(m_filtered.at(record - 1));
}

void PracticeSession::pressOption(int index) {
    practice::pressOption(m_page, m_state, index);
}

KeyAction PracticeSession::handleKey(char key) {
    const KeyRule rule = keyRule(m_page, key, m_previousEnabled, m_nextEnabled);
    switch (rule.action) {
    case KeyAction::Previous:
        previousQuestion();
        break;
    case KeyAction::Next:
        nextQuestion();
        break;
    case KeyAction::Option:
        pressOption(rule.option);
        break;
    case KeyAction::None:
        break;
    }
    return rule.action;
}

void PracticeSession::toggleVoid() {
    if (listSize() < 1 || m_current < 1)
        return;
    QuestionRow& row = mutableRow(m_current);
    if (m_voidCaption == kVoidCaption) {
        m_recorder.setVoided(row, true);
        m_status = "本题已被您作废！";
        m_voidCaption = kUnvoidCaption;
    } else {
        m_recorder.setVoided(row, false);
        m_status = "本题曾被作废，现已被您取消！";
        m_voidCaption = kVoidCaption;
    }
}

void PracticeSession::saveNote(const std::string& text) {
    if (m_current < 1)
        return;
    QuestionRow& row = mutableRow(m_current);
    m_module.cached("update tab_answ set A14 = ? where A1 = ?").bind(1, text).bind(2, row.A1).run();
    row.A14 = text;
    store::shared().NoteHasContent = !isBlank(text);
    m_noteCaption = store::shared().NoteHasContent ? "有内容" : "笔记";
}

Comparison PracticeSession::openComparison() {
    const QuestionRow* row = currentRow();
    m_panelOpen = true;
    return compareAnswer(m_page, m_state, row ? row->A2 : std::string());
}

int PracticeSession::gauge() const {
    if (!m_gaugeOn)
        return m_gaugeFrozen;
    using namespace std::chrono;
    const auto elapsed =
        duration_cast<milliseconds>(store::Clock::current().now() - m_gaugeStart).count();
    return static_cast<int>(std::min<long long>(kGaugeSteps, elapsed / std::max(1, m_interval)));
}

void PracticeSession::pollGauge() {
    if (!m_gaugeOn || gauge() < kGaugeSteps)
        return;
    m_gaugeOn = false;
    m_gaugeFrozen = kGaugeSteps;
    say("提示", "到时间了", 1);
    if (m_current >= 1) {
        QuestionRow& row = mutableRow(m_current);
        m_module.cached("update tab_answ set csbs = 'Y' where A1 = ?").bind(1, row.A1).run();
        row.csbs = "Y";
    }
}

std::string PracticeSession::stopwatchText() const {
    return store::formatStopwatch(store::secondsSince(m_started));
}

void PracticeSession::say(const std::string& title, const std::string& text, int page) {
    if (notify)
        notify(Notice{title, text, 1, page, "NO"});
}

} // namespace tessaro::practice
