// The windows' shared behaviour driven as a user drives it, with no window:
// keys pressed and released in the seven boxes through the key-stroke rule and
// the key-release run, pastes, a touch keyboard, "Effacer tout", the notes and
// the two copies, and the table window's model following every run, its target
// chosen by click and by arrow, with its plot. After every run and every
// action what the windows promise is checked; a broken promise aborts with its
// name. The figures themselves are checked by the validation record and
// convert_fuzzer.
//
// Input layout: the first byte picks the locale (byte % 4 of kLocales); then
// actions, each an opcode byte (byte % 9) and its operands:
//   0 type     box (bit 7: its text selected first), count, units (UnitOf):
//              the box takes the focus, then each unit is a key pressed and
//              released there, 0x08 Backspace
//   1 press    key            in the box that has the focus
//   2 release  key (bit 7: an auto-repeat), in the box that has the focus
//   3 paste    count, units: they replace the text of the box that has the focus
//   4 touch    unit, typed there by a touch keyboard's unnamed key
//   5 "Effacer tout"
//   6 the table window opened, or closed
//   7 click    column (signed), in the table window if it is open
//   8 arrows   count, then one byte per press: bit 0 set for Right, else Left
// A count stops at the input's end; past it every byte is 0.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/table/table_window_model.hpp"
#include "app/window/key_release_run.hpp"
#include "app/window/key_strokes.hpp"
#include "tests/fuzz/fuzzing.hpp"

using namespace kestal;
using namespace kestal::fuzzing;

namespace {

// No NUL and no surrogate: the input brings no pair (UnitOf gives lone halves
// only) and the program writes none, so a half is a text cut apart or a typed
// unit let through; either breaks a clipboard, a tooltip or a screen reader.
bool IsWholeText(std::u16string_view text) {
    return std::ranges::none_of(
        text, [](char16_t unit) { return unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF); });
}

// What ends a line or a field of a copy, in a spreadsheet or a text editor.
bool IsBreak(char16_t unit) {
    return (unit >= u'\t' && unit <= u'\r') || unit == u'\u0085' || unit == u'\u2028' ||
           unit == u'\u2029';
}

// Whether a copy writes `text` as `written`: unit for unit, but each break as
// a unit that is none, so that it splits nothing.
bool Alike(std::u16string_view written, std::u16string_view text) {
    return std::ranges::equal(written, text, [](char16_t w, char16_t t) {
        return w == t ? !IsBreak(t) : IsBreak(t) && !IsBreak(w);
    });
}

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> parts;
    for (std::size_t end; (end = text.find(separator)) != text.npos; text.remove_prefix(end + 1)) {
        parts.push_back(text.substr(0, end));
    }
    parts.push_back(text);
    return parts;
}

// The lines of a text whose every line ends with '\n'; none without that end.
std::vector<std::u16string_view> Lines(std::u16string_view text) {
    return text.ends_with(u'\n') ? Split(text.substr(0, text.size() - 1), u'\n')
                                 : std::vector<std::u16string_view>{};
}

// The rows a text names, "ligne 79" or "lignes 79 et 80", in the locale's
// digits; -1 for a row named without one.
std::vector<int> RowsNamed(std::u16string_view text, char16_t zero) {
    std::vector<int> rows;
    for (std::size_t at = 0; (at = text.find(u"ligne", at)) != text.npos;) {
        at += text.substr(at).starts_with(u"lignes") ? 6 : 5;
        for (std::u16string_view before = u" "; text.substr(at).starts_with(before);
             before = u" et ") {
            int row = -1;
            for (at += before.size();
                 at < text.size() && text[at] - zero >= 0 && text[at] - zero < 10; ++at) {
                row = std::min(std::max(row, 0) * 10 + (text[at] - zero), 1000);
            }
            rows.push_back(row);
        }
    }
    return rows;
}

// The seven boxes of a front end, in memory, and a user at them, playing the
// input through. Like a front end, it hands every run's notes to the table
// window while that is open.
class Session final : public ScaleBoxes {
public:
    Session(const std::uint8_t* data, std::size_t size)
        : m_data(data), m_size(size), m_engine(kLocales[Next() % 4]) {
        EmptyAllBoxes(*this);
    }

