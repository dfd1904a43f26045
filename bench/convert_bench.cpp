// Cost of one conversion as a key release pays it: one typed text in, six texts
// out, French locale, built-in table. Each benchmark walks a sweep of inputs so
// that no single branch or cached value dominates; the reported time is per
// input. Reading and writing alone go through a NumberText built once, as the
// engine holds one.
//
// Quote the median of ten repetitions, as the run_convert_bench target gives it:
//   convert_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "conversion/conversion_engine.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"
#include "conversion/scale.hpp"

namespace {

using kestal::Scale;

struct Typed {
    Scale source;
    std::u16string text;
};

// French number conventions, as QLocale gives them.
kestal::NumberSymbols French() {
    return {u",", u"-", u"+", u"E", u'0'};
}

// Values inside each scale's run, with and without decimals, including the edges
// where some targets have no value.
std::vector<Typed> InRange() {
    return {
        {Scale::HV, u"85,5"},  {Scale::HV, u"239,99"}, {Scale::HV, u"456,7"},
        {Scale::HV, u"905,2"}, {Scale::HB, u"80,7"},   {Scale::HB, u"333,3"},
        {Scale::HB, u"501,9"}, {Scale::HRA, u"61,4"},  {Scale::HRA, u"70,55"},
        {Scale::HRA, u"85,1"}, {Scale::HRB, u"65,2"},  {Scale::HRB, u"88,8"},
        {Scale::HRC, u"20,3"}, {Scale::HRC, u"45,5"},  {Scale::HRC, u"67,9"},
        {Scale::HRD, u"42,2"}, {Scale::HRD, u"60"},    {Scale::HRD, u"76,5"},
        {Scale::Rm, u"512,5"}, {Scale::Rm, u"1234,5"}, {Scale::Rm, u"2219,9"},
    };
}

// Numbers the table has no row for: six empty texts, no interpolation.
std::vector<Typed> OutOfRange() {
    return {
        {Scale::HV, u"50"},    {Scale::HV, u"1200,5"}, {Scale::HB, u"600"},
        {Scale::HRA, u"10,0"}, {Scale::HRB, u"99,5"},  {Scale::HRC, u"70,1"},
        {Scale::HRD, u"20"},   {Scale::Rm, u"3000"},   {Scale::HV, u"-5,0"},
    };
}

// Texts refused by the reader: a point under a French locale, grouping, a
// prefix that is not a number yet, letters.
std::vector<Typed> NotANumber() {
    return {
        {Scale::HV, u"abc"}, {Scale::HV, u"12.5"}, {Scale::Rm, u"1 000"},
        {Scale::HRC, u"-"},  {Scale::HB, u",,"},   {Scale::HRA, u"1e"},
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
    const kestal::ConversionEngine engine(French());
    std::size_t shownLength = 0;
    const kestal::TargetSink sink = [&shownLength](Scale, std::u16string_view text) {
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

void BM_Parse(benchmark::State& state) {
    std::vector<std::u16string> texts;
    for (const Typed& typed : Mixed()) {
        texts.push_back(typed.text);
    }
    const kestal::NumberText numbers(French());
    std::size_t next = 0;
    for (auto _ : state) {
        auto value = numbers.Parse(texts[next]);
        benchmark::DoNotOptimize(value);
        next = next + 1 == texts.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Parse);

void BM_FormatOneDecimal(benchmark::State& state) {
    // Interpolation results as they come out: small and large, halves, a value
    // that rounds up across a power of ten.
    const std::vector<float> values{57.55f, 2220.0f, 80.7f,  123.45f, 1234.5f, 60.7f,
                                    99.96f, 0.04f,   41.15f, 76.88f,  385.25f, 1789.99f};
    const kestal::NumberText numbers(French());
    std::size_t next = 0;
    for (auto _ : state) {
        std::u16string text = numbers.FormatOneDecimal(values[next]);
        benchmark::DoNotOptimize(text);
        next = next + 1 == values.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatOneDecimal);

}  // namespace

BENCHMARK_MAIN();
