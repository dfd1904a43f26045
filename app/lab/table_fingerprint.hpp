#pragma once

// The table's fingerprint worked out from a table: the SHA-256 of it exactly
// as `kestal-convert --table --locale C` writes it (tab-separated, decimal
// point, LF line ends). The program names its own table by the fingerprint it
// must have (kTableFingerprint); the validation record checks the two agree.

#include <string>

#include "conversion/conversion_table.hpp"

namespace kestal {

// The 64 hexadecimal digits of `table`'s fingerprint.
std::string TableFingerprintOf(const ConversionTable& table);

}  // namespace kestal
