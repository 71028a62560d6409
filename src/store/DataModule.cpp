#include "DataModule.h"

#include "BankLocation.h"
#include "Clock.h"
#include "Durations.h"
#include "Schema.h"
#include "SharedValues.h"

#include <algorithm>
#include <cmath>
#include <sqlite3.h>
#include <system_error>

namespace fs = std::filesystem;

namespace tessaro::store {

namespace {

std::string placeholders(std::size_t count) {
    std::string list = "(";
    for (std::size_t i = 0; i < count; ++i)
        list += i ? ",?" : "?";
    return list + ")";
}

void bindAll(Statement& st, int first, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        st.bind(first + static_cast<int>(i), values[i]);
}

int one(int flag) {
    return flag == 2 ? 1 : 0;
}

} // namespace

DataModule::DataModule(const fs::path& bankPath) : m_path(bankPath) {
    std::error_code ec;
    if (!fs::is_regular_file(bankPath, ec)) {
        m_error = "no question bank at " + bankPath.string();
        return;
    }
    try {
        auto db = std::make_unique<Database>(bankPath.string(), Database::Mode::ReadWrite);
        if (sqlite3_db_readonly(db->handle(), "main") == 1) {
            m_error = "the question bank " + bankPath.string() + " cannot be written";
            return;
        }
        if (std::string problem = schema::checkBank(*db); !problem.empty()) {
            m_error = bankPath.string() + ": " + problem;
            return;
        }
        db->exec("pragma journal_mode = wal; pragma synchronous = normal;");
        m_db = std::move(db);
    } catch (const DbError& error) {
        m_error = error.what();
    }
}

std::unique_ptr<DataModule>
DataModule::DataModuleCreate(const std::optional<fs::path>& explicitBank) {
    shared().AppDir = location::findAppDir();
    if (explicitBank)
        return std::make_unique<DataModule>(*explicitBank);
    const auto prepared = location::prepareUserBank(shared().AppDir, location::userDataDir());
    auto module = std::make_unique<DataModule>(prepared.bank);
    if (!prepared.error.empty() && !module->Connected())
        module->m_error = prepared.error;
    return module;
}

Statement& DataModule::cached(const std::string& sql) {
    auto& slot = m_statements[sql];
    if (!slot)
        slot = std::make_unique<Statement>(*m_db, sql);
    slot->reset();
    return *slot;
}

void DataModule::LogAnswer(int firstToday, int wrongNow, int previouslyWrong) {
    const std::string day = today();
    const int wrong = one(wrongNow);
    int newQuestion = 0;
    int wrongQuestionDelta = 0;
    if (firstToday == 2) {
        newQuestion = 1;
        wrongQuestionDelta = wrong;
    } else if (previouslyWrong == 1 && wrongNow == 2) {
        wrongQuestionDelta = 1;
    } else if (previouslyWrong == 2 && wrongNow == 1) {
        wrongQuestionDelta = -1;
    }
    Statement& update = cached("update tab_rz set A2=A2+1, A3=A3+?1, B1=B1+?2, "
                               "B2=max(0, B2+?3) where A1=?4");
    update.bind(1, wrong).bind(2, newQuestion).bind(3, wrongQuestionDelta).bind(4, day).run();
    if (m_db->changes() > 0)
        return;
    Statement& insert = cached("insert into tab_rz (A1, A2, A3, B1, B2) values (?1, 1, ?2, 1, ?2)");
    insert.bind(1, day).bind(2, wrong).run();
}

void DataModule::CountChapterAnswer(std::string_view chapterCode, int firstEver, int wrongNow) {
    if (chapterCode.empty())
        return;
    // The code and each of its leading parts, down to the subject's single character.
    std::vector<std::string> codes;
    for (std::size_t length = chapterCode.size(); length >= 1; --length)
        codes.emplace_back(chapterCode.substr(0, length));
    Statement& st = cached("update tab_kmmc set C4=C4+?1, D1=D1+1, D2=D2+?2 where C1 in " +
                           placeholders(codes.size()));
    st.bind(1, one(firstEver)).bind(2, one(wrongNow));
    bindAll(st, 3, codes);
    st.run();
}

void DataModule::CountPointAnswer(const std::vector<std::string>& points,
                                  const std::vector<std::string>& sections,
                                  const std::vector<std::string>& tops, int firstEver,
                                  int wrongNow) {
    const auto count = [&](const char* table, const char* key,
                           const std::vector<std::string>& ids) {
        if (ids.empty())
            return;
        Statement& st =
            cached(std::string("update ") + table + " set q2=q2+1, q1=q1+?1, q4=q4+?2 where " +
                   key + " in " + placeholders(ids.size()));
        st.bind(1, one(firstEver)).bind(2, one(wrongNow));
        bindAll(st, 3, ids);
        st.run();
    };
    count("tab_rule", "ftid", points);
    count("tab_fgmc", "id", sections);
    count("tab_fgmc", "id", tops);
}

void DataModule::AddStudyTime(std::string_view duration) {
    Transaction tx(*m_db);
    Statement& read = cached("select A2, A3, D1 from tab_rz where A1=?");
    read.bind(1, today());
    if (read.step()) {
        const std::string rate = formatRate(read.integer(0), read.integer(1));
        // A stored time that cannot be read counts as nothing rather than blocking every
        // later close; the new total replaces it.
        const auto stored = TimeToSeconds(read.text(2)).value_or(0);
        const auto added = TimeToSeconds(duration).value_or(0);
        read.reset();
        Statement& write = cached("update tab_rz set A4=?1, D1=?2 where A1=?3");
        write.bind(1, rate).bind(2, formatDuration(stored + added)).bind(3, today()).run();
    }
    read.reset();
    const std::string rate = "case when D1 <= 0 then '0' "
                             "else printf('%2.2f', (D1 - D2) * 100.0 / D1) end";
    Statement& rates = cached("update tab_kmmc set C6 = " + rate + " where C6 is not " + rate);
    rates.run();
    tx.commit();
}

int DataModule::TotalMarks(int paperKind) {
    Statement st(*m_db, "select sum(B2 * B3) from " + schema::typeTableName(paperKind));
    return st.step() && !st.isNull(0) ? static_cast<int>(st.integer(0)) : 0;
}

void DataModule::DropPaperTable(std::string_view tableName) {
    if (!schema::isPaperTableName(tableName))
        return;
    try {
        Transaction tx(*m_db);
        if (m_db->hasTable(tableName))
            m_db->exec("drop table \"" + std::string(tableName) + "\"");
        Statement st(*m_db, "delete from tab_cj where A1 = ?");
        st.bind(1, tableName).run();
        tx.commit();
    } catch (const DbError&) {
        // A paper that cannot be removed stays as it was; callers carry on.
    }
}

bool DataModule::Cn1DS_kmmcDataChange(std::string_view chapterCode) {
    Statement& st = cached("select C1_1, length(jx) from tab_kmmc where C1 = ?");
    st.bind(1, chapterCode);
    if (!st.step()) {
        shared().CurrentChapter.clear();
        return false;
    }
    shared().CurrentChapter = st.text(0);
    const bool hasGuidance = !st.isNull(1) && st.integer(1) >= 1;
    st.reset();
    return hasGuidance;
}

void DataModule::loadTypeTimes(int paperKind) {
    auto& values = shared();
    values.TypeTimes.clear();
    values.TypeIds.clear();
    Statement st(*m_db, "select A1, time from " + schema::typeTableName(paperKind));
    while (st.step()) {
        values.TypeIds.push_back(static_cast<int>(st.integer(0)));
        values.TypeTimes.push_back(static_cast<int>(std::trunc(st.real(1) * 600.0)));
    }
}

std::optional<std::string> DataModule::setting(std::string_view name) {
    Statement& st = cached("select value from tab_setting where name = ?");
    st.bind(1, name);
    auto value = st.step() ? st.optionalText(0) : std::nullopt;
    st.reset();
    return value;
}

void DataModule::setSetting(std::string_view name, std::string_view value) {
    Statement& st = cached("insert into tab_setting (name, value) values (?1, ?2) "
                           "on conflict(name) do update set value = excluded.value");
    st.bind(1, name).bind(2, value).run();
}

int DataModule::volumeLevel() {
    const auto stored = setting("VolumeLevel");
    try {
        return stored ? std::clamp(std::stoi(*stored), 1, 16) : 12;
    } catch (const std::exception&) {
        return 12;
    }
}

int TypePage(int typeCode) {
    switch (typeCode) {
    case 61:
        return 0;
    case 66:
        return 1;
    case 71:
    case 72:
    case 73:
    case 74:
        return 4;
    default:
        return 99;
    }
}

} // namespace tessaro::store
