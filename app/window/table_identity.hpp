#pragma once

// How the program names its table wherever it shows where a figure comes
// from: in the reports the boxes copy, in the table window before any run, and
// in the validation record.

#include <string>
#include <string_view>

namespace kestal {

// The table's fingerprint: the SHA-256 of the table exactly as
// `kestal-convert --table --locale C` writes it, so that a lab recomputes it
// with sha256sum. Written here as it must be, never worked out for showing:
// the validation record works it out from the table itself and says NON
// CONFORME where the two differ. So any change to the table, or to the way it
// is written (the table window's captions included), needs this changed too,
// deliberately.
inline constexpr std::string_view kTableFingerprint =
    "c6b95b91e675460461badc2ff4050cf1a72f7bf5b4c0fe41bfbeb9d80ec9e658";

// Its first 12 digits, by which reports name the table.
inline constexpr std::string_view kShortTableFingerprint = kTableFingerprint.substr(0, 12);

// In a report: "table Kestal 1.00 (empreinte 0123456789ab) d'après NF A 03-172
// et NF A 03-173".
std::u16string TableDesignation();

// Before any run, the whole identity: "Table Kestal 1.00 d'après NF A 03-172
// et NF A 03-173, 97 lignes ; empreinte SHA-256 " and the 64 digits.
std::u16string TableIdentity();

}  // namespace kestal
