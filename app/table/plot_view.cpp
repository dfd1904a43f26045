#include "app/table/plot_view.hpp"

#include <algorithm>
#include <cmath>

namespace kestal {

namespace {

// Room around the plotting area for the tick labels and the axes' names.
constexpr double kLeftRoom = 720;
constexpr double kRightRoom = 240;
constexpr double kTopRoom = 300;
constexpr double kBottomRoom = 540;
constexpr double kTick = 90;
constexpr double kLabelGap = 120;
// How close a tick label may come to a marked value before it gives way.
constexpr double kAcrossClearance = 600;
constexpr double kDownClearance = 240;

std::u16string_view Caption(Scale scale) {
    return Form1Description().Control(CaptionName(scale)).text;
}

// An axis over [low, high], stretched to whole steps of 1, 2 or 5 times a
// power of ten, with at most about `most` of them.
struct Axis {
    double low;
    double high;
    double step;

    Axis(float smallest, float largest, int most) {
        const double span = std::max(static_cast<double>(largest - smallest), 1e-6);
        const double power = std::pow(10.0, std::floor(std::log10(span / most)));
        step = power * 10;
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (factor * power * most >= span) {
                step = factor * power;
                break;
            }
        }
        low = std::floor(smallest / step) * step;
        high = std::ceil(largest / step) * step;
        if (high == low) {
            high = low + step;
        }
    }

    int Steps() const { return static_cast<int>(std::lround((high - low) / step)); }
    double Tick(int k) const { return low + k * step; }
    // Where `value` lies between the ends, from 0 to 1.
    double Fraction(double value) const { return (value - low) / (high - low); }
};

}  // namespace

PlotView WordsOnly(std::u16string_view words, int width, int height) {
    PlotView plot;
    plot.title = std::u16string(words);
    plot.texts.push_back(
        {plot.title, width / 2.0, height / 2.0, PlotAlign::Centre, PlotAlign::Centre});
    return plot;
}

PlotView PlotOf(Scale x, Scale y, std::optional<PlotMark> mark, const ConversionTable& table,
                const NumberText& numbers, int width, int height) {
    const std::u16string xName(Caption(x));
    const std::u16string yName(Caption(y));
    const auto& xs = table.Cells(x);
    const auto& ys = table.Cells(y);
    PlotView plot;
    for (int row = 1; row <= ConversionTable::kFilledRows; ++row) {
        const auto k = static_cast<std::size_t>(row - 1);
        if (xs[k] != 0.0f && ys[k] != 0.0f) {
            plot.curve.push_back({row, xs[k], ys[k], 0, 0});
        }
    }
    if (plot.curve.empty()) {
        return WordsOnly(u"Pas de courbe : aucune ligne de la table ne donne à la fois " + xName +
                             u" et " + yName + u".",
                         width, height);
    }
    plot.title = yName + u" en fonction de " + xName;

    const auto [xLow, xHigh] = std::ranges::minmax(plot.curve, {}, &PlotPoint::x);
    const auto [yLow, yHigh] = std::ranges::minmax(plot.curve, {}, &PlotPoint::y);
    const Axis across(xLow.x, xHigh.x, 8);
    const Axis down(yLow.y, yHigh.y, 5);
    const double left = kLeftRoom;
    const double right = width - kRightRoom;
    const double top = kTopRoom;
    const double bottom = height - kBottomRoom;
    const auto place = [&](PlotPoint& point) {
        point.left = left + across.Fraction(point.x) * (right - left);
        point.top = bottom - down.Fraction(point.y) * (bottom - top);
    };
    for (PlotPoint& point : plot.curve) {
        place(point);
    }
    if (mark) {
        plot.mark = PlotPoint{0, static_cast<float>(mark->x), mark->y, 0, 0};
        place(*plot.mark);
        const PlotPoint& at = *plot.mark;
        plot.markLines = {{at.left, at.top, at.left, bottom}, {at.left, at.top, left, at.top}};
        const std::u16string typed = numbers.FormatAsTable(at.x);
        const std::u16string figure = numbers.FormatOneDecimal(at.y);
        plot.texts.push_back(
            {typed, at.left, bottom + kLabelGap, PlotAlign::Centre, PlotAlign::Start, true});
        plot.texts.push_back(
            {figure, left - kLabelGap, at.top, PlotAlign::End, PlotAlign::Centre, true});
        plot.description = u"Point marqué : " + typed + u" " + std::u16string(UnitOf(x)) + u", " +
                           figure + u" " + std::u16string(UnitOf(y));
    } else {
        plot.description =
            u"Pas de point marqué : la table ne donne pas " + yName + u" pour la valeur tapée";
    }

    plot.axes = {{left, bottom, right, bottom}, {left, bottom, left, top}};
    for (int k = 0; k <= across.Steps(); ++k) {
        const double at = left + k * (right - left) / across.Steps();
        plot.axes.push_back({at, bottom, at, bottom + kTick});
        if (!plot.mark || std::abs(at - plot.mark->left) >= kAcrossClearance) {
            plot.texts.push_back({numbers.FormatAsTable(static_cast<float>(across.Tick(k))), at,
                                  bottom + kLabelGap, PlotAlign::Centre, PlotAlign::Start});
        }
    }
    for (int k = 0; k <= down.Steps(); ++k) {
        const double at = bottom - k * (bottom - top) / down.Steps();
        plot.axes.push_back({left - kTick, at, left, at});
        if (!plot.mark || std::abs(at - plot.mark->top) >= kDownClearance) {
            plot.texts.push_back({numbers.FormatAsTable(static_cast<float>(down.Tick(k))),
                                  left - kLabelGap, at, PlotAlign::End, PlotAlign::Centre});
        }
    }
    plot.texts.push_back({yName, left, top - kLabelGap, PlotAlign::Start, PlotAlign::End});
    plot.texts.push_back(
        {xName, right, static_cast<double>(height), PlotAlign::End, PlotAlign::End});
    return plot;
}

}  // namespace kestal
