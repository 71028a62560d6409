// Reading sources and building banks from them: what a good source gives, and how a bad one
// is reported without leaving output behind.
#include "BankBuilder.h"
#include "BankChecker.h"
#include "BankTestSupport.h"
#include "SourceError.h"
#include "SourceReader.h"
#include "richtext/PlainText.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tessaro::bank {
namespace {

namespace fs = std::filesystem;
using store::Database;
using test::TempDir;

class BuiltMinimalBank : public ::testing::Test {
protected:
    void SetUp() override {
        buildBank(readSource(m_dir.write("bank.yaml", test::minimalSource())), path());
        m_db = std::make_unique<Database>(path().string(), Database::Mode::ReadOnly);
    }

    fs::path path() const { return m_dir.file("bank.sqlite"); }
    Database& db() { return *m_db; }
    std::string text(const std::string& sql) { return db().scalarText(sql).value_or("<none>"); }
    std::int64_t number(const std::string& sql) { return db().scalarInt(sql).value_or(-1); }

    TempDir m_dir;
    std::unique_ptr<Database> m_db;
};

TEST_F(BuiltMinimalBank, PassesTheCheck) {
    for (const auto& problem : checkBank(db()))
        ADD_FAILURE() << problem.describe();
}

TEST_F(BuiltMinimalBank, AssignsIdsOrdersAndInitialLearnerState) {
    EXPECT_EQ(text("select group_concat(A1, ' ') from (select A1 from tab_answ order by A10, xx)"),
              "Q1001010001 Q1001010002 Q1001010003 G100101000000001-01 G100101000000001-02 "
              "Q1001020001");
    EXPECT_EQ(text("select group_concat(xx) from (select xx from tab_answ where A10 = '100101' "
                   "order by xx)"),
              "1,2,3,4,5");
    EXPECT_EQ(text("select A1 from tab_title"), "G100101000000001");
    EXPECT_EQ(number("select count(*) from tab_answ where F1 = 0 and E3 = 0 and E4 = 0 and "
                     "E2 = '' and E2_1 = '' and E1 is null and ecount = 0 and csbs = ''"),
              6);
    EXPECT_EQ(text("select A2 || '/' || A2_1 from tab_answ where A1 = 'Q1001010002'"), "ACD/4");
    EXPECT_EQ(text("select A2 || '/' || A2_1 from tab_answ where A1 = 'Q1001010003'"), "1/0");
    EXPECT_EQ(text("select K3 || ',' || K4 || ',' || K5 from tab_answ where A1 = 'Q1001010001'"),
              "010101001,010101002,");
}

TEST_F(BuiltMinimalBank, StoresRichTextWithOptionsAndLeavesMissingTextNull) {
    Database& d = db();
    auto st = d.prepare("select A15, jx from tab_exer where A1 = 'Q1001010001'");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(richtext::plainTextOfRtf(std::string_view(
                  reinterpret_cast<const char*>(st.blob(0).data()), st.blob(0).size())),
              "单选题\nA．甲\nB．乙\nC．丙");
    EXPECT_FALSE(st.isNull(1));
    EXPECT_EQ(number("select count(*) from tab_exer where jx is null"), 5);
    EXPECT_EQ(number("select count(*) from tab_kmmc where jx is not null"), 1);
}

TEST_F(BuiltMinimalBank, CountsQuestionsForSyllabusAndCatalogue) {
    EXPECT_EQ(
        text("select group_concat(C1 || '=' || C3, ' ') from (select * from tab_kmmc order by bh)"),
        "xx=0 1=6 10=6 1001=6 100101=5 100102=1 2=0");
    EXPECT_EQ(
        text("select group_concat(C1) from (select C1 from tab_kmmc where C7 = '0' order by bh)"),
        "1");
    // Two points of one question in one section count that question once for the section.
    EXPECT_EQ(
        text("select group_concat(id || '=' || q, ' ') from (select * from tab_fgmc order by bh)"),
        "01=3 0101=2 010101=2 010201=1");
    EXPECT_EQ(text("select group_concat(ftid || '=' || q, ' ') from (select * from tab_rule order "
                   "by ftid)"),
              "010101001=2 010101002=1 010201A=1");
}

TEST_F(BuiltMinimalBank, FillsPlanPapersSettingsAndIdentity) {
    EXPECT_EQ(text("select ExamDate || ' ' || LeastMark || ' ' || ExamTime || ' ' || PlanMark from "
                   "tab_plan"),
              "2027-10-16 3 600 0");
    EXPECT_EQ(text("select B1 || B2 || B3 || ' ' || time from tab_tx1"), "单选11 1.5");
    EXPECT_EQ(text("select value from tab_setting where name = 'PaperTitle4'"), "卷四");
    EXPECT_EQ(text("select value from tab_setting where name = 'ProductName'"), "测试题库（演示）");
    EXPECT_EQ(text("select value from tab_setting where name = 'Extra'"), "value");
    EXPECT_EQ(text("select sjbs || ' ' || cpbs from tab_sj"), "TEST-1 TEST-PRODUCT");
}

struct BadSource {
    const char* name;
    const char* from; ///< replaced in the minimal source ...
    const char* to;   ///< ... by this
    int line;         ///< expected line of the report; 0: not checked
    const char* message;
};

class BadSourceTest : public ::testing::TestWithParam<BadSource> {};

TEST_P(BadSourceTest, IsReportedWithFileAndLineAndWritesNothing) {
    TempDir dir;
    std::string source = test::minimalSource();
    const size_t at = source.find(GetParam().from);
    ASSERT_NE(at, std::string::npos) << GetParam().from;
    source.replace(at, std::string_view(GetParam().from).size(), GetParam().to);
    const fs::path file = dir.write("bank.yaml", source);
    const fs::path out = dir.file("out.sqlite");
    std::ofstream(out) << "older file";
    try {
        buildBank(readSource(file), out);
        FAIL() << "accepted";
    } catch (const SourceError& error) {
        const std::string what = error.what();
        EXPECT_NE(what.find(GetParam().message), std::string::npos) << what;
        EXPECT_EQ(error.pos().file, file.string()) << what;
        if (GetParam().line) {
            EXPECT_EQ(error.pos().line, GetParam().line) << what;
        }
    }
    EXPECT_TRUE(fs::exists(out));
    EXPECT_EQ(fs::file_size(out), std::string("older file").size());
    EXPECT_FALSE(fs::exists(out.string() + ".partial"));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, BadSourceTest,
    ::testing::Values(
        BadSource{"yaml_syntax", "format: 1\n", "format: [1\n", 0, ""},
        BadSource{"unknown_key", "                    answer: B\n",
                  "                    answr: B\n", 45, "unknown key \"answr\""},
        BadSource{"wrong_format", "format: 1", "format: 2", 1, "format 1"},
        BadSource{"type_not_number", "type: 66", "type: 多选", 0, "\"type\" must be a number"},
        BadSource{"answer_outside_options", "answer: B\n", "answer: D\n", 42, "A to C"},
        BadSource{"answer_out_of_order", "answer: ACD", "answer: CA", 0, "order"},
        BadSource{"single_with_two_letters", "answer: B\n", "answer: AB\n", 0, "one letter"},
        BadSource{"multiple_with_one_letter", "answer: ACD", "answer: C", 0, "at least two"},
        BadSource{"too_few_options", "options: [甲, 乙, 丙]", "options: [甲]", 0, "2 to 6 options"},
        BadSource{"empty_self_graded_answer", "text: 自评题",
                  "text: 自评题\n                    answer: \"\"", 0, "must not be empty"},
        BadSource{"unknown_point", "[\"010101001\", \"010101002\"]", "[\"010101009\"]", 42,
                  "\"010101009\" is not in the catalogue"},
        BadSource{"point_twice", "[\"010101001\", \"010101002\"]", "[\"010101001\", \"010101001\"]",
                  0, "named twice"},
        BadSource{"chapter_code_length", "code: \"100102\"", "code: \"10010\"", 0,
                  "must have 6 characters"},
        BadSource{"chapter_outside_parent", "code: \"100102\"", "code: \"110102\"", 0,
                  "begin with \"1001\""},
        BadSource{"duplicate_chapter", "code: \"100102\"", "code: \"100101\"", 0, "used twice"},
        BadSource{"questions_on_a_section", "            name: 节一\n",
                  "            name: 节一\n            questions: [{type: 71, text: 错位}]\n", 0,
                  "six-character chapters"},
        BadSource{"learner_id", "- type: 61\n                    text: 单选题",
                  "- type: 61\n                    id: US0001\n                    text: 单选题", 0,
                  "\"US\""},
        BadSource{"dash_in_single_id", "- type: 61\n                    text: 单选题",
                  "- type: 61\n                    id: Q-1\n                    text: 单选题", 0,
                  "group id"},
        BadSource{"member_id_outside_its_group", "{type: 61, text: 组题二,",
                  "{type: 61, id: G100101000000001X, text: 组题二,", 0, "must have the id"},
        BadSource{"short_group_id", "stem: 材料", "id: G1\n                      stem: 材料", 0,
                  "16 characters"},
        BadSource{"catalogue_section_outside_top", "id: \"010201\"", "id: \"020201\"", 0,
                  "extend \"01\""},
        BadSource{"markup_error", "explanation: 解析", "explanation: 解析**未闭合", 0, "bold"},
        BadSource{"bad_rtf", "guidance: 科目**说明**", "guidance: {rtf: 不是RTF}", 0, "RTF"},
        BadSource{
            "missing_kind",
            "  - {kind: 5, title: 卷五, types: [{code: 64, name: 论述, count: 1, marks: 1}]}\n", "",
            0, "five paper kinds"},
        BadSource{"missing_plan",
                  "plan: {exam-date: \"2027-10-16\", least-mark: 3, exam-time: 600}\n", "", 0,
                  "plan"},
        BadSource{"minutes_out_of_range", "minutes: 1.5", "minutes: 45", 0, "0.1 and 30"}),
    [](const auto& info) { return info.param.name; });

TEST(SourceIncludeTest, ReadsIncludedFilesRelativeToTheMainFile) {
    TempDir dir;
    std::string main = test::minimalSource();
    const std::string subjectTwo = "  - code: \"2\"\n    name: 科目二\n    chart: false\n";
    main.replace(main.find(subjectTwo), subjectTwo.size(), "");
    main += "include: [parts/two.yaml]\n";
    fs::create_directories(dir.file("parts"));
    dir.write("parts/two.yaml", "subjects:\n" + subjectTwo);
    const BankSource source = readSource(dir.write("bank.yaml", main));
    ASSERT_EQ(source.subjects.size(), 2u);
    EXPECT_EQ(source.subjects[1].name, "科目二");
}

TEST(SourceIncludeTest, ReportsProblemsInTheIncludedFile) {
    TempDir dir;
    dir.write("bad.yaml", "subjects:\n  - code: \"3\"\n    nme: 错\n");
    try {
        readSource(dir.write("bank.yaml", test::minimalSource() + "include: [bad.yaml]\n"));
        FAIL() << "accepted";
    } catch (const SourceError& error) {
        EXPECT_EQ(error.pos().file, dir.file("bad.yaml").string());
        EXPECT_EQ(error.pos().line, 3);
    }
}

TEST(SourceIncludeTest, RefusesAMissingFileAndAFileIncludedTwice) {
    TempDir dir;
    EXPECT_THROW(readSource(dir.file("none.yaml")), SourceError);
    dir.write("part.yaml", "subjects: []\n");
    EXPECT_THROW(readSource(dir.write("bank.yaml",
                                      test::minimalSource() + "include: [part.yaml, part.yaml]\n")),
                 SourceError);
}

} // namespace
} // namespace tessaro::bank
