#include "app/lab/expected_figures.hpp"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>

// The documented steps round each to single precision: a target that keeps
// float arithmetic in a wider type would work out other figures.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must be evaluated in single precision");

namespace kestal {

namespace {

// 10^k for k = 0 to 10, each exact in double.
double PowerOfTen(int k) {
    double power = 1;
    for (int n = 0; n < k; ++n) {
        power *= 10;
    }
    return power;
}

long long IntegerPowerOfTen(int k) {
    long long power = 1;
    for (int n = 0; n < k; ++n) {
        power *= 10;
    }
    return power;
}

}  // namespace

double NearestDouble(Decimal value) {
    // Both exact in double, and a division rounds to the nearest.
    return static_cast<double>(value.units) / PowerOfTen(value.places);
}

float NearestSingle(Decimal value) {
    // The double's rounding to single may land beside the single nearest the
    // decimal itself: of it and its two neighbours, the nearest, measured
    // exactly (a single times 10^9 at most is exact in double, as the
    // difference of two such close numbers is).
    const double scale = PowerOfTen(value.places);
    const auto units = static_cast<double>(value.units);
    const auto rounded = static_cast<float>(NearestDouble(value));
    float best = rounded;
    double bestDistance = std::fabs(static_cast<double>(best) * scale - units);
    for (const float neighbour :
         {std::nextafter(rounded, -FLT_MAX), std::nextafter(rounded, FLT_MAX)}) {
        const double distance = std::fabs(static_cast<double>(neighbour) * scale - units);
        if (distance < bestDistance ||
            (distance == bestDistance && std::bit_cast<std::uint32_t>(neighbour) % 2 == 0)) {
            best = neighbour;
            bestDistance = distance;
        }
    }
    return best;
}

long DocumentedTenths(float value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude < 1e-4) {
        return 0;  // no significant digit reaches the hundredths
    }
    // Seven significant digits: the whole number N of 10^6 to 10^7 - 1 nearest
    // magnitude * 10^k, ties to even. magnitude * 10^k is exact in double for
    // k of 0 to 10 (24 bits times at most 24), so its whole part and its
    // fraction are too.
    int k = 0;
    while (k < 10 && magnitude * PowerOfTen(k + 1) < 1e7) {
        ++k;
    }
    const double scaled = magnitude * PowerOfTen(k);
    auto digits = static_cast<long long>(std::floor(scaled));
    const double fraction = scaled - static_cast<double>(digits);
    if (fraction > 0.5 || (fraction == 0.5 && digits % 2 != 0)) {
        ++digits;
    }
    // digits * 10^-k in tenths, halves away from zero.
    long long tenths = 0;
    if (k <= 1) {
        tenths = digits * IntegerPowerOfTen(1 - k);
    } else {
        const long long divisor = IntegerPowerOfTen(k - 1);
        tenths = digits / divisor + (digits % divisor * 2 >= divisor ? 1 : 0);
    }
    return static_cast<long>(std::signbit(value) ? -tenths : tenths);
}

ExpectedFigures::ExpectedFigures(const PublishedFigures& figures) : m_figures(figures) {
    for (const Scale scale : kAllScales) {
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            m_cells[ColumnOf(scale)][row - 1] = NearestSingle({figures.Tenths(scale, row), 1});
        }
    }
}

std::optional<int> ExpectedFigures::Bracket(Scale source, float x) const {
    for (int i = 1; i < ConversionTable::kRows; ++i) {
        const float low = Cell(source, i);
        if (low != 0 && x >= low && x <= Cell(source, i + 1)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<long> ExpectedFigures::Figure(Scale source, int bracket, float x, double value,
                                            Scale target) const {
    const int i = bracket;
    const float lowSource = Cell(source, i);
    const float highSource = Cell(source, i + 1);
    const float low = Cell(target, i);
    const float high = Cell(target, i + 1);
    if (low == 0 && high == 0) {
        return std::nullopt;
    }
    // At the edge of the target's figures the row without one is no 0 to
    // interpolate towards: only the row that has one, hit exactly, gives it.
    if ((low == 0) != (high == 0) && !(x == lowSource && low != 0) &&
        !(x == highSource && high != 0)) {
        return std::nullopt;
    }
    const float dx = highSource - lowSource;
    const float dy = high - low;
    const auto d = static_cast<float>(value - static_cast<double>(lowSource));
    const float p = d * dy;
    const float q = p / dx;
    const float r = q + low;
    const long tenths = DocumentedTenths(r);
    return tenths == 0 ? std::nullopt : std::optional(tenths);
}

bool ExpectedFigures::NearExact(Scale source, int bracket, Decimal typed, Scale target,
                                long tenths) const {
    // In tenths: y = C(i) + (x - T(i)) (C(i+1) - C(i)) / (T(i+1) - T(i)),
    // x = units 10 / 10^places, kept as the fraction num / den.
    const long long lowSource = m_figures.Tenths(source, bracket);
    const long long highSource = m_figures.Tenths(source, bracket + 1);
    const long long low = m_figures.Tenths(target, bracket);
    const long long high = m_figures.Tenths(target, bracket + 1);
    const long long scale = IntegerPowerOfTen(typed.places);
    const long long den = scale * (highSource - lowSource);
    const long long num = low * den + (typed.units * 10 - lowSource * scale) * (high - low);
    const long long off = std::llabs(tenths * den - num);
    // Within (0,5 + slack / 100) tenths; beyond a whole tenth, no need to look closer.
    return off <= den && off * 1000 <= (500 + kSingleSlackThousandths * 10) * den;
}

}  // namespace kestal
