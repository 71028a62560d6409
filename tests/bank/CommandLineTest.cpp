// The tessaro-bank program: exit status and messages a publisher sees.
#include "BankTestSupport.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace tessaro::bank {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string output;
};

std::string quoted(const std::string& arg) {
    return "'" + arg + "'";
}

ToolRun run(const std::vector<std::string>& args) {
    std::string command = quoted(TESSARO_BANK_TOOL);
    for (const auto& arg : args)
        command += " " + quoted(arg);
    command += " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ToolRun result{-1, {}};
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(CommandLineTest, BuildsChecksDumpsAndRebuilds) {
    test::TempDir dir;
    const fs::path source = dir.write("bank.yaml", test::minimalSource());
    const std::string bank = dir.file("b.sqlite").string();
    EXPECT_EQ(run({"build", source.string(), bank}).status, 0);
    const ToolRun check = run({"check", bank});
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "");
    EXPECT_EQ(run({"dump", bank, dir.file("d.yaml").string()}).status, 0);
    EXPECT_EQ(run({"build", dir.file("d.yaml").string(), dir.file("c.sqlite").string()}).status, 0);
    const fs::path update = dir.write("update.yaml", R"(format: 1
product: {id: TEST-PRODUCT, release: TEST-2}
subjects:
  - {code: "3", name: 新科目, children: [{code: "30", name: 新部分, children: [{code: "3001", name: 新节,
      children: [{code: "300101", name: 新章, questions: [{type: 71, text: 新题}]}]}]}]}
)");
    EXPECT_EQ(run({"update", update.string(), dir.file("u.sqlite").string()}).status, 0);
    // Grouped questions cannot travel in an update.
    EXPECT_EQ(run({"update", source.string(), dir.file("v.sqlite").string()}).status, 1);
}

TEST(CommandLineTest, CheckListsProblemsAndFails) {
    test::TempDir dir;
    const std::string bank = dir.file("b.sqlite").string();
    ASSERT_EQ(run({"build", dir.write("bank.yaml", test::minimalSource()).string(), bank}).status,
              0);
    {
        store::Database db(bank, store::Database::Mode::ReadWrite);
        db.exec("update tab_kmmc set C3 = 0 where C1 = '100102'; delete from tab_title");
    }
    const ToolRun check = run({"check", bank});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.output.find("tab_kmmc [100102]: C3 is 0 but 1"), std::string::npos)
        << check.output;
    EXPECT_NE(check.output.find("tab_answ [G100101000000001-01]"), std::string::npos)
        << check.output;
    EXPECT_NE(check.output.find("problem(s)"), std::string::npos);
}

TEST(CommandLineTest, ReportsABadSourceByFileAndLine) {
    test::TempDir dir;
    std::string source = test::minimalSource();
    source.replace(source.find("answer: ACD"), 11, "answer: ACE");
    const fs::path file = dir.write("bank.yaml", source);
    const ToolRun build = run({"build", file.string(), dir.file("b.sqlite").string()});
    EXPECT_EQ(build.status, 1);
    EXPECT_EQ(build.output.rfind(file.string() + ":", 0), 0u) << build.output;
    EXPECT_FALSE(fs::exists(dir.file("b.sqlite")));
}

TEST(CommandLineTest, GeneratesAndRejectsBadUsage) {
    test::TempDir dir;
    const std::string bank = dir.file("g.sqlite").string();
    EXPECT_EQ(
        run({"generate", bank, "--questions", "500", "--chapters", "100", "--points", "50"}).status,
        0);
    EXPECT_EQ(run({"check", bank}).status, 0);
    EXPECT_EQ(run({"generate", bank, "--questions", "many"}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("tessaro-bank check BANK"), std::string::npos);
    EXPECT_EQ(run({"check"}).status, 2);
    EXPECT_EQ(run({"check", dir.file("missing.sqlite").string()}).status, 1);
}

} // namespace
} // namespace tessaro::bank
