// Update files hold what the upgrade merges: new rows of five tables and the identity row.
#include "BankBuilder.h"
#include "BankChecker.h"
#include "BankTestSupport.h"
#include "SourceError.h"
#include "SourceReader.h"

#include <gtest/gtest.h>

namespace tessaro::bank {
namespace {

using store::Database;

constexpr const char* kUpdateSource = R"(format: 1
product: {id: TEST-PRODUCT, release: TEST-UPDATE-2}
catalogue:
  - id: "01"
    existing: true
    children:
      - id: "010301"
        name: 新节
        points:
          - {label: 新条, text: 新条文**内容**}
subjects:
  - code: "1"
    existing: true
    children:
      - code: "11"
        name: 新部分
        children:
          - code: "1101"
            name: 新节
            children:
              - code: "110101"
                name: 新章
                questions:
                  - {type: 61, id: UPD1101010001, text: 新题, options: [甲, 乙], answer: A, points: ["010301001", "010101001"]}
                  - {type: 71, id: UPD1101010002, text: 新自评题}
)";

std::vector<std::string> columns(Database& db, const std::string& table) {
    std::vector<std::string> out;
    auto st = db.prepare("select name from pragma_table_info(?) order by cid");
    st.bind(1, table);
    while (st.step())
        out.push_back(st.text(0));
    return out;
}

class UpdateFile : public ::testing::Test {
protected:
    void SetUp() override {
        buildBank(readSource(m_dir.write("bank.yaml", test::minimalSource())),
                  m_dir.file("bank.sqlite"));
        buildBank(readSource(m_dir.write("update.yaml", kUpdateSource)),
                  m_dir.file("update.sqlite"), BankOutput::Update);
    }

    test::TempDir m_dir;
};

TEST_F(UpdateFile, HoldsTheMergedTablesWithTheBanksColumns) {
    Database update(m_dir.file("update.sqlite").string(), Database::Mode::ReadOnly);
    Database bank(m_dir.file("bank.sqlite").string(), Database::Mode::ReadOnly);
    auto tables = update.userTables();
    std::sort(tables.begin(), tables.end());
    EXPECT_EQ(tables, (std::vector<std::string>{"tab_answ", "tab_exer", "tab_fgmc", "tab_kmmc",
                                                "tab_rule", "tab_sj"}));
    for (const auto& table : tables)
        EXPECT_EQ(columns(update, table), columns(bank, table)) << table;
}

TEST_F(UpdateFile, HoldsOnlyTheNewRowsAndTheIdentity) {
    Database update(m_dir.file("update.sqlite").string(), Database::Mode::ReadOnly);
    EXPECT_EQ(
        update.scalarText(
            "select group_concat(C1 || '=' || C3, ' ') from (select * from tab_kmmc order by bh)"),
        "11=2 1101=2 110101=2");
    EXPECT_EQ(update.scalarText("select group_concat(id) from tab_fgmc"), "010301");
    EXPECT_EQ(update.scalarText("select ftid || '=' || q from tab_rule"), "010301001=1");
    EXPECT_EQ(update.scalarInt("select count(*) from tab_answ join tab_exer using (A1)"), 2);
    EXPECT_EQ(update.scalarText("select sjbs || ' ' || cpbs from tab_sj"),
              "TEST-UPDATE-2 TEST-PRODUCT");
}

TEST_F(UpdateFile, MergesIntoTheBankAsTheUpgradeCopiesIt) {
    Database bank(m_dir.file("bank.sqlite").string(), Database::Mode::ReadWrite);
    bank.prepare("attach database ? as upd").bind(1, m_dir.file("update.sqlite").string()).run();
    store::Transaction tx(bank);
    for (const char* table : {"tab_kmmc", "tab_exer", "tab_answ", "tab_rule", "tab_fgmc"})
        bank.exec(std::string("insert into ") + table + " select * from upd." + table);
    tx.commit();
    EXPECT_EQ(bank.scalarInt("select count(*) from tab_answ"), 8);
    EXPECT_EQ(bank.scalarText("select K4 from tab_answ where A1 = 'UPD1101010001'"), "010101001");
}

TEST(UpdateSourceTest, RefusesGroupsAndQuestionsOnExistingChapters) {
    test::TempDir dir;
    std::string grouped = kUpdateSource;
    grouped.replace(
        grouped.find("                  - {type: 71"), 0,
        "                  - group: {stem: 材料, questions: [{type: 71, text: 组题}]}\n");
    EXPECT_THROW(buildBank(readSource(dir.write("g.yaml", grouped)), dir.file("g.sqlite"),
                           BankOutput::Update),
                 SourceError);
    std::string onExisting = kUpdateSource;
    onExisting.replace(onExisting.find("    existing: true\n    children:\n      - code: \"11\""),
                       std::string("    existing: true\n").size(),
                       "    existing: true\n    questions: [{type: 71, text: 错}]\n");
    EXPECT_THROW(buildBank(readSource(dir.write("e.yaml", onExisting)), dir.file("e.sqlite"),
                           BankOutput::Update),
                 SourceError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("g.sqlite")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("e.sqlite")));
}

TEST(UpdateSourceTest, ExistingRowsBelongToUpdatesOnly) {
    test::TempDir dir;
    std::string source = test::minimalSource();
    source.replace(source.find("    name: 科目二\n"), 0, "    existing: true\n");
    EXPECT_THROW(buildBank(readSource(dir.write("b.yaml", source)), dir.file("b.sqlite")),
                 SourceError);
}

TEST(ExampleUpdateTest, MergesIntoTheDemoBankLeavingOnlyTheCountersTheUpgradeDoesNotRecount) {
    test::TempDir dir;
    buildBank(readSource(test::demoSource()), dir.file("demo.sqlite"));
    buildBank(
        readSource(test::demoSource().parent_path().parent_path() / "examples" / "update.yaml"),
        dir.file("update.sqlite"), BankOutput::Update);
    Database bank(dir.file("demo.sqlite").string(), Database::Mode::ReadWrite);
    bank.prepare("attach database ? as upd").bind(1, dir.file("update.sqlite").string()).run();
    // The identity checks of the upgrade: the product is known, the release is new.
    EXPECT_EQ(
        bank.scalarInt("select count(*) from tab_sj where cpbs = (select cpbs from upd.tab_sj)"),
        1);
    EXPECT_EQ(
        bank.scalarInt("select count(*) from tab_sj where sjbs = (select sjbs from upd.tab_sj)"),
        0);
    store::Transaction tx(bank);
    for (const char* table : {"tab_kmmc", "tab_exer", "tab_answ", "tab_rule", "tab_fgmc"})
        bank.exec(std::string("insert into ") + table + " select * from upd." + table);
    bank.exec("insert into tab_sj (sjbs, cpbs) select sjbs, cpbs from upd.tab_sj");
    tx.commit();
    bank.exec("detach database upd");
    for (const auto& problem : checkBank(bank)) {
        const bool staleCounter =
            problem.message.starts_with("C3 is ") || problem.message.starts_with("q is ");
        EXPECT_TRUE(staleCounter) << problem.describe();
    }
}

} // namespace
} // namespace tessaro::bank
