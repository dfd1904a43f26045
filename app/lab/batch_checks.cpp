#include "app/lab/batch_checks.hpp"

#include <algorithm>

#include "app/lab/check_words.hpp"
#include "app/text/text_encoding.hpp"

namespace kestal {

namespace {

std::string Utf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(text, out);
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// A value of the set and what its row must hold, by Scale: the figures, or
// nothing for a value that is no number or an empty one.
struct Value {
    std::string text;
    ExpectedBoxes boxes;
};

class BatchChecker {
public:
    BatchChecker(const BatchRun& batch, const NumberSymbols& numbers, ValidationChecks& checks)
        : m_batch(batch),
          m_symbols(numbers),
          m_expected(PublishedFigures::Reference()),
          m_checks(checks) {}

    void Run() {
        for (const Scale source : kAllScales) {
            const std::vector<Value> values = Values(source);
            Series(source, values);
            Spreadsheet(source, values);
        }
    }

private:
    // Each published figure of the scale and the middle of each pair of its
    // rows, then a text that is no number and an empty one.
    std::vector<Value> Values(Scale source) const {
        const NumberSymbols& symbols = m_symbols;
        std::vector<Value> values;
        for (int row = 1; row <= ConversionTable::kRows; ++row) {
            const long tenths = m_expected.Tenths(source, row);
            if (tenths == 0) {
                continue;
            }
            const Decimal figure{tenths, 1};
            values.push_back(
                {Utf8(TypedFigure(tenths, symbols)), Expect(m_expected, source, figure, symbols)});
            if (const long next = m_expected.Tenths(source, row + 1); next != 0) {
                const Decimal middle{(tenths + next) * 5, 2};
                values.push_back({Utf8(DecimalText(middle, symbols)),
                                  Expect(m_expected, source, middle, symbols)});
            }
        }
        values.push_back({"abc", {}});
        values.push_back({"", {}});
        return values;
    }

    // One field against what it must be.
    void Field(std::u16string_view where, std::u16string_view column, std::string_view got,
               std::u16string_view want) {
        ++m_checks.batchFields;
        const std::u16string shown = Utf16(got);
        if (shown != want) {
            m_checks.batch.faults.push_back(std::u16string(where) + u"colonne " +
                                            Mismatch(column, shown, want));
        }
    }

    // The number of lines written against the number expected.
    bool Lines(std::u16string_view run, const std::vector<std::string_view>& lines,
               std::size_t expected) {
        if (lines.size() == expected) {
            return true;
        }
        m_checks.batch.faults.push_back(
            std::u16string(run) + Number(static_cast<long long>(lines.size())) +
            u" lignes écrites au lieu de " + Number(static_cast<long long>(expected)));
        return false;
    }

    // Values one per line: a header, then per value the seven scales, HV to
    // Rm, the value as given in its own column.
    void Series(Scale source, const std::vector<Value>& values) {
        std::string input;
        for (const Value& value : values) {
            input += value.text + "\n";
        }
        BatchRequest request;
        request.source = source;
        const std::string output = m_batch(request, input);
        const std::u16string run = u"--from " + NameOf(source) + u", ";
        std::vector<std::string_view> lines = Split(output, '\n');
        lines.pop_back();  // after the last LF
        if (!Lines(run, lines, values.size() + 1)) {
            return;
        }
        for (std::size_t k = 0; k < values.size(); ++k) {
            const std::u16string where = run + u"ligne " + Number(static_cast<long long>(k + 2)) +
                                         u" (" + Quoted(Utf16(values[k].text)) + u"), ";
            ++m_checks.batchLines;
            const std::vector<std::string_view> fields = Split(lines[k + 1], '\t');
            if (fields.size() != kScaleCount) {
                m_checks.batch.faults.push_back(where +
                                                Number(static_cast<long long>(fields.size())) +
                                                u" champs au lieu de 7");
                continue;
            }
            for (const Scale scale : kAllScales) {
                Field(where, NameOf(scale), fields[ColumnOf(scale)],
                      scale == source ? Utf16(values[k].text)
                                      : values[k].boxes.texts[ColumnOf(scale)]);
            }
        }
    }

    // A ';' file, the value in its second field, some quoted, with a line of
    // headings and one too short: each line kept, the short one padded to the
    // headings' three fields, then the six other scales, HV to Rm, and the
    // pair of rows.
    void Spreadsheet(Scale source, const std::vector<Value>& values) {
        std::vector<std::string> input{"Éprouvette;Dureté;Remarque"};
        for (std::size_t k = 0; k < values.size(); ++k) {
            const std::string quote = k % 3 == 1 ? "\"" : "";
            std::string line = "E";
            line += std::to_string(k + 1) + ";" + quote + values[k].text + quote + ";r";
            input.push_back(std::move(line));
        }
        input.push_back("E0");
        std::string lines;
        for (const std::string& line : input) {
            lines += line + "\n";
        }
        const BatchRequest request{
            .source = source, .column = 1, .delimiter = ';', .header = true, .detail = true};
        const std::string output = m_batch(request, lines);
        const std::u16string run =
            u"--from " + NameOf(source) + u" --column 2 --delimiter ';' --header --detail, ";
        std::vector<std::string_view> written = Split(output, '\n');
        written.pop_back();
        if (!Lines(run, written, input.size())) {
            return;
        }
        for (std::size_t k = 1; k < input.size(); ++k) {
            const std::u16string where =
                run + u"ligne " + Number(static_cast<long long>(k + 1)) + u", ";
            ++m_checks.batchLines;
            const std::string_view line = written[k];
            // A short line padded with empty fields to the headings' width.
            const std::string copied =
                input[k] + std::string(2 - std::ranges::count(input[k], ';'), ';') + ";";
            if (!line.starts_with(copied)) {
                m_checks.batch.faults.push_back(where + u"la ligne lue n'est pas recopiée");
                continue;
            }
            const std::vector<std::string_view> fields = Split(line.substr(copied.size()), ';');
            if (fields.size() != kScaleCount + 1) {
                m_checks.batch.faults.push_back(where +
                                                Number(static_cast<long long>(fields.size())) +
                                                u" champs ajoutés au lieu de 8");
                continue;
            }
            const ExpectedBoxes boxes = k <= values.size() ? values[k - 1].boxes : ExpectedBoxes{};
            std::size_t at = 0;
            for (const Scale scale : kAllScales) {
                if (scale != source) {
                    Field(where, NameOf(scale), fields[at++], boxes.texts[ColumnOf(scale)]);
                }
            }
            Field(where, u"ligne basse", fields[at++],
                  boxes.bracket ? Number(*boxes.bracket) : std::u16string());
            Field(where, u"ligne haute", fields[at],
                  boxes.bracket ? Number(*boxes.bracket + 1) : std::u16string());
        }
    }

    const BatchRun& m_batch;
    const NumberSymbols& m_symbols;
    const ExpectedFigures m_expected;
    ValidationChecks& m_checks;
};

}  // namespace

void CheckBatchRows(const BatchRun& batch, const NumberSymbols& numbers, ValidationChecks& checks) {
    checks.batchChecked = true;
    BatchChecker(batch, numbers, checks).Run();
}

}  // namespace kestal
