#pragma once

// The table's fingerprint: the SHA-256 of the table exactly as
// `kestal-convert --table --locale C` writes it (tab-separated, decimal point,
// LF line ends), so that a lab recomputes it with sha256sum and can trace a
// figure to one table.

#include <string>
#include <string_view>

#include "conversion/conversion_table.hpp"

namespace kestal {

// The canonical text of `table`, the one the fingerprint is taken of.
std::string CanonicalTableText(const ConversionTable& table);

// The 64 hexadecimal digits of `table`'s fingerprint.
std::string TableFingerprintOf(const ConversionTable& table);

// The built-in table's, worked out once, from the table itself.
std::string_view TableFingerprint();

// Its first 12 digits, by which reports name the table.
std::string_view ShortTableFingerprint();

}  // namespace kestal