    std::u16string Text(Scale scale) const override { return m_texts[ColumnOf(scale)]; }
    void SetText(Scale scale, std::u16string_view text) override {
        m_texts[ColumnOf(scale)] = text;
        m_written.push_back(scale);
    }
    void ShowNotANumber() override {
        Promise(m_written.empty(), "the message comes before any box is written");
        ++m_messages;
    }
    void SetNotes(const BoxNotes& notes) override {
        m_notes = notes;
        m_shownAtNotes = m_texts;
        ++m_notesGiven;
        if (m_table) {
            m_table->Follow(notes);
        }
    }

    void Play() {
        while (m_at < m_size) {
            Act();
            CheckCopies();
            if (m_table) {
                CheckTable();
            }
        }
    }

private:
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::u16string Units() {
        std::u16string units;
        for (int count = Next(); count > 0 && m_at < m_size; --count) {
            units += UnitOf(Next());
        }
        return units;
    }
    const NumberText& Numbers() const { return m_engine.Numbers(); }
    std::u16string& Focused() { return m_texts[ColumnOf(m_focus)]; }
    KeyStrokes& Strokes() { return m_strokes[ColumnOf(m_focus)]; }
    bool AllEmpty() const {
        return std::ranges::all_of(m_texts, &std::u16string::empty) && !m_notes.run &&
               m_notes.report.empty() &&
               std::ranges::all_of(m_notes.reasons, &std::u16string::empty);
    }
    void Press(int key) {
        Strokes().Pressed(key);
        m_pressed.push_back(key);
        m_touched = false;  // a real key again
        m_held.push_back(key);
    }
    void Released(int key) { std::erase(m_held, key); }

    void Act() {
        switch (Next() % 9) {
            case 0: {
                const std::uint8_t box = Next();
                if (const Scale scale = kAllScales[(box & 0x7f) % kScaleCount]; scale != m_focus) {
                    Strokes().FocusLeft();
                    m_pressed.clear();
                    m_held.clear();
                    m_touched = false;
                    m_focus = scale;
                }
                bool selected = (box & 0x80) != 0;
                for (const char16_t unit : Units()) {
                    // Backspace erases the selection or the last unit; any other
                    // unit replaces the selection or comes after the text.
                    Press(unit);
                    std::u16string& text = Focused();
                    text.resize(selected ? 0 : text.size() - (unit == u'\b' && !text.empty()));
                    text += unit == u'\b' ? u"" : std::u16string(1, unit);
                    selected = false;
                    Promise(Strokes().Released(unit, false), "a key typed in a box converts");
                    Released(unit);
                    Run();
                }
                break;
            }
            case 1:
                Press(Next());
                break;
            case 2: {
                const std::uint8_t key = Next();
                const bool autoRepeat = (key & 0x80) != 0;
                if (!autoRepeat) {
                    Released(key & 0x7f);
                }
                if (Strokes().Released(key & 0x7f, autoRepeat)) {
                    Promise(!autoRepeat && std::ranges::find(m_pressed, key) != m_pressed.end(),
                            "only the last release of a key pressed in the box converts");
                    Run();
                }
                break;
            }
            case 3: {
                Focused() = Units();
                const bool converts = Strokes().Changed();
                Promise(converts == (m_touched || m_held.empty()),
                        "a paste converts at once, unless a key pressed in the box is still down");
                if (converts) {
                    Run(true);
                }
                break;
            }
            case 4:
                Strokes().PressedUnidentified();
                m_touched = true;
                Focused() += UnitOf(Next());
                Promise(Strokes().Changed(), "what a touch keyboard types converts");
                Run(true);
                break;
            case 5:
                EmptyAllBoxes(*this);
                Promise(AllEmpty(), "\"Effacer tout\" empties the seven boxes and their notes");
                break;
            case 6:
                if (m_table) {
                    m_table.reset();
                } else {
                    m_table.emplace(Numbers()).Follow(m_notes);
                }
                break;
            case 7: {
                // A click on a target's column makes it the plot's; any other (the
                // row numbers, the source's column, outside the table) changes nothing.
                const int column = static_cast<std::int8_t>(Next());
                if (!m_table) {
                    break;
                }
                const std::optional<Scale> before = m_table->View().target;
                const std::optional<Scale> scale =
                    column >= 0 && column < kTableColumns
                        ? TableColumns()[static_cast<std::size_t>(column)].scale
                        : std::nullopt;
                m_table->Choose(column);
                const std::optional<ConversionReasons>& run = m_notes.run;
                Promise(m_table->View().target ==
                            (run && scale && scale != run->source ? scale : before),
                        "a click on a target's column makes it the plot's, any other nothing");
                break;
            }
            default:
                Arrows();
                break;
        }
    }

