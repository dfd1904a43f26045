// One conversion of an arbitrary (scale, locale, text) through the engine with the
// built-in table, checking what the engine promises its callers. A broken promise
// aborts, so that libFuzzer keeps the input and the corpus replay fails on it.
//
// Input layout: the first byte picks the source scale (byte % 7) and the locale
// ((byte / 7) % 4); the remaining bytes are the typed text, read as UTF-8 the way
// a text box would hand it over (malformed sequences become U+FFFD).

#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "conversion/conversion_engine.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/number_text.hpp"
#include "conversion/scale.hpp"

namespace {

using kestal::ConversionEngine;
using kestal::ConversionTable;
using kestal::NumberText;
using kestal::Scale;

// French is what the program falls back to; C and en_US write a decimal point;
// ar_EG writes its own digits, a two-character minus sign and U+066B as the
// separator, which exercises every locale-dependent path of reading and writing.
constexpr std::size_t kLocaleCount = 4;

struct Fixture {
    Fixture() { table.Fill(); }

    ConversionTable table;
    std::array<QLocale, kLocaleCount> locales{
        QLocale(QLocale::French, QLocale::France),
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Arabic, QLocale::Egypt),
    };
    std::array<NumberText, kLocaleCount> numbers{
        NumberText(locales[0]),
        NumberText(locales[1]),
        NumberText(locales[2]),
        NumberText(locales[3]),
    };
    std::array<ConversionEngine, kLocaleCount> engines{
        ConversionEngine(table, locales[0]),
        ConversionEngine(table, locales[1]),
        ConversionEngine(table, locales[2]),
        ConversionEngine(table, locales[3]),
    };
};

const Fixture& SharedFixture() {
    static const Fixture fixture;
    return fixture;
}

struct Handover {
    Scale target;
    QString text;
};

[[noreturn]] void Broken(const char* promise, Scale source, const QLocale& locale,
                         const QString& text, const std::vector<Handover>& handovers) {
    const std::string_view scale = kestal::ScaleName(source);
    std::fprintf(stderr, "broken promise: %s\n  source %.*s, locale %s, text \"%s\"\n", promise,
                 static_cast<int>(scale.size()), scale.data(), qPrintable(locale.name()),
                 text.toUtf8().constData());
    for (const Handover& handover : handovers) {
        const std::string_view name = kestal::ScaleName(handover.target);
        std::fprintf(stderr, "  handed %.*s \"%s\"\n", static_cast<int>(name.size()), name.data(),
                     handover.text.toUtf8().constData());
    }
    std::abort();
}

// Digits as FormatOneDecimal writes them: the locale's own when its zero is a
// single UTF-16 unit, ASCII otherwise.
bool IsLocaleDigit(QChar c, const QLocale& locale) {
    const QString zero = locale.zeroDigit();
    const char16_t first = zero.size() == 1 ? zero[0].unicode() : u'0';
    return c.unicode() >= first && c.unicode() <= first + 9;
}

// [minus] digit+ separator digit, in the locale's own signs, with no grouping.
bool IsOneDecimal(const QString& text, const QLocale& locale) {
    QStringView rest(text);
    const QString minus = locale.negativeSign();
    if (!minus.isEmpty() && rest.startsWith(minus)) {
        rest = rest.sliced(minus.size());
    }
    qsizetype wholeDigits = 0;
    while (wholeDigits < rest.size() && IsLocaleDigit(rest[wholeDigits], locale)) {
        ++wholeDigits;
    }
    if (wholeDigits == 0) {
        return false;
    }
    rest = rest.sliced(wholeDigits);
    const QString separator = locale.decimalPoint();
    if (separator.isEmpty() || !rest.startsWith(separator)) {
        return false;
    }
    rest = rest.sliced(separator.size());
    return rest.size() == 1 && IsLocaleDigit(rest[0], locale);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const Fixture& fixture = SharedFixture();
    const Scale source = kestal::kAllScales[data[0] % kestal::kScaleCount];
    const std::size_t localeIndex = (data[0] / kestal::kScaleCount) % kLocaleCount;
    const QLocale& locale = fixture.locales[localeIndex];
    const NumberText& numbers = fixture.numbers[localeIndex];
    const ConversionEngine& engine = fixture.engines[localeIndex];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    if (text.isEmpty()) {
        return 0;  // the boxes never convert an empty text
    }

    std::vector<Handover> handovers;
    const auto broken = [&](const char* promise) {
        Broken(promise, source, locale, text, handovers);
    };

    // The engine finds the bracket with the single reading and takes the offset
    // from the double one; a text only the single reading accepts would leave it
    // without an offset.
    const std::optional<float> single = numbers.ParseSingle(text);
    const std::optional<double> value = numbers.ParseDouble(text);
    const bool readsAsSingle = single.has_value();
    if (readsAsSingle && !value) {
        broken("ParseSingle accepts a text that ParseDouble refuses");
    }
    // Parse is what the engine calls: it must read exactly as the two apart do
    // (compared bit for bit, so that -0 and 0 count as different readings).
    const std::optional<kestal::TypedNumber> both = numbers.Parse(text);
    if (both.has_value() != readsAsSingle) {
        broken("Parse and ParseSingle disagree on whether the text is a number");
    }
    if (both &&
        (std::bit_cast<std::uint32_t>(both->single) != std::bit_cast<std::uint32_t>(*single) ||
         std::bit_cast<std::uint64_t>(both->value) != std::bit_cast<std::uint64_t>(*value))) {
        broken("Parse reads another value than ParseSingle and ParseDouble");
    }

    const auto failure = engine.Convert(source, text, [&](Scale target, const QString& shown) {
        handovers.push_back({target, shown});
    });

    if (failure) {
        if (!handovers.empty()) {
            broken("a failed conversion handed targets over");
        }
        // Every built-in cell is finite and small, so no interpolation step can
        // leave the range: the only failure left is a text that is not a number.
        if (readsAsSingle) {
            broken("a number failed to convert with the built-in table");
        }
        return 0;
    }

    if (!readsAsSingle) {
        broken("a text that is not a number converted");
    }
    const auto order = kestal::TargetOrder(source);
    if (handovers.size() != order.size()) {
        broken("a conversion did not hand over exactly six targets");
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (handovers[k].target != order[k]) {
            broken("targets handed over out of TargetOrder");
        }
        const QString& shown = handovers[k].text;
        if (shown.isEmpty()) {
            continue;
        }
        if (!IsOneDecimal(shown, locale)) {
            broken("a target text is not one-decimal in the locale");
        }
        const std::optional<double> readBack = numbers.ParseDouble(shown);
        if (!readBack) {
            broken("a target text does not read back under its own locale");
        }
        if (*readBack == 0.0) {
            broken("a non-empty target text reads back as zero");
        }
    }
    return 0;
}
