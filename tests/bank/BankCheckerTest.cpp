#include "BankChecker.h"

#include "BankBuilder.h"
#include "BankTestSupport.h"
#include "SourceReader.h"

#include <gtest/gtest.h>

namespace tessaro::bank {
namespace {

using store::Database;

struct Fault {
    const char* name;
    const char* sql;     ///< spoils a sound bank
    const char* table;   ///< the problem expected ...
    const char* row;     ///< ... in this row
    const char* message; ///< ... saying this
};

class BankFaultTest : public ::testing::TestWithParam<Fault> {
protected:
    static void SetUpTestSuite() {
        s_dir = new test::TempDir;
        buildBank(readSource(s_dir->write("bank.yaml", test::minimalSource())),
                  s_dir->file("sound.sqlite"));
    }
    static void TearDownTestSuite() { delete s_dir; }

    std::vector<Problem> spoiledProblems(const std::string& sql) {
        const auto copy = s_dir->file(std::string(GetParam().name) + ".sqlite");
        std::filesystem::copy_file(s_dir->file("sound.sqlite"), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        Database db(copy.string(), Database::Mode::ReadWrite);
        db.exec(sql);
        return checkBank(db);
    }

    static test::TempDir* s_dir;
};

test::TempDir* BankFaultTest::s_dir = nullptr;

TEST_P(BankFaultTest, IsListedWithItsRow) {
    const Fault& fault = GetParam();
    const auto problems = spoiledProblems(fault.sql);
    std::string all;
    bool found = false;
    for (const auto& problem : problems) {
        all += problem.describe() + "\n";
        found = found || (problem.table == fault.table && problem.row == fault.row &&
                          problem.message.find(fault.message) != std::string::npos);
    }
    EXPECT_TRUE(found) << "listed:\n" << all;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, BankFaultTest,
    ::testing::Values(
        Fault{"member_without_stem", "delete from tab_title", "tab_answ", "G100101000000001-01",
              "without the tab_title stem"},
        Fault{"stem_without_members", "insert into tab_title values ('G100101000000009', null)",
              "tab_title", "G100101000000009", "no question belongs"},
        Fault{"learner_prefix_on_shipped_question",
              "update tab_answ set A1 = 'US0009' where A1 = 'Q1001020001';"
              "update tab_exer set A1 = 'US0009' where A1 = 'Q1001020001'",
              "tab_answ", "US0009", "\"US\""},
        Fault{"learner_flag_without_learner_id",
              "update tab_answ set F1 = 2 where A1 = 'Q1001010003'", "tab_answ", "Q1001010003",
              "F1 = 2"},
        Fault{"dash_outside_group_form",
              "update tab_answ set A1 = 'Q-7' where A1 = 'Q1001020001';"
              "update tab_exer set A1 = 'Q-7' where A1 = 'Q1001020001'",
              "tab_answ", "Q-7", "16-character group id"},
        Fault{"parent_row_missing", "delete from tab_kmmc where C1 = '1001'", "tab_kmmc", "100101",
              "parent row \"1001\" is missing"},
        Fault{"subject_row_missing", "delete from tab_kmmc where C1 = '1'", "tab_kmmc", "10",
              "parent row \"1\" is missing"},
        Fault{"chapter_code_length", "insert into tab_kmmc (C1, C3, bh) values ('100', 0, 99)",
              "tab_kmmc", "100", "1, 2, 4 or 6"},
        Fault{"question_in_unknown_chapter",
              "update tab_answ set A10 = '100109' where A1 = 'Q1001020001'", "tab_answ",
              "Q1001020001", "names no chapter row"},
        Fault{"point_without_rule", "update tab_answ set K5 = '999999001' where A1 = 'Q1001010001'",
              "tab_answ", "Q1001010001", "K5 \"999999001\" names no tab_rule row"},
        Fault{"gap_in_points", "update tab_answ set K3 = '' where A1 = 'Q1001010001'", "tab_answ",
              "Q1001010001", "K4 follows an empty K column"},
        Fault{"chapter_count", "update tab_kmmc set C3 = C3 + 1 where C1 = '10'", "tab_kmmc", "10",
              "C3 is 7 but 6"},
        Fault{"point_count", "update tab_rule set q = 5 where ftid = '010101001'", "tab_rule",
              "010101001", "q is 5 but 2"},
        Fault{"catalogue_count", "update tab_fgmc set q = 0 where id = '01'", "tab_fgmc", "01",
              "q is 0 but 3"},
        Fault{"point_in_missing_section", "delete from tab_fgmc where id = '010201'", "tab_rule",
              "010201A", "not in tab_fgmc"},
        Fault{"question_without_content", "delete from tab_exer where A1 = 'Q1001010002'",
              "tab_answ", "Q1001010002", "no tab_exer row"},
        Fault{"content_without_question", "insert into tab_exer (A1, A15) values ('Q9', null)",
              "tab_exer", "Q9", "no tab_answ row"},
        Fault{"empty_answer", "update tab_answ set A2 = '' where A1 = 'Q1001010003'", "tab_answ",
              "Q1001010003", "A2 is empty"},
        Fault{"explanation_not_rtf",
              "update tab_exer set jx = cast('plain words' as blob) where A1 = 'Q1001010001'",
              "tab_exer", "Q1001010001", "jx is not readable rich text"},
        Fault{"stem_not_rtf", "update tab_title set A15 = cast('{\\rtf1 unclosed' as blob)",
              "tab_title", "G100101000000001", "not readable rich text"},
        Fault{"paper_table_without_record", "create table tab_exam3 (A1 text)", "tab_exam3", "",
              "without a tab_cj row"},
        Fault{"record_without_paper_table", "insert into tab_cj (A1, A3_1) values ('tab_exam7', 7)",
              "tab_cj", "tab_exam7", "names no paper table"},
        Fault{"reserved_row_missing", "delete from tab_kmmc where C1 = 'xx'", "tab_kmmc", "",
              "\"xx\""},
        Fault{"plan_missing", "delete from tab_plan", "tab_plan", "", "exactly one row"},
        Fault{"type_table_empty", "delete from tab_tx3", "tab_tx3", "", "no question type"}),
    [](const auto& info) { return info.param.name; });

TEST(BankCheckTest, ASoundBankHasNoProblems) {
    test::TempDir dir;
    buildBank(readSource(dir.write("bank.yaml", test::minimalSource())), dir.file("b.sqlite"));
    Database db(dir.file("b.sqlite").string(), Database::Mode::ReadOnly);
    EXPECT_TRUE(checkBank(db).empty());
}

TEST(BankCheckTest, ListsEveryProblemNotOnlyTheFirst) {
    test::TempDir dir;
    buildBank(readSource(dir.write("bank.yaml", test::minimalSource())), dir.file("b.sqlite"));
    Database db(dir.file("b.sqlite").string(), Database::Mode::ReadWrite);
    db.exec("update tab_kmmc set C3 = 0; update tab_rule set q = 9");
    // Every syllabus row with questions and every point is wrong now.
    EXPECT_EQ(checkBank(db).size(), 5u + 3u);
}

TEST(BankCheckTest, RefusesAFileThatIsNoBank) {
    test::TempDir dir;
    Database db(dir.file("empty.sqlite").string(), Database::Mode::ReadWriteCreate);
    db.exec("create table t (a)");
    const auto problems = checkBank(db);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].message.find("not a Tessaro question bank"), std::string::npos);
}

} // namespace
} // namespace tessaro::bank