    // A key-release run in the focused box, or the run of a change there that
    // no release follows.
    void Run(bool change = false) {
        const std::u16string typed = Focused();
        m_written.clear();
        m_messages = m_notesGiven = 0;
        change ? RunTextChange(m_engine, m_focus, *this) : RunKeyRelease(m_engine, m_focus, *this);
        if (typed.empty()) {
            Promise(!change || AllEmpty(),
                    "a text emptied with no key to release empties the six others and the notes");
            return;
        }
        if (!Numbers().Parse(typed)) {
            Promise(m_messages == 1 && AllEmpty(),
                    "a text that is not a number is told once, then all seven boxes are empty");
            return;
        }
        Promise(
            m_messages == 0 && m_notesGiven == 1 && Focused() == typed &&
                std::ranges::equal(m_written, TargetOrder(m_focus)),
            "a number writes the six other boxes in their order, never its own, then its notes");
        CheckNotes();
    }

    // The tooltips and the report speak of the boxes as they are: the report
    // gives the typed value, then each figure in the window's order and no box
    // without one, each line beginning as its box's reason does, with the box's
    // text; the rows they name are the bracket's.
    void CheckNotes() const {
        const std::vector<std::u16string_view> lines = Lines(m_notes.report);
        std::size_t line = 0;
        const auto told = [&](Scale scale) {
            const std::u16string value =
                m_texts[ColumnOf(scale)] + u" " + std::u16string(UnitOf(scale));
            const auto begins = [&](std::u16string_view text) {
                return Alike(text.substr(0, value.size()), value);
            };
            return begins(m_notes.reasons[ColumnOf(scale)]) && line < lines.size() &&
                   begins(lines[line++]);
        };
        Promise(told(m_focus), "the report and the source's reason begin with the typed value");
        for (const Scale scale : kAllScales) {
            const std::u16string& reason = m_notes.reasons[ColumnOf(scale)];
            Promise(!reason.empty() && IsWholeText(reason), "every box has its reason, whole");
            Promise(scale == m_focus || m_texts[ColumnOf(scale)].empty() || told(scale),
                    "a figure's reason and report line begin with it, in the window's order");
        }
        Promise(line == lines.size() && IsWholeText(m_notes.report),
                "the report names no box without a figure, and is a whole text");
        const char16_t zero = Numbers().Symbols().zeroDigit;
        std::vector<int> rows = RowsNamed(m_notes.report, zero);
        for (const std::u16string& reason : m_notes.reasons) {
            std::ranges::copy(RowsNamed(reason, zero), std::back_inserter(rows));
        }
        const std::optional<int> bracket = m_notes.run->bracket;
        Promise(
            std::ranges::all_of(
                rows, [&](int row) { return bracket && (row == *bracket || row == *bracket + 1); }),
            "the rows the notes name are the bracket's");
    }

    // The seven values are there to copy exactly when a box shows one: two
    // rows, the second the boxes' texts.
    void CheckCopies() const {
        const std::u16string values = SevenValues(*this);
        const std::vector<std::u16string_view> lines = Lines(values);
        const bool none = std::ranges::all_of(m_texts, &std::u16string::empty);
        Promise(
            none ? values.empty()
                 : lines.size() == 2 && std::ranges::equal(Split(lines[1], u'\t'), m_texts, Alike),
            "the seven values copy exactly when a box shows one, the boxes' texts a row");
    }

