// The windows' shared behaviour driven as a user drives it, with no window:
// keys pressed and released in the seven boxes through the key-stroke rule and
// the key-release run, pastes, a touch keyboard, "Effacer tout", the two
// copies, and the table window's model following every run, its target chosen
// by click and by arrow, with its plot. After every run and every action the
// promises that users and a lab's validation rely on are checked; a broken one
// aborts with its name.
//
// Input layout: the first byte picks the locale (byte % 4 of kLocales); then
// actions, each an opcode byte (byte % 10) and its operands:
//   0 type     box (bit 7: its text selected first), count, units (UnitOf):
//              each unit a key pressed and released in the box, 0x08 Backspace
//   1 press    key            in the box that has the focus
//   2 release  key (bit 7: an auto-repeat), in the box that has the focus
//   3 focus    box
//   4 paste    count, units: they replace the text of the box that has the focus
//   5 touch    unit, typed there by a touch keyboard's unnamed key
//   6 "Effacer tout"
//   7 the table window opened, or closed
//   8 click    column (signed)
//   9 arrows   count, then one byte per press: bit 0 set for Right, else Left

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/key_release_run.hpp"
#include "app/key_strokes.hpp"
#include "app/table_window_model.hpp"
#include "tests/fuzz/fuzzing.hpp"

using namespace kestal;
using namespace kestal::fuzzing;

namespace {

constexpr int kBackspace = 0x08;

// No NUL, and no half of a surrogate pair without the other: what a clipboard,
// a tooltip or a screen reader can take.
bool IsWholeText(std::u16string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char16_t unit = text[k];
        if (unit == 0 || (unit >= 0xDC00 && unit <= 0xDFFF)) {
            return false;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (k + 1 == text.size() || text[k + 1] < 0xDC00 || text[k + 1] > 0xDFFF) {
                return false;
            }
            ++k;
        }
    }
    return true;
}

