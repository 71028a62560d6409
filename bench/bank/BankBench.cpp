// Time to make and validate banks: the synthetic 50,000-question bank every benchmark uses
// (goal: under 10 seconds), and the demo bank the build makes.
#include "BankBuilder.h"
#include "BankChecker.h"
#include "BankDumper.h"
#include "SourceReader.h"
#include "SyntheticBank.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace fs = std::filesystem;
using namespace tessaro;

namespace {

fs::path scratch(const char* name) {
    return fs::temp_directory_path() / name;
}

void BM_GenerateSyntheticBank(benchmark::State& state) {
    const fs::path out = scratch("tessaro-bench-bank-generate.sqlite");
    bank::SyntheticOptions options;
    options.questions = static_cast<int>(state.range(0));
    for (auto _ : state)
        bank::generateSyntheticBank(out, options);
    state.counters["questions"] = static_cast<double>(options.questions);
    fs::remove(out);
}
BENCHMARK(BM_GenerateSyntheticBank)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckSyntheticBank(benchmark::State& state) {
    const fs::path path = scratch("tessaro-bench-bank-check.sqlite");
    bank::generateSyntheticBank(path);
    store::Database db(path.string(), store::Database::Mode::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(bank::checkBank(db).size());
    fs::remove(path);
}
BENCHMARK(BM_CheckSyntheticBank)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DumpSyntheticBank(benchmark::State& state) {
    const fs::path path = scratch("tessaro-bench-bank-dump.sqlite");
    bank::generateSyntheticBank(path);
    store::Database db(path.string(), store::Database::Mode::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(bank::dumpBank(db).subjects.size());
    fs::remove(path);
}
BENCHMARK(BM_DumpSyntheticBank)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BuildDemoBank(benchmark::State& state) {
    const fs::path source = fs::path(TESSARO_SOURCE_DIR) / "bank" / "demo" / "bank.yaml";
    const fs::path out = scratch("tessaro-bench-bank-demo.sqlite");
    for (auto _ : state)
        bank::buildBank(bank::readSource(source), out);
    fs::remove(out);
}
BENCHMARK(BM_BuildDemoBank)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
