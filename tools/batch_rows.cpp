#include "batch_rows.hpp"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace kestal {

namespace {

// The targets' texts are digits, a sign and a separator: ASCII under most
// locales, so the common case skips building a QByteArray.
void AssignUtf8(std::string& field, QStringView text) {
    field.clear();
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            const QByteArray utf8 = text.toUtf8();
            field.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
            return;
        }
        field.push_back(static_cast<char>(c.unicode()));
    }
}

// A tab or newline inside the echoed value would shift or split the row; other
// control bytes have no business in a spreadsheet cell either. Bytes of 0x80
// and above are left alone: valid or not, they cannot break the row.
void AppendEchoed(std::string_view value, std::string& out) {
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(byte < 0x20 || byte == 0x7F ? '?' : c);
    }
}

}  // namespace

BatchRows::BatchRows(const ConversionEngine& engine, Scale source)
    : m_engine(engine), m_source(source), m_sink([this](Scale target, const QString& text) {
          AssignUtf8(m_fields[ColumnOf(target)], text);
      }) {}

void BatchRows::AppendHeader(std::string& out) {
    for (const Scale scale : kAllScales) {
        if (scale != kAllScales.front()) {
            out.push_back('\t');
        }
        out.append(ScaleName(scale));
    }
    out.push_back('\n');
}

bool BatchRows::AppendRow(std::string_view value, std::string& out) {
    for (std::string& field : m_fields) {
        field.clear();
    }
    bool converted = true;
    if (!value.empty()) {
        const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
        if (m_engine.Convert(m_source, text, m_sink)) {
            // A conversion that stops part way has handed over some targets;
            // a failed row shows none of them.
            for (std::string& field : m_fields) {
                field.clear();
            }
            converted = false;
        }
    }
    for (const Scale scale : kAllScales) {
        if (scale != kAllScales.front()) {
            out.push_back('\t');
        }
        if (scale == m_source) {
            AppendEchoed(value, out);
        } else {
            out.append(m_fields[ColumnOf(scale)]);
        }
    }
    out.push_back('\n');
    return converted;
}

}  // namespace kestal
