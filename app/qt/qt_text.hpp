#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kestal {

// Qt and the core both hold text as UTF-16.
inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace kestal
