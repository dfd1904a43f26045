#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestal {

// SHA-256 (FIPS 180-4) of a byte string, the digest a lab recomputes with
// sha256sum. Here rather than from a library because the same digest must come
// out of the desktop programs and the browser's module, which links no system
// library.
std::array<std::uint8_t, 32> Sha256(std::string_view bytes);

// The digest as sha256sum writes it: 64 lower-case hexadecimal digits.
std::string HexDigits(const std::array<std::uint8_t, 32>& digest);

}  // namespace kestal
