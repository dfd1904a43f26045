// Time from a key release in a scale box to the table window redrawn: the
// conversion and the main window's boxes and notes, then the table window's
// model, its rows marked and scrolled to, its status line and its plot, all
// painted. The release alone, with no table window open, tells what the
// window adds to it. Offscreen, so the figures are Qt's own work without a
// display server.
//
// Quote the median of ten repetitions, as the run_table_window_bench target gives it:
//   table_window_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <array>
#include <cstddef>

#include "app/qt/form1.hpp"
#include "app/qt/scale_box.hpp"
#include "app/qt/start_up.hpp"
#include "app/qt/table_window.hpp"

namespace {

using kestal::Scale;

struct Typed {
    Scale source;
    const char* text;
};

// Values whose rows lie far apart in the table, so that every release moves
// the marked rows and the column, scrolls, and draws another curve.
constexpr std::array<Typed, 4> kTyped{{
    {Scale::HV, "645"},
    {Scale::HRC, "20,3"},
    {Scale::HB, "150"},
    {Scale::Rm, "1234,5"},
}};

void BM_KeyRelease(benchmark::State& state, bool tableOpen) {
    kestal::Form1 form(kestal::NumberSymbols{u",", u"-", u"+", u"E"});
    form.show();
    if (!QTest::qWaitForWindowActive(&form)) {
        state.SkipWithError("the main window never became active");
        return;
    }
    kestal::TableWindow* table = nullptr;
    if (tableOpen) {
        QTest::keyClick(form.Box(Scale::HV),
                        Qt::Key(Qt::Key_F1 + kestal::kShowInTableFunctionKey - 1));
        table = form.Table();
        // A window not yet exposed paints nothing.
        if (table == nullptr || !QTest::qWaitForWindowExposed(table)) {
            state.SkipWithError("F8 opened no table window");
            return;
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const Typed& typed = kTyped[next];
        next = (next + 1) % kTyped.size();
        kestal::ScaleBox* box = form.Box(typed.source);
        const QString text = QString::fromLatin1(typed.text);
        box->setText(text.chopped(1));
        QTest::keyPress(box, text.back().toLatin1());
        state.ResumeTiming();
        QTest::keyRelease(box, text.back().toLatin1());
        if (table != nullptr) {
            table->repaint();
        }
    }
}

BENCHMARK_CAPTURE(BM_KeyRelease, to_table_window_redrawn, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyRelease, without_table_window, false)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    kestal::SpeakFrenchInQt();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
