#pragma once

// The conversion core, standard C++ with no window and no toolkit:
//   Scale            the seven columns and their names
//   ConversionTable  the built-in table of corresponding values
//   NumberText       reading and writing numbers with a locale's NumberSymbols
//   ConversionEngine one typed text -> the six texts of the other scales

#include <array>
#include <optional>
#include <string_view>

namespace kestal {

// Column order of the table, and the order of the scale boxes in the main window.
enum class Scale { HV, HB, HRA, HRB, HRC, HRD, Rm };

inline constexpr int kScaleCount = 7;

inline constexpr std::array<Scale, kScaleCount> kAllScales{
    Scale::HV, Scale::HB, Scale::HRA, Scale::HRB, Scale::HRC, Scale::HRD, Scale::Rm};

constexpr int ColumnOf(Scale scale) {
    return static_cast<int>(scale);
}

// Short name: "HV", "HB", "HRA", "HRB", "HRC", "HRD", "Rm".
std::string_view ScaleName(Scale scale);

// The unit a value of `scale` is written with: "HBW" for Brinell, "MPa" for
// Rm; the Vickers and Rockwell scales are their own units.
std::u16string_view UnitOf(Scale scale);

// Reads a scale name in any case; "HBS" and "HBW" name Brinell too.
std::optional<Scale> ScaleFromName(std::string_view name);

// The six other scales in the order a conversion hands them over: HB, HRA, HRB,
// HRC, HRD, Rm, with HV taking the source's own place.
std::array<Scale, kScaleCount - 1> TargetOrder(Scale source);

}  // namespace kestal
