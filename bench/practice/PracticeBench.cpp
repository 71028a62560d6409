// Costs of a practice run on a bank of real size: the navigator's rows and totals, loading a
// list of about 2,000 questions, showing a question and moving to the next one with its answer
// recorded.
#include "BenchBank.h"
#include "practice/ChapterNavigator.h"
#include "practice/PracticeSession.h"

#include <benchmark/benchmark.h>

using namespace tessaro;

namespace {

void BM_NavigatorRefresh(benchmark::State& state) {
    practice::ChapterNavigator navigator(bench::module());
    for (auto _ : state) {
        navigator.refresh();
        benchmark::DoNotOptimize(navigator.rows().size());
    }
    state.counters["rows"] = static_cast<double>(navigator.rows().size());
}
BENCHMARK(BM_NavigatorRefresh)->Unit(benchmark::kMillisecond);

void BM_LoadQuestionList(benchmark::State& state) {
    bench::shareListOf(bench::chapterOfAbout2000());
    int questions = 0;
    for (auto _ : state) {
        practice::PracticeSession session(bench::module());
        benchmark::DoNotOptimize(session.LoadQuestionList());
        session.start();
        questions = session.total();
    }
    state.counters["questions"] = questions;
}
BENCHMARK(BM_LoadQuestionList)->Unit(benchmark::kMillisecond);

struct Run {
    practice::PracticeSession session{bench::module()};
    Run() {
        bench::shareListOf(bench::chapterOfAbout2000());
        session.LoadQuestionList();
        session.start();
    }
};

void BM_ShowQuestion(benchmark::State& state) {
    Run run;
    int index = 0;
    for (auto _ : state) {
        run.session.pressNumber(index);
        index = (index + 1) % run.session.groupCount();
    }
}
BENCHMARK(BM_ShowQuestion)->Unit(benchmark::kMicrosecond);

void BM_NextQuestionRecordingTheAnswer(benchmark::State& state) {
    Run run;
    int option = 0;
    for (auto _ : state) {
        run.session.pressOption(option);
        option = (option + 1) % 4; // a changed answer every time, so it is counted
        if (run.session.nextEnabled())
            run.session.nextQuestion();
        else
            run.session.selectType(0);
    }
}
BENCHMARK(BM_NextQuestionRecordingTheAnswer)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
