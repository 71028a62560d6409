#include "BankFixture.h"
#include "store/BankLocation.h"
#include "store/Schema.h"
#include "store/SharedValues.h"

#include <fstream>
#include <functional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tessaro::testing {
namespace {

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(BankFixture, TotalMarksSumsCountTimesMarks) {
    EXPECT_EQ(module->TotalMarks(2), 0);
    db().exec("insert into tab_tx2 (A1, B1, B2, B3, time) values (61, '单选', 60, 1, 1), "
              "(66, '多选', 20, 2, 1.5)");
    EXPECT_EQ(module->TotalMarks(2), 100);
    EXPECT_THROW(module->TotalMarks(6), std::invalid_argument);
}

TEST_F(BankFixture, DropPaperTableRemovesTableAndRecord) {
    store::schema::createPaperTable(db(), "tab_exam3");
    db().exec("insert into tab_cj (A1, A3_1) values ('tab_exam3', 3), ('tab_exam4', 4)");
    module->DropPaperTable("TAB_EXAM3");
    EXPECT_FALSE(db().hasTable("tab_exam3"));
    EXPECT_EQ(textAt("select group_concat(A1) from tab_cj"), "tab_exam4");
}

TEST_F(BankFixture, DropPaperTableOfAMissingTableStillRemovesItsRecordOnly) {
    db().exec("insert into tab_cj (A1, A3_1) values ('tab_exam9', 9)");
    EXPECT_NO_THROW(module->DropPaperTable("tab_exam8"));
    EXPECT_EQ(intAt("select count(*) from tab_cj"), 1);
}

TEST_F(BankFixture, DropPaperTableNeverTouchesBankTables) {
    module->DropPaperTable("tab_answ");
    EXPECT_TRUE(db().hasTable("tab_answ"));
}

TEST_F(BankFixture, ChapterChangeSetsCurrentChapterAndGuidance) {
    addSampleTree();
    db().exec("update tab_kmmc set jx = x'7b5c727466317d' where C1 = '1001'");
    EXPECT_TRUE(module->Cn1DS_kmmcDataChange("1001"));
    EXPECT_EQ(store::shared().CurrentChapter, "第一章");
    EXPECT_FALSE(module->Cn1DS_kmmcDataChange("100101"));
    EXPECT_EQ(store::shared().CurrentChapter, "第一节");
}

TEST_F(BankFixture, TypeTimesAreTenthsOfAMinuteInTimerTicks) {
    db().exec("insert into tab_tx1 (A1, B1, B2, B3, time) values (61, 'a', 1, 1, 1.0), "
              "(66, 'b', 1, 1, 2.5), (71, 'c', 1, 1, 0.1)");
    module->loadTypeTimes(1);
    EXPECT_EQ(store::shared().TypeIds, (std::vector<int>{61, 66, 71}));
    EXPECT_EQ(store::shared().TypeTimes, (std::vector<int>{600, 1500, 60}));
    EXPECT_EQ(store::shared().typeTimeFor(72), 600);
}

TEST_F(BankFixture, SettingsPersistAndVolumeIsClamped) {
    EXPECT_EQ(module->volumeLevel(), 12);
    module->setSetting("VolumeLevel", "40");
    EXPECT_EQ(module->volumeLevel(), 16);
    module->setSetting("VolumeLevel", "x");
    EXPECT_EQ(module->volumeLevel(), 12);
}

struct BadBank {
    const char* name;
    std::function<void(const fs::path&)> make;
};

class ConnectTest : public ::testing::TestWithParam<BadBank> {
protected:
    fs::path dir = fs::temp_directory_path() / ("tessaro-connect-" + std::to_string(getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_P(ConnectTest, RefusesAndLeavesTheFileAlone) {
    const fs::path path = dir / "bank.sqlite";
    GetParam().make(path);
    const bool existed = fs::is_regular_file(path);
    const std::string before = existed ? readFile(path) : std::string();
    {
        store::DataModule module(path);
        EXPECT_FALSE(module.Connected());
        EXPECT_FALSE(module.connectError().empty());
    }
    EXPECT_EQ(fs::is_regular_file(path), existed);
    if (existed) {
        EXPECT_EQ(readFile(path), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ConnectTest,
    ::testing::Values(BadBank{"Missing", [](const fs::path&) {}},
                      BadBank{"Folder", [](const fs::path& p) { fs::create_directories(p); }},
                      BadBank{"Empty", [](const fs::path& p) { writeFile(p, ""); }},
                      BadBank{"Corrupt",
                              [](const fs::path& p) { writeFile(p, std::string(8192, '\x5a')); }},
                      BadBank{"Truncated",
                              [](const fs::path& p) {
                                  createEmptyBank(p);
                                  fs::resize_file(p, 100);
                              }},
                      BadBank{"ForeignDatabase",
                              [](const fs::path& p) {
                                  store::Database db(p.string(),
                                                     store::Database::Mode::ReadWriteCreate);
                                  db.exec("create table notes (x); insert into notes values (1)");
                              }},
                      BadBank{"NewerVersion",
                              [](const fs::path& p) {
                                  createEmptyBank(p);
                                  store::Database db(p.string(), store::Database::Mode::ReadWrite);
                                  db.exec("pragma user_version = 99");
                              }},
                      BadBank{"TableMissing",
                              [](const fs::path& p) {
                                  createEmptyBank(p);
                                  store::Database db(p.string(), store::Database::Mode::ReadWrite);
                                  db.exec("drop table tab_rz");
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BankLocation, ShippedBankIsCopiedOnceAndNeverReplaced) {
    const fs::path root = fs::temp_directory_path() / ("tessaro-loc-" + std::to_string(getpid()));
    fs::create_directories(root / "app" / "data");
    createEmptyBank(root / "app" / "data" / "bank.sqlite");

    auto first = store::location::prepareUserBank(root / "app", root / "home" / "Tessaro");
    ASSERT_TRUE(first.error.empty()) << first.error;
    EXPECT_TRUE(store::DataModule(first.bank).Connected());

    writeFile(first.bank, "learner's damaged file");
    auto second = store::location::prepareUserBank(root / "app", root / "home" / "Tessaro");
    EXPECT_EQ(readFile(second.bank), "learner's damaged file");
    EXPECT_FALSE(store::DataModule(second.bank).Connected());

    auto none = store::location::prepareUserBank(root / "nowhere", root / "other");
    EXPECT_FALSE(none.error.empty());
    fs::remove_all(root);
}

} // namespace
} // namespace tessaro::testing
