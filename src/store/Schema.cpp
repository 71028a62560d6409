#include "Schema.h"

#include "Database.h"
#include "JetSql.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tessaro::store::schema {

namespace {

// Text compares without regard to letter case throughout, as the bank's queries expect.
// Days are ISO dates "YYYY-MM-DD"; durations are "h:mm:ss" text; rich text is kept as bytes.
constexpr std::string_view kKmmc = R"(
create table tab_kmmc (
  C1 text collate nocase not null, C1_1 text collate nocase, C2 text collate nocase,
  C3 integer not null default 0, C4 integer not null default 0,
  D1 integer not null default 0, D2 integer not null default 0,
  C6 text collate nocase default '0', C7 text collate nocase, jx blob, bh integer);
create unique index ix_kmmc_c1 on tab_kmmc(C1);
create index ix_kmmc_bh on tab_kmmc(bh);
)";

constexpr std::string_view kExer = R"(
create table tab_exer (A1 text collate nocase primary key, A15 blob, jx blob);
)";

constexpr std::string_view kAnsw = R"(
create table tab_answ (
  A1 text collate nocase primary key, A2 text collate nocase, A2_1 integer,
  K3 text collate nocase, K4 text collate nocase, K5 text collate nocase, K6 text collate nocase,
  K7 text collate nocase, K8 text collate nocase, K9 text collate nocase, K10 text collate nocase,
  K11 text collate nocase, K12 text collate nocase,
  A10 text collate nocase, A13 integer, A14 text, E1 text, E2 text collate nocase,
  E2_1 text collate nocase, E3 integer default 0, E4 integer default 0,
  F1 integer not null default 0, xx integer, csbs text collate nocase,
  ecount integer not null default 0);
create index ix_answ_a10 on tab_answ(A10, xx);
create index ix_answ_k3 on tab_answ(K3);
)";

constexpr std::string_view kRule = R"(
create table tab_rule (
  ftid text collate nocase primary key, id text collate nocase, sn text collate nocase, n blob,
  q integer not null default 0, q1 integer not null default 0,
  q2 integer not null default 0, q4 integer not null default 0);
create index ix_rule_id on tab_rule(id);
)";

constexpr std::string_view kFgmc = R"(
create table tab_fgmc (
  id text collate nocase primary key, n text collate nocase, bh integer,
  q integer not null default 0, q1 integer not null default 0,
  q2 integer not null default 0, q4 integer not null default 0);
create index ix_fgmc_bh on tab_fgmc(bh);
)";

constexpr std::string_view kSj = R"(
create table tab_sj (sjbs text collate nocase, cpbs text collate nocase);
)";

constexpr std::string_view kBankOnly = R"(
create table tab_title (A1 text collate nocase primary key, A15 blob);
create table tab_cj (
  A1 text collate nocase primary key, A3 text collate nocase, A3_1 integer, D1 text,
  A6 real, D2 text);
create table tab_rz (
  A1 text primary key, A2 integer not null default 0, A3 integer not null default 0,
  B1 integer not null default 0, B2 integer not null default 0, D1 text, A4 text);
create table tab_plan (
  PlanMark integer, PlanAmount integer, PlanTime integer, ExamDate text,
  LeastMark integer, ExamTime integer);
create table tab_setting (name text collate nocase primary key, value text);
)";

constexpr std::string_view kTypeTable =
    " (A1 integer, B1 text collate nocase, B2 integer, B3 integer, time real)";

void createSharedTables(Database& db) {
    db.exec(kKmmc);
    db.exec(kExer);
    db.exec(kAnsw);
    db.exec(kRule);
    db.exec(kFgmc);
    db.exec(kSj);
}

void stamp(Database& db) {
    db.exec("pragma application_id = " + std::to_string(kApplicationId));
    db.exec("pragma user_version = " + std::to_string(kVersion));
}

} // namespace

void createBank(Database& db) {
    Transaction tx(db);
    createSharedTables(db);
    db.exec(kBankOnly);
    for (int kind = 1; kind <= 5; ++kind)
        db.exec("create table " + typeTableName(kind) + std::string(kTypeTable));
    stamp(db);
    tx.commit();
}

void createUpdateFile(Database& db) {
    Transaction tx(db);
    createSharedTables(db);
    stamp(db);
    tx.commit();
}

std::string checkBank(Database& db) {
    try {
        if (db.scalarInt("pragma application_id").value_or(0) != kApplicationId)
            return "not a Tessaro question bank";
        const auto version = db.scalarInt("pragma user_version").value_or(0);
        if (version < 1 || version > kVersion)
            return "question bank of unknown version " + std::to_string(version);
        for (const char* table : {"tab_answ", "tab_exer", "tab_title", "tab_kmmc", "tab_rule",
                                  "tab_fgmc", "tab_cj", "tab_rz", "tab_plan", "tab_sj", "tab_tx1",
                                  "tab_tx2", "tab_tx3", "tab_tx4", "tab_tx5"})
            if (!db.hasTable(table))
                return std::string("table ") + table + " is missing";
    } catch (const DbError& error) {
        return error.what();
    }
    return {};
}

bool isPaperTableName(std::string_view name) {
    constexpr std::string_view prefix = "tab_exam";
    if (name.size() <= prefix.size() || name.size() > 20)
        return false;
    const bool prefixMatches =
        std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return prefixMatches && std::all_of(name.begin() + prefix.size(), name.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c));
           });
}

void createPaperTable(Database& db, std::string_view name) {
    if (!isPaperTableName(name))
        throw std::invalid_argument("not a paper table name: " + std::string(name));
    db.exec(jet::translate("CREATE TABLE " + std::string(name) + std::string(kPaperTableColumns)));
}

std::string typeTableName(int paperKind) {
    if (paperKind < 1 || paperKind > 5)
        throw std::invalid_argument("paper kind out of range: " + std::to_string(paperKind));
    return "tab_tx" + std::to_string(paperKind);
}

} // namespace tessaro::store::schema
