#include "batch_rows.hpp"

#include "app/text/text_encoding.hpp"

namespace kestal {

namespace {

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

BatchRows::BatchRows(const ConversionEngine& engine, Scale source, bool brackets)
    : m_engine(engine), m_source(source), m_brackets(brackets) {}

void BatchRows::AppendHeader(std::string& out) {
    for (const Scale scale : kAllScales) {
        if (scale != kAllScales.front()) {
            out.push_back('\t');
        }
        out.append(ScaleName(scale));
    }
    out.push_back('\n');
}

bool BatchRows::Convert(std::string_view value) {
    for (std::string& field : m_fields) {
        field.clear();
    }
    m_text.clear();
    m_bracket.reset();
    if (value.empty()) {
        return true;
    }
    Utf8ToUtf16(value, m_text);
    const ConversionOutcome outcome = m_engine.Convert(
        m_source, m_text,
        [this](Scale target, std::u16string_view text) {
            AppendUtf8(text, m_fields[ColumnOf(target)]);
        },
        m_brackets ? &m_reasons : nullptr);
    if (outcome == ConversionOutcome::ConversionFailure) {
        // A conversion that stops part way has handed over some targets;
        // a failed row shows none of them.
        for (std::string& field : m_fields) {
            field.clear();
        }
        return false;
    }
    if (m_brackets) {
        m_bracket = m_reasons.bracket;
    }
    return true;
}

bool BatchRows::AppendRow(std::string_view value, std::string& out) {
    const bool converted = Convert(value);
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
