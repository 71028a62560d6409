#pragma once

#include "store/Database.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro::bank::test {

/// A fresh folder below the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }
    /// Writes text to a file in the folder and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

/// A small but complete bank source: two subjects, a catalogue, single and multiple choice,
/// a self-graded question, a group, and the five paper kinds. Its questions are listed under
/// "questions:" of chapter 100101 so tests can append more with appendToChapter.
std::string minimalSource();

/// Every row of a table as text, sorted, blobs written out in hex: equal lists mean equal tables.
std::vector<std::string> tableRows(store::Database& db, const std::string& table);

/// The tables a bank carries, for comparisons.
const std::vector<std::string>& bankTables();

/// The demo bank source in the source tree.
std::filesystem::path demoSource();

} // namespace tessaro::bank::test
