#pragma once

#include <string>
#include <string_view>

namespace tessaro::store {

class Database;

namespace schema {

/// Marks a file as a Tessaro bank (PRAGMA application_id, "TSRO").
inline constexpr int kApplicationId = 0x5453524F;
/// Layout version of the tables below (PRAGMA user_version).
inline constexpr int kVersion = 1;

/// The paper-table statement, kept in the form the papers have always been created with.
inline constexpr std::string_view kPaperTableColumns =
    " (A1 TEXT(20) NOT NULL PRIMARY KEY,A2 TEXT(100),A2_1 SMALLINT,"
    "K3 TEXT(12),K4 TEXT(12),K5 TEXT(12),K6 TEXT(12),K7 TEXT(12),K8 TEXT(12),K9 TEXT(12),K10 "
    "TEXT(12),K11 TEXT(12),K12 TEXT(12)"
    ",A10 TEXT(6),A13 SMALLINT,A14 MEMO,E1 DATETIME,E2 TEXT(100),"
    "E2_1 TEXT(100),E3 SMALLINT,E4 SMALLINT,jx IMAGE,csbs TEXT(2),"
    "F1 SMALLINT)";

/// Creates every bank table and index in an empty database and stamps it as a bank.
void createBank(Database& db);

/// Creates the tables an update file carries (tab_kmmc, tab_exer, tab_answ, tab_rule, tab_fgmc,
/// tab_sj), with the bank's columns in the bank's order.
void createUpdateFile(Database& db);

/// Empty when the database is a bank this program can open; otherwise why not.
std::string checkBank(Database& db);

/// True for "tab_exam" followed by decimal digits, the only names paper tables get.
bool isPaperTableName(std::string_view name);

/// Creates a paper table; the name must pass isPaperTableName.
void createPaperTable(Database& db, std::string_view name);

/// The question-type table of a paper kind 1..5, "tab_tx" + kind.
std::string typeTableName(int paperKind);

} // namespace schema
} // namespace tessaro::store
