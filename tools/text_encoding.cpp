#include "text_encoding.hpp"

#include <QByteArray>
#include <QString>
#include <algorithm>

namespace kestal {

void Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
    out.clear();
    if (std::ranges::all_of(utf8, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out.assign(utf8.begin(), utf8.end());
        return;
    }
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    out.assign(reinterpret_cast<const char16_t*>(text.utf16()),
               static_cast<std::size_t>(text.size()));
}

void AppendUtf8(std::u16string_view utf16, std::string& out) {
    if (std::ranges::all_of(utf16, [](char16_t c) { return c < 0x80; })) {
        for (const char16_t c : utf16) {
            out.push_back(static_cast<char>(c));
        }
        return;
    }
    const QByteArray utf8 =
        QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size())).toUtf8();
    out.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace kestal
