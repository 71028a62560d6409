#include "BankTestSupport.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace tessaro::bank::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    m_path = fs::temp_directory_path() /
             ("tessaro-bank-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

fs::path TempDir::write(const std::string& name, const std::string& text) const {
    const fs::path path = file(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string minimalSource() {
    return R"(format: 1
product: {id: TEST-PRODUCT, release: TEST-1, name: 测试题库（演示）}
plan: {exam-date: "2027-10-16", least-mark: 3, exam-time: 600}
papers:
  - {kind: 1, title: 卷一, types: [{code: 61, name: 单选, count: 1, marks: 1, minutes: 1.5}]}
  - {kind: 2, title: 卷二, types: [{code: 71, name: 简答, count: 1, marks: 5}]}
  - {kind: 3, title: 卷三, types: [{code: 11, name: 辨析, count: 1, marks: 1}]}
  - {kind: 4, title: 卷四, types: [{code: 70, name: 案例, count: 1, marks: 1}]}
  - {kind: 5, title: 卷五, types: [{code: 64, name: 论述, count: 1, marks: 1}]}
settings: {Extra: value}
catalogue:
  - id: "01"
    name: 目录一
    children:
      - id: "0101"
        name: 来源一
        children:
          - id: "010101"
            name: 第一节
            points:
              - {label: 第一条, text: 条文**一**}
              - {label: 第二条, text: 条文二}
      - id: "010201"
        name: 第二节
        points:
          - {id: "010201A", label: 第三条, text: "{red:条文三}"}
subjects:
  - code: "1"
    name: 科目一
    guidance: 科目**说明**
    children:
      - code: "10"
        name: 部分一
        children:
          - code: "1001"
            name: 节一
            children:
              - code: "100101"
                name: 章一
                label: 第一章
                questions:
                  - type: 61
                    text: 单选题
                    options: [甲, 乙, 丙]
                    answer: B
                    explanation: 解析
                    points: ["010101001", "010101002"]
                  - type: 66
                    text: 多选题
                    options: [甲, 乙, 丙, 丁]
                    answer: ACD
                    points: ["010101001"]
                  - type: 71
                    text: 自评题
                  - group:
                      stem: 材料
                      questions:
                        - {type: 61, text: 组题一, options: [甲, 乙], answer: A, points: ["010201A"]}
                        - {type: 61, text: 组题二, options: [甲, 乙], answer: B}
              - code: "100102"
                name: 章二
                questions:
                  - {type: 70, text: 案例题}
  - code: "2"
    name: 科目二
    chart: false
)";
}

std::vector<std::string> tableRows(store::Database& db, const std::string& table) {
    std::vector<std::string> rows;
    store::Statement st = db.prepare("select * from " + table);
    while (st.step()) {
        std::string row;
        for (int c = 0; c < st.columnCount(); ++c) {
            row += c ? "|" : "";
            if (st.isNull(c)) {
                row += "<null>";
                continue;
            }
            const store::Blob blob = st.blob(c);
            for (auto byte : blob) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02x", byte);
                row += hex;
            }
        }
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

const std::vector<std::string>& bankTables() {
    static const std::vector<std::string> tables{
        "tab_answ", "tab_exer",    "tab_title", "tab_kmmc", "tab_rule", "tab_fgmc", "tab_sj",
        "tab_plan", "tab_setting", "tab_tx1",   "tab_tx2",  "tab_tx3",  "tab_tx4",  "tab_tx5"};
    return tables;
}

fs::path demoSource() {
    return fs::path(TESSARO_SOURCE_DIR) / "bank" / "demo" / "bank.yaml";
}

} // namespace tessaro::bank::test
