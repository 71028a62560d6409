// Costs of the store's everyday operations on a bank of real size: 50,000 questions,
// about 3,000 chapter rows and 10,000 knowledge points.
#include "SyntheticBank.h"
#include "practice/AnswerRecorder.h"
#include "store/DataModule.h"
#include "store/Schema.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;
using namespace tessaro;

namespace {

const fs::path& largeBank() {
    static const fs::path path = [] {
        fs::path p = fs::temp_directory_path() / "tessaro-bench-store.sqlite";
        fs::remove(p);
        bank::generateSyntheticBank(p);
        return p;
    }();
    return path;
}

store::DataModule& module() {
    static auto instance = std::make_unique<store::DataModule>(largeBank());
    return *instance;
}

std::vector<practice::QuestionRow> sampleQuestions(int count) {
    auto st = module().db().prepare(std::string("select ") + practice::kQuestionColumns +
                                    " from tab_answ where A13 in (61, 66) order by random() "
                                    "limit ?");
    st.bind(1, count);
    std::vector<practice::QuestionRow> rows;
    while (st.step())
        rows.push_back(practice::readQuestionRow(st));
    return rows;
}

void BM_OpenBank(benchmark::State& state) {
    largeBank();
    for (auto _ : state) {
        store::DataModule opened(largeBank());
        benchmark::DoNotOptimize(opened.Connected());
    }
}
BENCHMARK(BM_OpenBank)->Unit(benchmark::kMillisecond);

void BM_NavigatorTotals(benchmark::State& state) {
    auto& db = module().db();
    for (auto _ : state) {
        auto st = db.prepare("select sum(C3) as count_c3,sum(D1) as count_d1,sum(D2) as count_d2 "
                             "from tab_kmmc where len(c1)=6");
        st.step();
        benchmark::DoNotOptimize(st.integer(0));
    }
}
BENCHMARK(BM_NavigatorTotals)->Unit(benchmark::kMillisecond);

void BM_RecordAnswer(benchmark::State& state) {
    practice::AnswerRecorder recorder(module());
    auto rows = sampleQuestions(1000);
    std::size_t i = 0;
    for (auto _ : state) {
        auto& row = rows[i++ % rows.size()];
        // Alternate between a right and a wrong answer so every call is counted.
        recorder.RecordAnswer(row, row.E2_1 == row.A2 ? std::string("F") : row.A2);
    }
    state.counters["answers/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecordAnswer)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly();

void BM_AddStudyTime(benchmark::State& state) {
    module().LogAnswer(2, 1, 2);
    for (auto _ : state)
        module().AddStudyTime("0:00:01");
}
BENCHMARK(BM_AddStudyTime)->Unit(benchmark::kMillisecond);

void BM_DropPaperTable(benchmark::State& state) {
    auto& db = module().db();
    for (auto _ : state) {
        state.PauseTiming();
        store::schema::createPaperTable(db, "tab_exam900");
        db.exec("insert into tab_exam900 (A1, A2, A13) select A1, A2, A13 from tab_answ limit 100;"
                "insert into tab_cj (A1, A3_1) values ('tab_exam900', 900)");
        state.ResumeTiming();
        module().DropPaperTable("tab_exam900");
    }
}
BENCHMARK(BM_DropPaperTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
