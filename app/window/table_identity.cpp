#include "app/window/table_identity.hpp"

#include "app/text/text_encoding.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/version.hpp"

namespace kestal {

namespace {

std::u16string Named(std::u16string_view table) {
    return std::u16string(table) + u" Kestal " + Utf16(kVersion);
}

constexpr std::u16string_view kStandards = u"d'après NF A 03-172 et NF A 03-173";

}  // namespace

std::u16string TableDesignation() {
    return Named(u"table") + u" (empreinte " + Utf16(kShortTableFingerprint) + u") " +
           std::u16string(kStandards);
}

std::u16string TableIdentity() {
    return Named(u"Table") + u" " + std::u16string(kStandards) + u", " +
           Utf16(std::to_string(ConversionTable::kFilledRows)) + u" lignes ; empreinte SHA-256 " +
           Utf16(kTableFingerprint);
}

}  // namespace kestal
