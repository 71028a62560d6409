// The practice windows on a bank of real size, offscreen: opening the navigator with every
// chapter row, loading a list of about 2,000 questions into the practice window and moving to
// the next question with the window redrawn.
#include "BenchBank.h"
#include "app/ui/Look.h"
#include "practice/ui/NavigatorWindow.h"
#include "practice/ui/PracticeWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <benchmark/benchmark.h>

using namespace tessaro;

namespace {

void BM_OpenNavigatorWindow(benchmark::State& state) {
    for (auto _ : state) {
        practice::ui::NavigatorWindow window(bench::module());
        window.show();
        QApplication::processEvents();
        window.close();
    }
}
BENCHMARK(BM_OpenNavigatorWindow)->Unit(benchmark::kMillisecond);

void BM_PracticeWindowLoadAndShow(benchmark::State& state) {
    bench::shareListOf(bench::chapterOfAbout2000());
    for (auto _ : state) {
        practice::ui::PracticeWindow window(bench::module());
        benchmark::DoNotOptimize(window.LoadQuestionList());
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PracticeWindowLoadAndShow)->Unit(benchmark::kMillisecond);

void BM_PracticeWindowNextQuestion(benchmark::State& state) {
    bench::shareListOf(bench::chapterOfAbout2000());
    practice::ui::PracticeWindow window(bench::module());
    window.LoadQuestionList();
    window.show();
    QApplication::processEvents();
    auto* next = window.findChild<QAbstractButton*>("epEfTrBtn2");
    auto* first = window.findChild<QAbstractButton*>("fcBG_tx0");
    auto* option = window.findChild<QAbstractButton*>("fcBG_one1");
    for (auto _ : state) {
        if (option->isVisible())
            option->click();
        if (next->isEnabled())
            next->click();
        else
            first->click();
        window.repaint();
    }
    window.close();
}
BENCHMARK(BM_PracticeWindowNextQuestion)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessaro::ui::look::apply(app);
    store::shared().AppDir = TESSARO_BENCH_SHARE_DIR;
    bench::module();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
