#pragma once

#include "Database.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaro::store {

/// The flags of one answer event, each 1 or 2 as the counters expect them.
struct AnswerFlags {
    int firstToday = 1;      ///< 2: the question's last answer was not today
    int wrongNow = 1;        ///< 2: the new answer differs from the key
    int previouslyWrong = 1; ///< 2: the stored last answer differs from the key (or is empty)
    int firstEver = 1;       ///< 2: the question was never answered
};

/// Owner of the one connection to the learner's bank, and of the counters every recorded
/// answer updates. Errors from the counters propagate as DbError to the caller, which runs them
/// inside the transaction of the answer they belong to.
class DataModule {
public:
    /// Opens an existing bank; never creates, replaces or repairs one. Connected() tells how it
    /// went and connectError() why not.
    explicit DataModule(const std::filesystem::path& bankPath);

    /// Resolves AppDir and the learner's bank (copying the shipped one on first start, unless
    /// an explicit bank is named) and opens it.
    static std::unique_ptr<DataModule>
    DataModuleCreate(const std::optional<std::filesystem::path>& explicitBank = std::nullopt);

    bool Connected() const { return m_db != nullptr; }
    const std::string& connectError() const { return m_error; }
    Database& db() { return *m_db; }
    const std::filesystem::path& bankPath() const { return m_path; }

    void LogAnswer(int firstToday, int wrongNow, int previouslyWrong);
    void CountChapterAnswer(std::string_view chapterCode, int firstEver, int wrongNow);
    /// The lists hold knowledge-point ids, their 6-character sections and 2-character top
    /// entries; a row is counted once per answer however often it is named.
    void CountPointAnswer(const std::vector<std::string>& points,
                          const std::vector<std::string>& sections,
                          const std::vector<std::string>& tops, int firstEver, int wrongNow);
    /// Adds a window's duration to today's study time and refreshes every chapter's rate.
    void AddStudyTime(std::string_view duration);

    /// Full marks of a paper of the given kind: the sum of B2 × B3 over its type table.
    int TotalMarks(int paperKind);
    /// Removes a paper table and its tab_cj row; anything but a paper table name is ignored.
    void DropPaperTable(std::string_view tableName);
    /// The navigator moved to a chapter: CurrentChapter takes its label. Returns whether the
    /// chapter has study guidance.
    bool Cn1DS_kmmcDataChange(std::string_view chapterCode);

    /// Loads TypeTimes and TypeIds of a paper kind into the shared values.
    void loadTypeTimes(int paperKind);

    std::optional<std::string> setting(std::string_view name);
    void setSetting(std::string_view name, std::string_view value);
    /// The configured output volume 1..16 (12 when none is stored).
    int volumeLevel();

    /// A prepared statement kept for the life of the connection.
    Statement& cached(const std::string& sql);

private:
    std::filesystem::path m_path;
    std::unique_ptr<Database> m_db;
    std::string m_error;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_statements;
};

/// The answer page of a question type: 0 single choice, 1 multiple choice, 4 self-assessed,
/// 99 none.
int TypePage(int typeCode);

} // namespace tessaro::store
