// The demo bank shipped with the program: sound, rich enough for every practice mode, and able
// to fill every kind of mock paper.
#include "BankBuilder.h"
#include "BankChecker.h"
#include "BankTestSupport.h"
#include "SourceReader.h"
#include "richtext/PlainText.h"
#include "store/JetSql.h"

#include <gtest/gtest.h>
#include <memory>

namespace tessaro::bank {
namespace {

using store::Database;

class DemoBank : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new test::TempDir;
        buildBank(readSource(test::demoSource()), s_dir->file("demo.sqlite"));
        s_db = new Database(s_dir->file("demo.sqlite").string(), Database::Mode::ReadOnly);
    }
    static void TearDownTestSuite() {
        delete s_db;
        delete s_dir;
    }

    static std::int64_t count(const std::string& sql) { return s_db->scalarInt(sql).value_or(-1); }

    static std::string plain(const store::Blob& rtf) {
        return richtext::plainTextOfRtf(std::span<const std::uint8_t>(rtf.data(), rtf.size()));
    }

    static test::TempDir* s_dir;
    static Database* s_db;
};

test::TempDir* DemoBank::s_dir = nullptr;
Database* DemoBank::s_db = nullptr;

TEST_F(DemoBank, PassesTheCheck) {
    for (const auto& problem : checkBank(*s_db))
        ADD_FAILURE() << problem.describe();
}

TEST_F(DemoBank, SaysPlainlyThatItIsADemonstration) {
    EXPECT_NE(s_db->scalarText("select value from tab_setting where name = 'ProductName'")
                  .value_or("")
                  .find("演示"),
              std::string::npos);
    // Subjects say it in their names and guidance, chapters in their guidance.
    auto st = s_db->prepare("select C1, C2, jx from tab_kmmc where length(C1) in (1, 6)");
    int subjects = 0;
    while (st.step()) {
        const std::string code = st.text(0);
        if (code.size() == 1) {
            ++subjects;
            EXPECT_NE(st.text(1).find("演示"), std::string::npos) << code;
        }
        ASSERT_FALSE(st.isNull(2)) << code;
        EXPECT_NE(plain(st.blob(2)).find("演示"), std::string::npos) << code;
    }
    EXPECT_GE(subjects, 5);
}

TEST_F(DemoBank, HasTheContentPracticeNeeds) {
    const std::string answerable = "A13 in (61, 66, 71, 72, 73, 74)";
    EXPECT_GE(count("select count(*) from tab_answ where " + answerable), 400);
    // Explanations for most answerable questions.
    EXPECT_GT(count("select count(*) from tab_answ a join tab_exer e on e.A1 = a.A1 where "
                    "e.jx is not null and a." +
                    answerable) *
                  2,
              count("select count(*) from tab_answ where " + answerable));
    for (int type : {61, 66, 71, 72, 73, 74})
        EXPECT_GT(count("select count(*) from tab_answ where A13 = " + std::to_string(type)), 0)
            << type;
    // Every chapter of the five subjects can be practised.
    EXPECT_EQ(
        count("select count(*) from tab_kmmc k where length(C1) = 6 and C1 between '1' and '6' "
              "and not exists (select 1 from tab_answ a where a.A10 = k.C1 and a." +
              answerable + ")"),
        0);
    EXPECT_GE(count("select count(*) from tab_title"), 5);
    EXPECT_GT(count("select count(*) from tab_answ where K3 <> ''") * 10,
              count("select count(*) from tab_answ") * 7);
    for (int length : {1, 2, 4, 6})
        EXPECT_GT(
            count("select count(*) from tab_kmmc where length(C1) = " + std::to_string(length)), 0);
    for (int length : {2, 4, 6})
        EXPECT_GT(
            count("select count(*) from tab_fgmc where length(id) = " + std::to_string(length)), 0);
    EXPECT_GT(count("select count(*) from tab_rule where n is not null"), 40);
}

TEST_F(DemoBank, ListsEveryQuestionTypeForEveryPaperKind) {
    // Practice takes its type buttons and answer times from the current kind's table.
    for (int kind = 1; kind <= 5; ++kind)
        EXPECT_EQ(count("select count(distinct A13) from tab_answ where A13 not in (select A1 from "
                        "tab_tx" +
                        std::to_string(kind) + ")"),
                  0)
            << kind;
}

TEST_F(DemoBank, HasAPlanWithTheExamAhead) {
    EXPECT_EQ(count("select count(*) from tab_plan where ExamDate > '2026-12-31' and LeastMark > 0 "
                    "and ExamTime >= 3600"),
              1);
    EXPECT_EQ(count("select count(*) from tab_sj where cpbs <> '' and sjbs <> ''"), 1);
}

struct Draw {
    int type;
    int count;
    const char* prefix;
};

struct PaperKindCase {
    int kind;
    const char* pool; ///< the pool condition the kind's papers are drawn with
    std::vector<Draw> draws;
};

class DemoPaperKindTest : public DemoBank, public ::testing::WithParamInterface<PaperKindCase> {};

TEST_P(DemoPaperKindTest, FillsAFullPaper) {
    const PaperKindCase& c = GetParam();
    const std::string table = "tab_tx" + std::to_string(c.kind);
    EXPECT_NE(s_db->scalarText("select value from tab_setting where name = 'PaperTitle" +
                               std::to_string(c.kind) + "'")
                  .value_or(""),
              "");
    for (const Draw& draw : c.draws) {
        if (draw.count == 0)
            continue;
        const std::string type = std::to_string(draw.type);
        int total = 0;
        for (const Draw& d : c.draws)
            total += d.type == draw.type ? d.count : 0;
        EXPECT_EQ(count("select sum(B2) from " + table + " where A1 = " + type), total)
            << table << " type " << type;
        EXPECT_EQ(
            count("select count(*) from tab_kmmc where C1 = '" + std::string(draw.prefix) + "'"), 1)
            << draw.prefix;
        // The last row of the filtered pool is never drawn, so the pool needs one spare row.
        const auto pool = count(store::jet::translate(
            "select count(*) from tab_answ where " + std::string(c.pool) +
            " (f1 <> 1) and A13 = " + type + " and a10 like '" + draw.prefix + "*' and f1<>1"));
        EXPECT_GE(pool, draw.count + 1)
            << "kind " << c.kind << " type " << type << " prefix " << draw.prefix;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Demo, DemoPaperKindTest,
    ::testing::Values(
        PaperKindCase{1, "(Left(A10,1) = '3') and", {{61, 50, "3"}, {66, 30, "3"}}},
        PaperKindCase{2, "(Left(A10,1) = '4') and", {{61, 0, "4"}, {66, 0, "4"}, {71, 6, "4"}}},
        PaperKindCase{3, "(Left(A10,1) = '3') and", {{11, 60, "3"}, {14, 35, "3"}}},
        PaperKindCase{4,
                      "(Left(A10,2) = '10' or Left(A10,2) = '11' or Left(A10,2) = '05' or "
                      "Left(A10,2) = '08' or Left(A10,2) = '07' or Left(A10,2) = '04') and",
                      {{70, 2, "10"},
                       {70, 2, "11"},
                       {70, 2, "05"},
                       {70, 1, "08"},
                       {70, 2, "07"},
                       {70, 1, "04"}}},
        PaperKindCase{5, "(Left(A10,2) = '05') and", {{64, 6, "05"}}}),
    [](const auto& info) { return "kind" + std::to_string(info.param.kind); });

} // namespace
} // namespace tessaro::bank
