#include "conversion/scale.hpp"

#include <algorithm>
#include <cctype>

namespace kestal {

namespace {

constexpr std::array<std::string_view, kScaleCount> kNames{"HV",  "HB",  "HRA", "HRB",
                                                           "HRC", "HRD", "Rm"};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string_view ScaleName(Scale scale) {
    return kNames[ColumnOf(scale)];
}

std::u16string_view UnitOf(Scale scale) {
    static constexpr std::array<std::u16string_view, kScaleCount> kUnits{
        u"HV", u"HBW", u"HRA", u"HRB", u"HRC", u"HRD", u"MPa"};
    return kUnits[ColumnOf(scale)];
}

std::optional<Scale> ScaleFromName(std::string_view name) {
    for (const Scale scale : kAllScales) {
        if (EqualIgnoringCase(name, ScaleName(scale))) {
            return scale;
        }
    }
    if (EqualIgnoringCase(name, "HBS") || EqualIgnoringCase(name, "HBW")) {
        return Scale::HB;
    }
    return std::nullopt;
}

std::array<Scale, kScaleCount - 1> TargetOrder(Scale source) {
    std::array<Scale, kScaleCount - 1> order{Scale::HB,  Scale::HRA, Scale::HRB,
                                             Scale::HRC, Scale::HRD, Scale::Rm};
    if (source != Scale::HV) {
        *std::ranges::find(order, source) = Scale::HV;
    }
    return order;
}

}  // namespace kestal