// The input, read from the front; past its end every byte is 0.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_at == m_size; }
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::u16string Units() {
        std::u16string units;
        for (int count = Next(); count > 0 && !Empty(); --count) {
            units += UnitOf(Next());
        }
        return units;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> parts;
    for (std::size_t end; (end = text.find(separator)) != std::u16string_view::npos;) {
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    parts.push_back(text);
    return parts;
}

// The lines of a text whose every line ends with '\n'; none without that end.
std::vector<std::u16string_view> Lines(std::u16string_view text) {
    if (!text.ends_with(u'\n')) {
        return {};
    }
    return Split(text.substr(0, text.size() - 1), u'\n');
}

// The rows a note names, "ligne 79" or "lignes 79 et 80", in the locale's digits.
std::vector<int> RowsNamed(std::u16string_view text, char16_t zero) {
    std::vector<int> rows;
    std::size_t at = 0;
    const auto read = [&](std::u16string_view before) {
        if (!text.substr(at).starts_with(before)) {
            return;
        }
        at += before.size();
        int row = -1;
        for (; at < text.size() && text[at] >= zero && text[at] <= zero + 9; ++at) {
            row = std::min(std::max(row, 0) * 10 + (text[at] - zero), 1000);
        }
        rows.push_back(row);
    };
    while ((at = text.find(u"ligne", at)) != std::u16string_view::npos) {
        at += 5;
        if (text.substr(at).starts_with(u's')) {
            ++at;
            read(u" ");
            read(u" et ");
        } else {
            read(u" ");
        }
    }
    return rows;
}

// What a copy writes for a text: the same but where the text has a control
// character or a line separator, which may split no line or field of the copy.
bool Alike(std::u16string_view written, std::u16string_view text) {
    return std::ranges::equal(written, text, [](char16_t w, char16_t t) {
        return w == t || t < 0x20 || t == 0x85 || t == 0x2028 || t == 0x2029;
    });
}

std::u16string WithUnit(std::u16string_view value, Scale scale) {
    return std::u16string(value) + u" " + std::u16string(UnitOf(scale));
}

bool IsEmpty(const BoxNotes& notes) {
    return !notes.run && notes.report.empty() &&
           std::ranges::all_of(notes.reasons, &std::u16string::empty);
}

// The seven boxes of a front end, in memory, with what a run does to them; like
// a front end, it hands every run's notes to the table window while it is open.
struct MemoryBoxes final : ScaleBoxes {
    std::u16string Text(Scale scale) const override { return texts[ColumnOf(scale)]; }
    void SetText(Scale scale, std::u16string_view text) override {
        texts[ColumnOf(scale)] = text;
        written.push_back(scale);
    }
    void ShowNotANumber() override {
        Promise(written.empty(), "the message comes before any box is written");
        ++messages;
    }
    void SetNotes(const BoxNotes& given) override {
        notes = given;
        shownAtNotes = texts;
        ++notesGiven;
        if (table) {
            table->Follow(notes);
        }
    }

    std::array<std::u16string, kScaleCount> texts;
    // Since the run began.
    std::vector<Scale> written;
    int messages = 0;
    int notesGiven = 0;
    BoxNotes notes;
    std::array<std::u16string, kScaleCount> shownAtNotes;
    // The table window while it is open, and the user's last choice of target in it.
    std::optional<TableWindowModel> table;
    std::optional<Scale> chosen;
};

class Session {
public:
    explicit Session(const NumberSymbols& symbols) : m_engine(symbols) { EmptyAllBoxes(m_boxes); }

    void Act(Bytes& input);
    // What holds between actions, whatever they were.
    void Check() const;

private:
    const NumberText& Numbers() const { return m_engine.Numbers(); }
    std::u16string& Focused() { return m_boxes.texts[ColumnOf(m_focus)]; }
    void Focus(Scale box);
    void Type(Scale box, bool selected, std::u16string_view units);
    void Release(int key, bool autoRepeat);
    void Run(Scale source);
    void CheckConverted(Scale source, const TypedNumber& typed) const;
    void CheckTable(const TableWindowModel& model) const;
    void CheckNotes(Scale source, int bracket) const;
    void Click(int column);
    void Arrows(Bytes& input);
    void CheckPlot(const PlotView& plot, const std::u16string& shown, int first, int last) const;

    ConversionEngine m_engine;
    MemoryBoxes m_boxes;
    Scale m_focus = Scale::HV;
    std::array<KeyStrokes, kScaleCount> m_strokes;
    // Keys pressed in each box, and whether a touch keyboard typed there, since it got the focus.
    std::array<std::vector<int>, kScaleCount> m_pressed;
    std::array<bool, kScaleCount> m_touched{};
};

void Session::Act(Bytes& input) {
    const int focus = ColumnOf(m_focus);
    switch (input.Next() % 10) {
        case 0: {
            const std::uint8_t box = input.Next();
            Type(kAllScales[(box & 0x7f) % kScaleCount], (box & 0x80) != 0, input.Units());
            break;
        }
        case 1: {
            const int key = input.Next();
            m_strokes[focus].Pressed(key);
            m_pressed[focus].push_back(key);
            break;
        }
        case 2: {
            const std::uint8_t key = input.Next();
            Release(key & 0x7f, (key & 0x80) != 0);
            break;
        }
        case 3:
            Focus(kAllScales[input.Next() % kScaleCount]);
            break;
        case 4:
            Focused() = input.Units();
            if (m_strokes[focus].Changed()) {
                Promise(m_touched[focus], "a change converts only after a touch keyboard's key");
                Run(m_focus);
            }
            break;
        case 5:
            m_strokes[focus].PressedUnidentified();
            m_touched[focus] = true;
            Focused() += UnitOf(input.Next());
            Promise(m_strokes[focus].Changed(), "what a touch keyboard types converts");
            Run(m_focus);
            break;
        case 6:  // "Effacer tout"
            EmptyAllBoxes(m_boxes);
            Promise(std::ranges::all_of(m_boxes.texts, &std::u16string::empty) &&
                        IsEmpty(m_boxes.notes),
                    "\"Effacer tout\" empties the seven boxes and their notes");
            break;
        case 7:
            m_boxes.chosen.reset();
            if (m_boxes.table) {
                m_boxes.table.reset();
            } else {
                m_boxes.table.emplace(Numbers());
                m_boxes.table->Follow(m_boxes.notes);
            }
            break;
        case 8:
            Click(static_cast<std::int8_t>(input.Next()));
            break;
        default:
            Arrows(input);
            break;
    }
}

void Session::Focus(Scale box) {
    if (box != m_focus) {
        const int left = ColumnOf(m_focus);
        m_strokes[left].FocusLeft();
        m_pressed[left].clear();
        m_touched[left] = false;
        m_focus = box;
    }
}

void Session::Type(Scale box, bool selected, std::u16string_view units) {
    Focus(box);
    for (const char16_t unit : units) {
        const int key = unit;
        m_strokes[ColumnOf(box)].Pressed(key);
        m_pressed[ColumnOf(box)].push_back(key);
        if (selected) {
            Focused().clear();
        } else if (key == kBackspace && !Focused().empty()) {
            Focused().pop_back();
        }
        if (key != kBackspace) {
            Focused() += unit;
        }
        selected = false;
        Promise(m_strokes[ColumnOf(box)].Released(key, false),
                "a key pressed and released in a box converts");
        Run(box);
    }
}

void Session::Release(int key, bool autoRepeat) {
    const int focus = ColumnOf(m_focus);
    if (m_strokes[focus].Released(key, autoRepeat)) {
        Promise(!autoRepeat && std::ranges::find(m_pressed[focus], key) != m_pressed[focus].end(),
                "only the last release of a key pressed in the box converts");
        Run(m_focus);
    }
}

void Session::Run(Scale source) {
    const std::u16string typed = m_boxes.texts[ColumnOf(source)];
    const std::array before = m_boxes.texts;
    m_boxes.written.clear();
    m_boxes.messages = 0;
    m_boxes.notesGiven = 0;
    RunKeyRelease(m_engine, source, m_boxes);
    const std::optional<TypedNumber> number = Numbers().Parse(typed);
    if (typed.empty()) {
        Promise(m_boxes.written.empty() && m_boxes.messages == 0 && m_boxes.notesGiven == 0 &&
                    m_boxes.texts == before,
                "an empty box converts nothing and leaves the others as they are");
    } else if (!number) {
        Promise(m_boxes.messages == 1 && IsEmpty(m_boxes.notes) &&
                    std::ranges::all_of(m_boxes.texts, &std::u16string::empty),
                "a text that is not a number is told once, then all seven boxes are empty");
    } else {
        Promise(m_boxes.messages == 0 && m_boxes.texts[ColumnOf(source)] == typed &&
                    std::ranges::equal(m_boxes.written, TargetOrder(source)),
                "a number writes the six other boxes in their order, never its own");
        CheckConverted(source, *number);
    }
}

// What the lab's record checks, on whatever was typed: a value within its
// column's rows is bracketed by two of them, a row's own value gives that row's
// figures, any other value the straight line between its bracket rows' figures
// to the tenth and none where a row has none, and a value outside the table
// gives nothing.
void Session::CheckConverted(Scale source, const TypedNumber& typed) const {
    const float x = typed.single;
    const ConversionTable& table = ConversionTable::BuiltIn();
    const BoxNotes& notes = m_boxes.notes;
    Promise(m_boxes.notesGiven == 1 && notes.run && notes.run->source == source,
            "a conversion gives its notes once");
    const auto cell = [&](Scale scale, int row) { return *table.Value(scale, row); };
    const ConversionTable::Run run = *table.RisingRun(source);
    const std::optional<int> bracket = notes.run->bracket;
    Promise(bracket.has_value() == (cell(source, run.first) <= x && x <= cell(source, run.last)),
            "a value is bracketed exactly when it lies within its column's rows");
    const int i = bracket.value_or(0);
    Promise(!bracket || (i >= run.first && i < run.last && cell(source, i) <= x &&
                         x <= cell(source, i + 1)),
            "the bracket's rows enclose the typed value");
    int exactRow = 0;
    for (int row = run.first; row <= run.last && bracket; ++row) {
        exactRow = cell(source, row) == x ? row : exactRow;
    }
    for (const Scale target : TargetOrder(source)) {
        const std::u16string& shown = m_boxes.texts[ColumnOf(target)];
        Promise(shown.empty() || IsOneDecimal(Numbers(), shown),
                "a target shows nothing or a one-decimal number in the locale");
        if (!bracket) {
            Promise(shown.empty(), "a value outside the table converts to nothing");
        } else if (exactRow != 0) {
            const float figure = cell(target, exactRow);
            Promise(shown == (figure == 0 ? u"" : Numbers().FormatOneDecimal(figure)),
                    "a row's value gives that row's figures, and nothing where it has none");
        } else {
            const float low = cell(target, i);
            const float high = cell(target, i + 1);
            Promise(shown.empty() == (low == 0 || high == 0),
                    "a figure is interpolated exactly where both bracket rows have one");
            // Worked in double from the cells, against figures worked in single
            // and rounded to the tenth (either way on a half).
            const double line = low + (typed.value - cell(source, i)) * (high - low) /
                                          (cell(source, i + 1) - cell(source, i));
            Promise(shown.empty() || std::abs(Numbers().Parse(shown)->value - line) <= 0.052,
                    "an interpolated figure is on the line between its bracket rows' figures");
        }
    }
    CheckNotes(source, i);
}

// The tooltips and the report speak of the boxes as they are: every box has
// its reason, a figure's reason and its report line begin with it, the report
// names the typed value and then each figure, in the window's order, and no
// box without one; the rows they name are the bracket's.
void Session::CheckNotes(Scale source, int bracket) const {
    const BoxNotes& notes = m_boxes.notes;
    const std::vector<std::u16string_view> lines = Lines(notes.report);
    const std::u16string typed = WithUnit(m_boxes.texts[ColumnOf(source)], source);
    Promise(!lines.empty() && Alike(lines.front(), typed) &&
                Alike(notes.reasons[ColumnOf(source)].substr(0, typed.size()), typed),
            "the report and the source's reason begin with the typed value");
    std::size_t line = 1;
    for (const Scale scale : kAllScales) {
        const std::u16string& reason = notes.reasons[ColumnOf(scale)];
        Promise(!reason.empty() && IsWholeText(reason), "every box has its reason, a whole text");
        const std::u16string& shown = m_boxes.texts[ColumnOf(scale)];
        if (scale != source && !shown.empty()) {
            Promise(reason.starts_with(WithUnit(shown, scale)) && line < lines.size() &&
                        lines[line++].starts_with(WithUnit(shown, scale)),
                    "a figure's reason and report line begin with it, in the window's order");
        }
    }
    Promise(line == lines.size() && IsWholeText(notes.report),
            "the report names no box without a figure, and is a whole text");
    std::vector<int> rows = RowsNamed(notes.report, Numbers().Symbols().zeroDigit);
    for (const std::u16string& reason : notes.reasons) {
        std::ranges::copy(RowsNamed(reason, Numbers().Symbols().zeroDigit),
                          std::back_inserter(rows));
    }
    Promise(
        std::ranges::all_of(rows, [&](int row) { return row == bracket || row == bracket + 1; }),
        "the rows the notes name are the bracket's");
}

void Session::Check() const {
    const std::u16string values = SevenValues(m_boxes);
    const bool anyShown = !std::ranges::all_of(m_boxes.texts, &std::u16string::empty);
    Promise(values.empty() != anyShown,
            "the seven values are there to copy exactly when a box shows one");
    if (anyShown) {
        const std::vector<std::u16string_view> lines = Lines(values);
        Promise(
            lines.size() == 2 && std::ranges::equal(Split(lines[1], u'\t'), m_boxes.texts, Alike),
            "the seven values copy as two rows, the second the boxes' texts");
    }
    if (m_boxes.table) {
        CheckTable(*m_boxes.table);
    }
}

// The table window shows the last run: its source and bracket rows marked, a
// target other than the source, the user's while it can be, else one with a
// figure where there is one, and that target's plot.
void Session::CheckTable(const TableWindowModel& model) const {
    const TableRunView& view = model.View();
    const std::optional<ConversionReasons>& run = m_boxes.notes.run;
    Promise(IsWholeText(view.status), "the table window's status is a whole text");
    if (!run) {
        Promise(!view.source && !view.target && view.firstRow == 0 && view.lastRow == 0 &&
                    view.plot.curve.empty() && !view.plot.mark,
                "without a run the table window marks nothing");
        CheckPlot(view.plot, {}, 0, 0);
        return;
    }
    Promise(view.source == run->source && view.target && *view.target != run->source,
            "the plot's target is a scale other than the source");
    const auto& shown = m_boxes.shownAtNotes;
    if (run->bracket) {
        const float x = Numbers().Parse(shown[ColumnOf(run->source)])->single;
        Promise(view.firstRow >= 1 && view.lastRow <= ConversionTable::kFilledRows &&
                    (view.lastRow == view.firstRow || view.lastRow == view.firstRow + 1),
                "the highlighted rows are one or two neighbouring rows of the table");
        const auto figure = [&](int row) {
            const std::u16string& text =
                model.Rows()[static_cast<std::size_t>(row - 1)][ColumnShowing(run->source)];
            return Numbers().Parse(text).value_or(TypedNumber{-1, -1}).single;
        };
        const float low = figure(view.firstRow);
        const float high = figure(view.lastRow);
        Promise(view.firstRow == view.lastRow ? low == x : low < x && x < high,
                "a row's own value highlights that row, any other the two around it");
    } else {
        Promise(view.firstRow == 0 && view.lastRow == 0, "a value outside the table marks no row");
    }
    const Scale target = *view.target;
    if (m_boxes.chosen && *m_boxes.chosen != run->source) {
        Promise(target == *m_boxes.chosen, "the user's target holds while it is not the source");
    } else if (std::ranges::any_of(TargetOrder(run->source),
                                   [&](Scale scale) { return !shown[ColumnOf(scale)].empty(); })) {
        Promise(!shown[ColumnOf(target)].empty(), "the plot starts on a target with a figure");
    }
    CheckPlot(view.plot, shown[ColumnOf(target)], view.firstRow, view.lastRow);
}

void Session::Click(int column) {
    if (!m_boxes.table) {
        return;
    }
    const std::optional<Scale> before = m_boxes.table->View().target;
    m_boxes.table->Choose(column);
    const std::optional<ConversionReasons>& run = m_boxes.notes.run;
    const std::optional<Scale> scale =
        column >= 1 && column <= kScaleCount ? std::optional(kAllScales[column - 1]) : std::nullopt;
    const bool takes = scale && (!run || *scale != run->source);
    m_boxes.chosen = takes ? scale : m_boxes.chosen;
    Promise(m_boxes.table->View().target == (takes && run ? scale : before),
            "a click on a target's column makes it the plot's, any other click changes nothing");
}

void Session::Arrows(Bytes& input) {
    std::vector<std::pair<std::optional<Scale>, bool>> presses;  // target before, Right
    for (int count = input.Next(); count > 0 && !input.Empty(); --count) {
        const bool right = (input.Next() & 1) != 0;
        if (!m_boxes.table) {
            continue;
        }
        const std::optional<Scale> from = m_boxes.table->View().target;
        m_boxes.table->ChooseNext(right ? 1 : -1);
        const std::optional<Scale> to = m_boxes.table->View().target;
        presses.emplace_back(from, right);
        const std::size_t k = presses.size() - 1;
        if (!from) {
            Promise(!to, "an arrow gives no target where there is none");
            continue;
        }
        m_boxes.chosen = to;
        Promise(to && to != from && to != m_boxes.notes.run->source,
                "an arrow moves the plot to another target, never the source");
        Promise(k == 0 || presses[k - 1].second == right || to == presses[k - 1].first,
                "Left undoes Right and Right undoes Left");
        Promise(k < 5 || to == presses[k - 5].first ||
                    !std::all_of(presses.end() - 6, presses.end(),
                                 [&](const auto& press) { return press.second == right; }),
                "six presses the same way go round the six targets");
    }
}

// The plot stays inside its control: its curve rises left to right through the
// table's rows, and a figure shown in the box is marked on the segment between
// its rows, as the plot writes it.
void Session::CheckPlot(const PlotView& plot, const std::u16string& shown, int first,
                        int last) const {
    const TwipsRect& rect = TableWindowDescription().Control("Picture1").rect;
    const auto inside = [&](double left, double top) {
        return left >= 0 && left <= rect.width && top >= 0 && top <= rect.height;
    };
    Promise(IsWholeText(plot.title) && IsWholeText(plot.description) &&
                std::ranges::all_of(plot.texts,
                                    [&](const PlotText& text) {
                                        return IsWholeText(text.text) &&
                                               inside(text.left, text.top);
                                    }),
            "the plot's texts are whole and stand inside it");
    std::vector<PlotLine> lines = plot.axes;
    lines.insert(lines.end(), plot.markLines.begin(), plot.markLines.end());
    Promise(std::ranges::all_of(lines,
                                [&](const PlotLine& line) {
                                    return inside(line.left1, line.top1) &&
                                           inside(line.left2, line.top2);
                                }),
            "the plot's lines lie inside it");
    for (std::size_t k = 0; k < plot.curve.size(); ++k) {
        const PlotPoint& point = plot.curve[k];
        const PlotPoint* previous = k > 0 ? &plot.curve[k - 1] : nullptr;
        Promise(inside(point.left, point.top) &&
                    (!previous || (point.row > previous->row && point.left > previous->left &&
                                   point.top < previous->top)),
                "the curve rises left to right inside the plot through the rows in order");
    }
    Promise(plot.mark.has_value() == !shown.empty(),
            "the plot marks the typed value exactly where the box shows a figure");
    if (!plot.mark) {
        return;
    }
    const PlotPoint& mark = *plot.mark;
    const auto rowPoint = [&](int row) {
        return std::ranges::find(plot.curve, row, &PlotPoint::row);
    };
    const auto lower = rowPoint(first);
    const auto upper = rowPoint(last);
    Promise(inside(mark.left, mark.top) && plot.description.find(shown) != std::u16string::npos,
            "the mark lies inside the plot, which writes the figure the box shows");
    Promise(lower != plot.curve.end() && upper != plot.curve.end(),
            "the marked figure's rows are on the curve");
    constexpr double kTwips = 0.01;
    const double across = upper->left - lower->left;
    const double along = across == 0 ? 0 : (mark.left - lower->left) / across;
    Promise(mark.left >= lower->left - kTwips && mark.left <= upper->left + kTwips &&
                std::abs(lower->top + along * (upper->top - lower->top) - mark.top) <= kTwips,
            "the mark lies on the curve's segment between its rows");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes input(data, size);
    Session session(kLocales[input.Next() % 4]);
    while (!input.Empty()) {
        session.Act(input);
        session.Check();
    }
    return 0;
}
