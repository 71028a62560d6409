#include "BankFixture.h"
#include "store/JetSql.h"
#include "store/Schema.h"

namespace tessaro::testing {
namespace {

using store::jet::translate;

TEST(JetSql, TranslatesTheDialectDifferences) {
    EXPECT_EQ(translate("delete * from tab_exam3"), "delete from tab_exam3");
    EXPECT_EQ(translate("DELETE  *  FROM tab_cj where A1='x'"), "delete from tab_cj where A1='x'");
    EXPECT_EQ(translate("select * from tab_answ where a10 like '1001*' and A1 like 'US_?'"),
              "select * from tab_answ where a10 like '1001%' and A1 like 'US__'");
    EXPECT_EQ(translate("select 'a*b' from t"), "select 'a*b' from t") << "only LIKE patterns";
    EXPECT_EQ(translate("CREATE TABLE t (A1 TEXT(20),A14 MEMO,E1 DATETIME,jx IMAGE)"),
              "CREATE TABLE t (A1 TEXT(20) COLLATE NOCASE,A14 TEXT,E1 TEXT,jx BLOB)");
    EXPECT_EQ(translate("select Left(A10, 4), right (a1,2) from t left join u"),
              "select \"Left\"(A10, 4), \"right\"(a1,2) from t left join u");
    EXPECT_EQ(store::jet::quoted("it's"), "'it''s'");
}

struct FunctionCase {
    const char* expression;
    const char* result;
};

class JetFunctionTest : public BankFixture, public ::testing::WithParamInterface<FunctionCase> {};

TEST_P(JetFunctionTest, EvaluatesLikeJet) {
    EXPECT_EQ(textAt(translate(std::string("select ") + GetParam().expression)), GetParam().result)
        << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(
    Functions, JetFunctionTest,
    ::testing::Values(FunctionCase{"Left('100101', 4)", "1001"},
                      FunctionCase{"Left('法规条文', 2)", "法规"},
                      FunctionCase{"Right('法规条文', 3)", "规条文"},
                      FunctionCase{"Right('ab', 5)", "ab"}, FunctionCase{"Left('ab', -1)", ""},
                      FunctionCase{"Len('考点abc')", "5"}, FunctionCase{"Rtrim('12  ')", "12"},
                      FunctionCase{"Trim('  12 ')", "12"}, FunctionCase{"CINT('2.5')", "2"},
                      FunctionCase{"CINT(3.5)", "4"}, FunctionCase{"CINT(-1.4)", "-1"},
                      FunctionCase{"Left(NULL, 2)", "<null>"}, FunctionCase{"'ABC' = 'abc'", "0"},
                      FunctionCase{"(select sum(B3) from tab_tx1)", "<null>"},
                      FunctionCase{"(select max(A3_1) from tab_cj)", "<null>"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(BankFixture, BankTextComparesWithoutRegardToCase) {
    addQuestion("q1", "ac", "100101", 66);
    db().exec("update tab_answ set E2_1 = 'AC'");
    EXPECT_EQ(intAt("select count(*) from tab_answ where A2 = E2_1"), 1);
    EXPECT_EQ(intAt("select count(*) from tab_answ where A1 = 'Q1'"), 1);
}

TEST_F(BankFixture, CintRejectsTextThatIsNoNumber) {
    EXPECT_THROW(db().exec("select CINT('abc')"), store::DbError);
}

TEST_F(BankFixture, PaperTablesAreMarkedCaseInsensitivelyAndKeepEmptyText) {
    store::schema::createPaperTable(db(), "tab_exam7");
    db().exec("insert into tab_exam7 (A1, A2, A13, E2_1, A14) values "
              "('a', 'B', 61, 'b', ''), ('b', 'AC', 66, 'CA', ''), ('c', 'A', 61, NULL, '')");
    db().exec("insert into tab_tx1 (A1, B1, B2, B3, time) values (61, '单选', 2, 1, 1.0), "
              "(66, '多选', 1, 2, 1.5)");
    EXPECT_EQ(intAt("select sum(tab_tx1.B3) as ZFS from tab_exam7,tab_tx1 where "
                    "tab_exam7.A13 = tab_tx1.A1 and tab_exam7.A2 = tab_exam7.E2_1"),
              1);
    EXPECT_EQ(intAt("select count(*) from tab_exam7 where A14 = ''"), 3);
    EXPECT_THROW(db().exec("insert into tab_exam7 (A1) values ('A')"), store::DbError)
        << "A1 is the primary key, compared without case";
}

TEST_F(BankFixture, PaperTableNamesAreCheckedBeforeTheyReachSql) {
    EXPECT_THROW(store::schema::createPaperTable(db(), "tab_exam1; drop table tab_answ"),
                 std::invalid_argument);
    EXPECT_TRUE(store::schema::isPaperTableName("TAB_EXAM12"));
    EXPECT_FALSE(store::schema::isPaperTableName("tab_exam"));
    EXPECT_FALSE(store::schema::isPaperTableName("tab_answ"));
}

TEST_F(BankFixture, ListsOnlyUserTables) {
    store::schema::createPaperTable(db(), "tab_exam1");
    const auto tables = db().userTables();
    EXPECT_NE(std::find(tables.begin(), tables.end(), "tab_exam1"), tables.end());
    EXPECT_EQ(std::count_if(tables.begin(), tables.end(),
                            [](const std::string& t) { return t.rfind("sqlite_", 0) == 0; }),
              0);
}

} // namespace
} // namespace tessaro::testing
