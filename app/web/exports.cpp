// The functions the page's script calls, over the one page of this module's
// instance. A box is given by its scale's column, 0 (HV) to 6 (Rm); any other
// number is ignored.

#include <cstdlib>
#include <new>
#include <optional>

#include "app/lab/validation_record.hpp"
#include "app/web/page_description.hpp"
#include "app/web/page_mailbox.hpp"
#include "app/web/table_window_json.hpp"
#include "app/web/web_page.hpp"
#include "app/window/window_description.hpp"

#define KESTAL_EXPORT(name) extern "C" [[clang::export_name(#name)]]

// Running out of memory, or a broken promise inside the C++ library (a bad
// index, an empty optional read), stops the module as it would a program.
// Written here so that the library's own versions, which format a message
// with printf for a console the page does not have, are not linked in.
[[noreturn]] void std::__libcpp_verbose_abort(char const*, ...) noexcept {
    __builtin_trap();
}
void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    __builtin_trap();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace kestal {

namespace {

std::optional<WebPage>& Page() {
    static std::optional<WebPage> page;
    return page;
}

// The page's box `box`, when there is a page and such a box.
template <typename Action>
void OnBox(int box, Action action) {
    if (Page() && box >= 0 && box < kScaleCount) {
        action(*Page(), kAllScales[static_cast<std::size_t>(box)]);
    }
}

// The inbox's `N` fields, each ended by U+0000; any beyond go to the last.
template <std::size_t N>
std::array<std::u16string, N> InboxFields() {
    std::array<std::u16string, N> fields;
    std::size_t field = 0;
    for (const char16_t c : Inbox()) {
        if (c == u'\0') {
            field = std::min(field + 1, N - 1);
        } else {
            fields[field] += c;
        }
    }
    return fields;
}

int ToOutbox(std::u16string text) {
    Outbox() = std::move(text);
    return static_cast<int>(Outbox().size());
}

enum class Chosen { Nothing, Target };

// What `action` makes of the open table window, its new view in the outbox;
// 0 while there is no such window. Where the user chose a target that the
// plot did not show, the page says what it shows now.
template <typename Action>
int OnTable(Action action, Chosen chosen = Chosen::Nothing) {
    TableWindowModel* table = Page() ? Page()->Table() : nullptr;
    if (!table) {
        return 0;
    }
    const std::optional<Scale> shown = table->View().target;
    action(*table);
    if (chosen == Chosen::Target && table->View().target != shown) {
        Page()->TargetChosen();
    }
    return ToOutbox(RunViewJson(table->View()));
}

}  // namespace

std::u16string& Inbox() {
    static std::u16string text;
    return text;
}

std::u16string& Outbox() {
    static std::u16string text;
    return text;
}

}  // namespace kestal

using namespace kestal;

KESTAL_EXPORT(kestal_inbox) char16_t* kestal_inbox(int length) {
    Inbox().assign(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
    return Inbox().data();
}

KESTAL_EXPORT(kestal_outbox) const char16_t* kestal_outbox() {
    return Outbox().data();
}

// Starts the program for the locale whose number symbols the inbox holds, each
// ended by U+0000: decimal separator, minus sign, plus sign, exponent, zero
// digit. Leaves the page's description in the outbox and returns its length;
// the page then creates its elements and loads the main window.
KESTAL_EXPORT(kestal_start) int kestal_start() {
    const auto fields = InboxFields<5>();
    NumberSymbols symbols{fields[0], fields[1], fields[2], fields[3]};
    if (fields[4].size() == 1) {
        symbols.zeroDigit = fields[4][0];
    }
    Page().emplace(symbols);
    return ToOutbox(PageDescription(symbols));
}

KESTAL_EXPORT(kestal_load) void kestal_load() {
    if (Page()) {
        Page()->Form_Load();
    }
}

KESTAL_EXPORT(kestal_key_down) void kestal_key_down(int box, int key) {
    OnBox(box, [key](WebPage& page, Scale scale) { page.KeyDown(scale, key); });
}

KESTAL_EXPORT(kestal_unidentified_key_down) void kestal_unidentified_key_down(int box) {
    OnBox(box, [](WebPage& page, Scale scale) { page.UnidentifiedKeyDown(scale); });
}

KESTAL_EXPORT(kestal_key_up) void kestal_key_up(int box, int key) {
    OnBox(box, [key](WebPage& page, Scale scale) { page.KeyUp(scale, key); });
}

KESTAL_EXPORT(kestal_text_changed) void kestal_text_changed(int box) {
    OnBox(box, [](WebPage& page, Scale scale) { page.TextChanged(scale); });
}

KESTAL_EXPORT(kestal_focus_left) void kestal_focus_left(int box) {
    OnBox(box, [](WebPage& page, Scale scale) { page.FocusLeft(scale); });
}

// "Effacer tout".
KESTAL_EXPORT(kestal_clear_all) void kestal_clear_all() {
    if (Page()) {
        Page()->Command1_Click();
    }
}

// "Copier les sept valeurs", into the outbox: its length, 0 when every box is empty.
KESTAL_EXPORT(kestal_seven_values) int kestal_seven_values() {
    return ToOutbox(Page() ? SevenValues(*Page()) : std::u16string());
}

// Opens the table window's model (or keeps the open one) and leaves its
// columns, rows and view in the outbox (TableWindowJson): their length.
// `touch` is not 0 on a touch screen, which has no keys to reach the window.
KESTAL_EXPORT(kestal_open_table) int kestal_open_table(int touch) {
    const Reach reach = touch != 0 ? Reach::Touch : Reach::Keys;
    return Page() ? ToOutbox(TableWindowJson(Page()->OpenTable(reach))) : 0;
}

KESTAL_EXPORT(kestal_close_table) void kestal_close_table() {
    if (Page()) {
        Page()->CloseTable();
    }
}

// A click in column `column` of the table, 0 (the row numbers) to 7 (Rm).
KESTAL_EXPORT(kestal_choose_column) int kestal_choose_column(int column) {
    return OnTable([column](TableWindowModel& table) { table.Choose(column); }, Chosen::Target);
}

// Left (a negative step) or Right (a positive one) in the table: the next
// target that way, one column whatever the number.
KESTAL_EXPORT(kestal_choose_next) int kestal_choose_next(int step) {
    return OnTable(
        [step](TableWindowModel& table) {
            if (step != 0) {
                table.ChooseNext(step < 0 ? -1 : 1);
            }
        },
        Chosen::Target);
}

// A moment of the page's clock as the record writes it, into the outbox: its
// length.
KESTAL_EXPORT(kestal_record_time)
int kestal_record_time(int year, int month, int day, int hour, int minute, int second,
                       int utcOffsetMinutes) {
    return ToOutbox(RecordTime({year, month, day, hour, minute, second, utcOffsetMinutes}));
}

// The validation record as one page to print, into the outbox: its length. The
// inbox holds, each ended by U+0000, the date and time, the system, the
// browser and the language whose number conventions the page follows.
KESTAL_EXPORT(kestal_validation_record) int kestal_validation_record() {
    if (!Page()) {
        return 0;
    }
    const auto fields = InboxFields<4>();
    return ToOutbox(Page()->ValidationRecord(fields[0], fields[1], fields[2], fields[3]));
}

// The plot as the page shows it, `width` by `height` CSS pixels.
KESTAL_EXPORT(kestal_resize_plot) int kestal_resize_plot(int width, int height) {
    return OnTable([width, height](TableWindowModel& table) {
        table.ResizePlot(width * kTwipsPerPixelAt96Dpi, height * kTwipsPerPixelAt96Dpi);
    });
}
