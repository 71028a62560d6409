// A dump builds back into the bank it came from, row for row and byte for byte.
#include "BankBuilder.h"
#include "BankDumper.h"
#include "BankTestSupport.h"
#include "SourceReader.h"
#include "SourceWriter.h"
#include "SyntheticBank.h"

#include <functional>
#include <gtest/gtest.h>

namespace tessaro::bank {
namespace {

namespace fs = std::filesystem;
using store::Database;

void expectSameTables(const fs::path& a, const fs::path& b) {
    Database first(a.string(), Database::Mode::ReadOnly);
    Database second(b.string(), Database::Mode::ReadOnly);
    for (const auto& table : test::bankTables()) {
        const auto rows = test::tableRows(first, table);
        EXPECT_EQ(rows, test::tableRows(second, table)) << table;
    }
}

/// Dumps a bank, builds the dump, and compares; returns the dump's text.
std::string roundTrip(const test::TempDir& dir, const fs::path& bank) {
    Database db(bank.string(), Database::Mode::ReadOnly);
    const fs::path dump = dir.file("dump.yaml");
    writeSource(dumpBank(db), dump);
    buildBank(readSource(dump), dir.file("rebuilt.sqlite"));
    expectSameTables(bank, dir.file("rebuilt.sqlite"));
    return formatSource(readSource(dump));
}

struct RoundTripCase {
    const char* name;
    std::function<void(const test::TempDir&, const fs::path&)> make;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, DumpBuildsTheSameBank) {
    test::TempDir dir;
    const fs::path bank = dir.file("bank.sqlite");
    GetParam().make(dir, bank);
    const std::string first = roundTrip(dir, bank);
    // The dump of the rebuilt bank is the same text again.
    test::TempDir again;
    EXPECT_EQ(roundTrip(again, dir.file("rebuilt.sqlite")), first);
}

INSTANTIATE_TEST_SUITE_P(
    Banks, RoundTripTest,
    ::testing::Values(
        RoundTripCase{"minimal",
                      [](const test::TempDir& dir, const fs::path& out) {
                          buildBank(readSource(dir.write("src.yaml", test::minimalSource())), out);
                      }},
        RoundTripCase{"demo",
                      [](const test::TempDir&, const fs::path& out) {
                          buildBank(readSource(test::demoSource()), out);
                      }},
        RoundTripCase{"synthetic",
                      [](const test::TempDir&, const fs::path& out) {
                          generateSyntheticBank(
                              out,
                              {.questions = 3000, .chapterRows = 200, .points = 400, .seed = 7});
                      }},
        RoundTripCase{"raw_rtf_and_odd_orders",
                      [](const test::TempDir& dir, const fs::path& out) {
                          std::string source = test::minimalSource();
                          // Stored RTF that markup cannot express, and an explicit order.
                          source.replace(
                              source.find("explanation: 解析"),
                              std::string("explanation: 解析").size(),
                              "explanation: {rtf: \"{\\\\rtf1\\\\ansi{\\\\fonttbl{\\\\f0 "
                              "Arial;}}\\\\qc\\\\f0\\\\fs40 Big}\"}\n"
                              "                    order: 9");
                          buildBank(readSource(dir.write("src.yaml", source)), out);
                      }}),
    [](const auto& info) { return info.param.name; });

TEST(RoundTripTest, KeepsRawRtfAsRtfAndMarkupAsMarkup) {
    test::TempDir dir;
    std::string source = test::minimalSource();
    source.replace(source.find("explanation: 解析"), std::string("explanation: 解析").size(),
                   "explanation: {rtf: \"{\\\\rtf1\\\\ansi\\\\qc centred}\"}");
    buildBank(readSource(dir.write("src.yaml", source)), dir.file("b.sqlite"));
    Database db(dir.file("b.sqlite").string(), Database::Mode::ReadOnly);
    const BankSource dumped = dumpBank(db);
    const std::string text = formatSource(dumped);
    EXPECT_NE(text.find("rtf: \"{\\\\rtf1\\\\ansi\\\\qc centred}\""), std::string::npos) << text;
    EXPECT_NE(text.find("条文**一**"), std::string::npos);
    EXPECT_NE(text.find("{red:条文三}"), std::string::npos);
}

TEST(RoundTripTest, DumpsTheDemoBankAsMarkupThroughout) {
    test::TempDir dir;
    buildBank(readSource(test::demoSource()), dir.file("demo.sqlite"));
    Database db(dir.file("demo.sqlite").string(), Database::Mode::ReadOnly);
    const std::string text = formatSource(dumpBank(db));
    EXPECT_EQ(text.find("rtf:"), std::string::npos);
}

} // namespace
} // namespace tessaro::bank
