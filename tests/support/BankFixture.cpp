#include "BankFixture.h"

#include "store/Schema.h"

#include <random>

namespace fs = std::filesystem;

namespace tessaro::testing {

void createEmptyBank(const fs::path& path) {
    store::Database db(path.string(), store::Database::Mode::ReadWriteCreate);
    store::schema::createBank(db);
}

void BankFixture::SetUp() {
    std::random_device random;
    dir = fs::temp_directory_path() / ("tessaro-test-" + std::to_string(random()));
    fs::create_directories(dir);
    bankPath = dir / "bank.sqlite";
    createEmptyBank(bankPath);
    clockScope = std::make_unique<store::ScopedClock>(clock);
    module = std::make_unique<store::DataModule>(bankPath);
    ASSERT_TRUE(module->Connected()) << module->connectError();
}

void BankFixture::TearDown() {
    module.reset();
    clockScope.reset();
    fs::remove_all(dir);
}

std::int64_t BankFixture::intAt(const std::string& sql) {
    return db().scalarInt(sql).value_or(-999999);
}

std::string BankFixture::textAt(const std::string& sql) {
    return db().scalarText(sql).value_or("<null>");
}

void BankFixture::addSampleTree() {
    db().exec(R"(
        insert into tab_kmmc (C1, C1_1, C2, bh) values
          ('1', '第一科', 'Subject one', 1), ('10', '第一篇', 'Part', 2),
          ('1001', '第一章', 'Chapter group', 3), ('100101', '第一节', 'Chapter', 4),
          ('2', '第二科', 'Subject two', 5), ('20', '第一篇', 'Part', 6),
          ('2001', '第一章', 'Chapter group', 7), ('200101', '第一节', 'Chapter', 8),
          ('xx', 'xx', 'hidden', 9);
        insert into tab_fgmc (id, n, bh) values
          ('AB', 'Top A', 1), ('ABCDEF', 'Section A1', 2), ('ABCDEG', 'Section A2', 3),
          ('KL', 'Top K', 4), ('KLMNOP', 'Section K1', 5);
        insert into tab_rule (ftid, id, sn) values
          ('ABCDEF0001', 'ABCDEF', '1'), ('ABCDEF0002', 'ABCDEF', '2'),
          ('ABCDEG0001', 'ABCDEG', '1'), ('KLMNOP0001', 'KLMNOP', '1');
    )");
}

void BankFixture::addQuestion(const std::string& id, const std::string& key,
                              const std::string& chapter, int type,
                              const std::vector<std::string>& points) {
    auto st = db().prepare("insert into tab_answ (A1, A2, A2_1, A10, A13, F1, K3, K4, K5) "
                           "values (?, ?, 4, ?, ?, 0, ?, ?, ?)");
    st.bind(1, id).bind(2, key).bind(3, chapter).bind(4, type);
    for (int i = 0; i < 3; ++i)
        st.bind(5 + i, i < static_cast<int>(points.size()) ? points[i] : std::string());
    st.run();
    auto exer = db().prepare("insert into tab_exer (A1, A15, jx) values (?, x'7b7d', x'')");
    exer.bind(1, id).run();
}

} // namespace tessaro::testing