    // The table window shows the last run: its source's column, the row the
    // typed value is or the two it lies between, a target other than the
    // source, and that target's plot, inside its control, marking the typed
    // value exactly where the target's box shows a figure, on the curve's
    // segment between those rows.
    void CheckTable() const {
        const TableRunView& view = m_table->View();
        const std::optional<ConversionReasons>& run = m_notes.run;
        Promise(run ? view.source == run->source && view.target && view.target != run->source
                    : !view.source && !view.target,
                "the plot's target is a scale other than the source; without a run there is none");
        const int first = view.firstRow;
        const int last = view.lastRow;
        const auto cell = [&](int row) {
            return ConversionTable::BuiltIn().Value(run->source, row).value_or(-1);
        };
        const float x = run ? Numbers().Parse(m_shownAtNotes[ColumnOf(run->source)])->single : 0;
        Promise(run && run->bracket
                    ? first >= 1 && (last == first || last == first + 1) &&
                          (first == last ? cell(first) == x : cell(first) < x && x < cell(last))
                    : first == 0 && last == 0,
                "a row's own value highlights that row, any other the two around it, none outside");

        const PlotView& plot = view.plot;
        const TwipsRect& rect = TableWindowDescription().Control("Picture1").rect;
        bool inside = true;
        const auto at = [&](double left, double top) {
            inside = inside && left >= 0 && left <= rect.width && top >= 0 && top <= rect.height;
        };
        const auto ends = [&](const PlotLine& line) {
            at(line.left1, line.top1);
            at(line.left2, line.top2);
        };
        std::ranges::for_each(plot.axes, ends);
        std::ranges::for_each(plot.markLines, ends);
        std::ranges::for_each(plot.texts, [&](const PlotText& text) { at(text.left, text.top); });
        std::ranges::for_each(plot.curve,
                              [&](const PlotPoint& point) { at(point.left, point.top); });
        Promise(inside, "the plot's texts, lines and curve stand inside it");
        Promise(plot.mark.has_value() ==
                    (view.target && !m_shownAtNotes[ColumnOf(*view.target)].empty()),
                "the plot marks the typed value exactly where the target's box shows a figure");
        if (!plot.mark) {
            return;
        }
        const auto lower = std::ranges::find(plot.curve, first, &PlotPoint::row);
        const auto upper = std::ranges::find(plot.curve, last, &PlotPoint::row);
        Promise(lower != plot.curve.end() && upper != plot.curve.end(),
                "the marked figure's rows are on the curve");
        const PlotPoint& mark = *plot.mark;
        const double across = upper->left - lower->left;
        const double along = across == 0 ? 0 : (mark.left - lower->left) / across;
        constexpr double kTwips = 0.01;
        Promise(mark.left >= lower->left - kTwips && mark.left <= upper->left + kTwips &&
                    std::abs(lower->top + along * (upper->top - lower->top) - mark.top) <= kTwips,
                "the mark lies on the curve's segment between its rows");
    }

    // Each arrow moves the plot to another target, never the source; Left
    // undoes Right and Right Left, and six presses the same way come round.
    void Arrows() {
        std::vector<Scale> from;  // the target before each press
        std::string ways;         // 'R' or 'L' for each
        for (int count = Next(); count > 0 && m_at < m_size; --count) {
            const bool right = (Next() & 1) != 0;
            const std::optional<Scale> before = m_table ? m_table->View().target : std::nullopt;
            if (m_table) {
                m_table->ChooseNext(right ? 1 : -1);
            }
            if (!before) {
                continue;
            }
            const std::optional<Scale> to = m_table->View().target;
            from.push_back(*before);
            ways += right ? 'R' : 'L';
            const std::size_t k = from.size() - 1;
            Promise(to && to != before && to != m_notes.run->source,
                    "an arrow moves the plot to another target, never the source");
            Promise(k == 0 || ways[k - 1] == ways[k] || to == from[k - 1],
                    "Left undoes Right and Right undoes Left");
            Promise(!ways.ends_with(std::string(6, ways[k])) || to == from[k - 5],
                    "six presses the same way go round the six targets");
        }
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    ConversionEngine m_engine;
    std::array<std::u16string, kScaleCount> m_texts;
    std::vector<Scale> m_written;  // since the run began
    int m_messages = 0;
    int m_notesGiven = 0;
    BoxNotes m_notes;
    std::array<std::u16string, kScaleCount> m_shownAtNotes;
    std::optional<TableWindowModel> m_table;  // while it is open
    Scale m_focus = Scale::HV;
    std::array<KeyStrokes, kScaleCount> m_strokes;
    // Since the focused box got the focus: the keys pressed there, and whether
    // a touch keyboard typed there.
    std::vector<int> m_pressed;
    std::vector<int> m_held;  // pressed in the focused box, not yet released
    bool m_touched = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Session(data, size).Play();
    return 0;
}
