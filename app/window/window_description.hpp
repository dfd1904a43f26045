#pragma once

// The windows as data: every control with its name, kind, text, rectangle in
// twips, font, alignment and colour, listed in tab order, and the texts the
// program shows. Each front end walks these descriptions to create its own
// controls, so a text or a rectangle is written here once for all of them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "conversion/number_symbols.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// Twips, 1440 to the inch: 15 to a pixel at 96 dots per inch. Every value of
// both layouts is a multiple of 15.
inline constexpr int kTwipsPerPixelAt96Dpi = 15;

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
};

// A table shows the conversion table's rows (table_contents.hpp); a plot draws
// a PlotView (plot_view.hpp).
enum class ControlKind { ScaleBox, Label, Frame, PushButton, Table, Plot };

// The two typefaces the design names.
enum class Typeface { MsSansSerif, TimesNewRoman };

struct FontDescription {
    Typeface typeface;
    double points;
    bool bold;
};

// The family the design names first, then look-alikes for systems without it:
// Debian has neither MS Sans Serif nor Times New Roman, but Liberation Sans and
// Liberation Serif keep their widths, so texts wrap where they were meant to.
std::span<const std::u16string_view> FamilyNames(Typeface typeface);

enum class Alignment { Left, Centre };

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

struct ControlDescription {
    std::string_view name;  // "Text1", "Label1_0" (Label1(0) of the group), "Command1"...
    ControlKind kind;
    std::u16string_view text = {};  // an ampersand marks a button's access letter
    TwipsRect rect;                 // within the parent
    std::string_view parent = {};   // "" for the window's client area, else a frame's name
    std::optional<FontDescription> font = {};  // else the window's
    Alignment alignment = Alignment::Left;
    bool wraps = false;                 // text wrapped within the width
    std::optional<Colour> colour = {};  // text colour, else the system's
    std::optional<Scale> scale = {};    // the scale a box shows
    // What a screen reader says of it: its name where its text gives none or
    // is its value (a box, the table, the status line), and what it is or does
    // where its name alone does not say.
    std::u16string_view accessibleName = {};
    std::u16string_view accessibleDescription = {};
};

struct WindowDescription {
    std::string_view name;
    std::u16string_view caption;
    int clientWidth;  // twips
    int clientHeight;
    // Where the design puts the client area on the screen, in twips.
    int designLeft;
    int designTop;
    FontDescription font;                          // of every control that has none of its own
    std::span<const ControlDescription> controls;  // in tab order

    // The control of that name; every name a front end asks for is there.
    const ControlDescription& Control(std::string_view controlName) const;
};

// The main window: seven scale boxes with their captions, the hint, three
// commands, the note on the standards and the credit line.
const WindowDescription& Form1Description();
// The help window: the help text, the credit line and "Retour".
const WindowDescription& Form2Description();
// The table window: the conversion table, a status line saying what the last
// conversion went by, and the curve behind it. It closes with its close box
// and with Escape; it has no button.
const WindowDescription& TableWindowDescription();

// The names of the box that shows `scale` ("Text1" for HV...) and of the
// caption beside it ("Label1_0").
std::string_view BoxName(Scale scale);
std::string_view CaptionName(Scale scale);

// The hint at the top of the main window, "Label4", as it holds for these
// symbols: under a decimal point it says so instead of asking for a comma.
std::u16string_view HintText(const NumberSymbols& symbols);

// The standard entries of a scale box's context menu, before the window's own
// two, as French Windows words them: an ampersand marks the access letter.
enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };
struct EditEntry {
    EditCommand command;
    std::u16string_view text;
    bool separatorBefore = false;
};
std::span<const EditEntry> BoxEditEntries();

// The two entries each scale box's context menu adds to its standard ones.
inline constexpr std::u16string_view kCopySevenValues = u"Copier les sept valeurs";
inline constexpr std::u16string_view kCopyForReport = u"Copier pour un rapport";

// The entry of each scale box's context menu that opens the table window, and
// its shortcut from the main window, the function key F8: no front end, toolkit
// or browser gives that key a meaning in a text box.
inline constexpr std::u16string_view kShowInTable = u"Voir dans la table";
inline constexpr int kShowInTableFunctionKey = 8;

inline constexpr std::u16string_view kApplicationTitle = u"Kestal";
inline constexpr std::u16string_view kNotANumberMessage =
    u"La valeur rentrée n'est pas considérée comme un nombre";

}  // namespace kestal
