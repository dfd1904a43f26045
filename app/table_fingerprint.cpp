#include "app/table_fingerprint.hpp"

#include "app/sha256.hpp"
#include "app/table_lines.hpp"

namespace kestal {

std::string CanonicalTableText(const ConversionTable& table) {
    return TableLines(table, NumberText(CNumberSymbols()), '\t');
}

std::string TableFingerprintOf(const ConversionTable& table) {
    return HexDigits(Sha256(CanonicalTableText(table)));
}

std::string_view TableFingerprint() {
    static const std::string fingerprint = TableFingerprintOf(ConversionTable::BuiltIn());
    return fingerprint;
}

std::string_view ShortTableFingerprint() {
    return TableFingerprint().substr(0, 12);
}

}  // namespace kestal
