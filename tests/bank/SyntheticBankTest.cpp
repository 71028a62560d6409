#include "SyntheticBank.h"

#include "BankChecker.h"
#include "BankTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro::bank {
namespace {

using store::Database;

struct SizeCase {
    int questions, chapterRows, points;
};

class SyntheticBankTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SyntheticBankTest, HasTheAskedSizeAndPassesTheCheck) {
    const SizeCase& size = GetParam();
    test::TempDir dir;
    generateSyntheticBank(dir.file("s.sqlite"), {size.questions, size.chapterRows, size.points, 3});
    Database db(dir.file("s.sqlite").string(), Database::Mode::ReadOnly);
    for (const auto& problem : checkBank(db))
        ADD_FAILURE() << problem.describe();
    EXPECT_EQ(db.scalarInt("select count(*) from tab_answ"), size.questions);
    EXPECT_EQ(db.scalarInt("select count(*) from tab_rule"), size.points);
    const auto rows = db.scalarInt("select count(*) from tab_kmmc").value_or(0);
    EXPECT_NEAR(static_cast<double>(rows), size.chapterRows, size.chapterRows * 0.1 + 40);
    EXPECT_GT(db.scalarInt("select count(*) from tab_title"), 0);
    EXPECT_GT(db.scalarInt("select count(*) from tab_answ where A10 like '3%' and A13 = 11"), 0);
    EXPECT_GT(db.scalarInt("select count(*) from tab_answ where A10 like '05%' and A13 = 64"), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SyntheticBankTest,
                         ::testing::Values(SizeCase{1000, 150, 300}, SizeCase{6000, 600, 2000},
                                           SizeCase{20000, 3000, 10000}));

TEST(SyntheticBankSeedTest, TheSameOptionsGiveTheSameBank) {
    test::TempDir dir;
    const SyntheticOptions options{2000, 200, 500, 11};
    generateSyntheticBank(dir.file("a.sqlite"), options);
    generateSyntheticBank(dir.file("b.sqlite"), options);
    generateSyntheticBank(dir.file("c.sqlite"), {2000, 200, 500, 12});
    Database a(dir.file("a.sqlite").string(), Database::Mode::ReadOnly);
    Database b(dir.file("b.sqlite").string(), Database::Mode::ReadOnly);
    Database c(dir.file("c.sqlite").string(), Database::Mode::ReadOnly);
    EXPECT_EQ(test::tableRows(a, "tab_answ"), test::tableRows(b, "tab_answ"));
    EXPECT_NE(test::tableRows(a, "tab_answ"), test::tableRows(c, "tab_answ"));
}

} // namespace
} // namespace tessaro::bank
