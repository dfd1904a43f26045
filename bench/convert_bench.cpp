// Cost of one conversion as a key release pays it: one typed text in, six texts
// out, French locale, built-in table. Each benchmark walks a sweep of inputs so
// that no single branch or cached value dominates; the reported time is per
// input. Reading and writing alone go through a NumberText built once, as the
// engine holds one.
//
// Quote the median of ten repetitions, as the run_convert_bench target gives it:
//   convert_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QLocale>
#include <QString>
#include <cstddef>
#include <vector>

#include "conversion/conversion_engine.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"
#include "conversion/scale.hpp"

namespace {

using kestal::Scale;

struct Typed {
    Scale source;
    QString text;
};

const QLocale& French() {
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

const kestal::ConversionTable& BuiltInTable() {
    static const kestal::ConversionTable table = [] {
        kestal::ConversionTable filled;
        filled.Fill();
        return filled;
    }();
    return table;
}

// Values inside each scale's run, with and without decimals, including the edges
// where some targets have no value.
std::vector<Typed> InRange() {
    return {
        {Scale::HV, "85,5"},   {Scale::HV, "239,99"}, {Scale::HV, "456,7"}, {Scale::HV, "905,2"},
        {Scale::HB, "80,7"},   {Scale::HB, "333,3"},  {Scale::HB, "501,9"}, {Scale::HRA, "61,4"},
        {Scale::HRA, "70,55"}, {Scale::HRA, "85,1"},  {Scale::HRB, "65,2"}, {Scale::HRB, "88,8"},
        {Scale::HRC, "20,3"},  {Scale::HRC, "45,5"},  {Scale::HRC, "67,9"}, {Scale::HRD, "42,2"},
        {Scale::HRD, "60"},    {Scale::HRD, "76,5"},  {Scale::Rm, "512,5"}, {Scale::Rm, "1234,5"},
        {Scale::Rm, "2219,9"},
    };
}

// Numbers the table has no row for: six empty texts, no interpolation.
std::vector<Typed> OutOfRange() {
    return {
        {Scale::HV, "50"},    {Scale::HV, "1200,5"}, {Scale::HB, "600"},
        {Scale::HRA, "10,0"}, {Scale::HRB, "99,5"},  {Scale::HRC, "70,1"},
        {Scale::HRD, "20"},   {Scale::Rm, "3000"},   {Scale::HV, "-5,0"},
    };
}

// Texts refused by the reader: a point under a French locale, grouping, a
// prefix that is not a number yet, letters.
std::vector<Typed> NotANumber() {
    return {
        {Scale::HV, "abc"}, {Scale::HV, "12.5"}, {Scale::Rm, "1 000"},
        {Scale::HRC, "-"},  {Scale::HB, ",,"},   {Scale::HRA, "1e"},
    };
}

// Roughly what typing produces: mostly numbers in range, some beyond the table,
// a few half-typed or mistyped texts.
std::vector<Typed> Mixed() {
    std::vector<Typed> all = InRange();
    for (auto&& part : {OutOfRange(), NotANumber()}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

void BM_Convert(benchmark::State& state, std::vector<Typed> inputs) {
    const kestal::ConversionEngine engine(BuiltInTable(), French());
    qsizetype shownLength = 0;
    const kestal::TargetSink sink = [&shownLength](Scale, const QString& text) {
        shownLength += text.size();
    };
    std::size_t next = 0;
    for (auto _ : state) {
        const Typed& typed = inputs[next];
        next = next + 1 == inputs.size() ? 0 : next + 1;
        auto failure = engine.Convert(typed.source, typed.text, sink);
        benchmark::DoNotOptimize(failure);
    }
    benchmark::DoNotOptimize(shownLength);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(BM_Convert, mixed, Mixed());
BENCHMARK_CAPTURE(BM_Convert, in_range, InRange());
BENCHMARK_CAPTURE(BM_Convert, out_of_range, OutOfRange());
BENCHMARK_CAPTURE(BM_Convert, not_a_number, NotANumber());

void BM_ParseSingle(benchmark::State& state) {
    std::vector<QString> texts;
    for (const Typed& typed : Mixed()) {
        texts.push_back(typed.text);
    }
    const kestal::NumberText numbers(French());
    std::size_t next = 0;
    for (auto _ : state) {
        auto value = numbers.ParseSingle(texts[next]);
        benchmark::DoNotOptimize(value);
        next = next + 1 == texts.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseSingle);

void BM_FormatOneDecimal(benchmark::State& state) {
    // Interpolation results as they come out: small and large, halves, a value
    // that rounds up across a power of ten.
    const std::vector<float> values{57.55f, 2220.0f, 80.7f,  123.45f, 1234.5f, 60.7f,
                                    99.96f, 0.04f,   41.15f, 76.88f,  385.25f, 1789.99f};
    const kestal::NumberText numbers(French());
    std::size_t next = 0;
    for (auto _ : state) {
        QString text = numbers.FormatOneDecimal(values[next]);
        benchmark::DoNotOptimize(text);
        next = next + 1 == values.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatOneDecimal);

}  // namespace

BENCHMARK_MAIN();
