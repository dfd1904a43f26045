#include "app/window/window_description.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kestal {

namespace {

constexpr std::array<std::string_view, kScaleCount> kBoxNames{"Text1", "Text2", "Text3", "Text4",
                                                              "Text5", "Text6", "Text7"};
constexpr std::array<std::string_view, kScaleCount> kCaptionNames{
    "Label1_0", "Label1_1", "Label1_2", "Label1_3", "Label1_4", "Label1_5", "Label1_6"};
constexpr std::array<std::u16string_view, kScaleCount> kCaptions{
    u"HV", u"HBS / HBW", u"HRA", u"HRB", u"HRC", u"HRD", u"Rm"};
// What each caption stands for, for a listener who meets it alone.
constexpr std::array<std::u16string_view, kScaleCount> kScaleNames{
    u"Dureté Vickers",
    u"Dureté Brinell",
    u"Dureté Rockwell A",
    u"Dureté Rockwell B",
    u"Dureté Rockwell C",
    u"Dureté Rockwell D",
    u"Résistance à la traction, en MPa"};

constexpr std::u16string_view kCreditLine = u"Conçu et réalisé par l'équipe Kestal";
constexpr FontDescription kCreditFont{Typeface::TimesNewRoman, 9.75, true};
constexpr Colour kBlue{0, 0, 255};
// The hint's red, as dark as it must be to read at 4.5 : 1 on the windows'
// grey (212, 208, 200), as small bold text needs; pure red gives 2.6 : 1.
constexpr Colour kHintRed{183, 0, 0};

// Scale i has its box and, to the right, its caption on one row 525 twips
// below the last, from HV at the top to Rm at the bottom.
constexpr int ScaleRowTop(int scale) {
    return 795 + 525 * scale;
}

constexpr std::array<ControlDescription, 21> kForm1Controls = [] {
    std::array<ControlDescription, 21> controls{};
    for (int i = 0; i < kScaleCount; ++i) {
        const auto scale = static_cast<Scale>(i);
        controls[i] = {.name = kBoxNames[i],
                       .kind = ControlKind::ScaleBox,
                       .text = {},
                       .rect = {105, ScaleRowTop(i), 1695, 330},
                       .scale = scale,
                       .accessibleName = kCaptions[i]};
        controls[kScaleCount + i] = {.name = kCaptionNames[i],
                                     .kind = ControlKind::Label,
                                     .text = kCaptions[i],
                                     .rect = {2520, ScaleRowTop(i), 1590, 330},
                                     .parent = {},
                                     .font = FontDescription{Typeface::MsSansSerif, 12, true},
                                     .alignment = Alignment::Centre,
                                     .accessibleDescription = kScaleNames[i]};
    }
    controls[14] = {.name = "Frame1",
                    .kind = ControlKind::Frame,
                    .text = u"Recommandations",
                    .rect = {105, 5550, 4215, 1275}};
    controls[15] = {.name = "Label2",
                    .kind = ControlKind::Label,
                    .text =
                        u"Ces conversions sont issues des normes NF A 03-172 et NF A 03-173 et "
                        u"sont données pour des aciers particuliers. Consultez ces deux normes "
                        u"pour plus d'informations.",
                    .rect = {240, 360, 3795, 855},
                    .parent = "Frame1",
                    .wraps = true};
    controls[16] = {.name = "Label3",
                    .kind = ControlKind::Label,
                    .text = kCreditLine,
                    .rect = {360, 7020, 3510, 225},
                    .font = kCreditFont,
                    .colour = kBlue};
    controls[17] = {.name = "Label4",
                    .kind = ControlKind::Label,
                    .text = u"Les valeurs doivent être écrites avec une virgule et non un point",
                    .rect = {120, 120, 4095, 495},
                    .font = FontDescription{Typeface::MsSansSerif, 9.75, true},
                    .alignment = Alignment::Centre,
                    .wraps = true,
                    .colour = kHintRed};
    // Left to right the buttons read "Effacer tout", "Aide", "Terminé"; the
    // tab order takes "Terminé" before "Aide".
    controls[18] = {.name = "Command1",
                    .kind = ControlKind::PushButton,
                    .text = u"&Effacer tout",
                    .rect = {120, 4800, 1215, 495},
                    .accessibleDescription = u"Vide les sept cases"};
    controls[19] = {.name = "Command2",
                    .kind = ControlKind::PushButton,
                    .text = u"&Terminé",
                    .rect = {3000, 4800, 1215, 495},
                    .accessibleDescription = u"Ferme Kestal"};
    controls[20] = {.name = "Command3",
                    .kind = ControlKind::PushButton,
                    .text = u"&Aide",
                    .rect = {1560, 4800, 1215, 495},
                    .accessibleDescription = u"Ouvre la fenêtre d'aide"};
    return controls;
}();

constexpr std::array<ControlDescription, 3> kForm2Controls{{
    {.name = "Label1",
     .kind = ControlKind::Label,
     .text = u"Ce logiciel est très simple d'utilisation. Il suffit d'entrer la valeur à "
             u"convertir dans la zone texte correspondant à son unité. Le logiciel calcul, "
             u"lorsqu'il existe une correspondance, la kestal dans les autres unités.",
     .rect = {360, 360, 3855, 2415},
     .font = FontDescription{Typeface::TimesNewRoman, 14.25, false},
     .alignment = Alignment::Centre,
     .wraps = true},
    {.name = "Label3",
     .kind = ControlKind::Label,
     .text = kCreditLine,
     .rect = {480, 3720, 3510, 225},
     .font = kCreditFont,
     .colour = kBlue},
    {.name = "Command1",
     .kind = ControlKind::PushButton,
     .text = u"&Retour",
     .rect = {1440, 3000, 1695, 495},
     .accessibleDescription = u"Ferme l'aide et revient à la fenêtre principale"},
}};

// The table on top, the status line under it, the curve at the bottom, which
// is named after what it shows (PlotView).
constexpr std::array<ControlDescription, 3> kTableWindowControls{{
    {.name = "Grid1",
     .kind = ControlKind::Table,
     .rect = {120, 120, 8280, 3840},
     .accessibleName = u"Table de conversion",
     .accessibleDescription = u"Les lignes de la dernière conversion y sont marquées ; Gauche et "
                              u"Droite choisissent l'échelle tracée en dessous"},
    {.name = "Label1",
     .kind = ControlKind::Label,
     .rect = {120, 4080, 8280, 630},
     .wraps = true,
     .accessibleName = u"Dernière conversion"},
    {.name = "Picture1", .kind = ControlKind::Plot, .rect = {120, 4830, 8280, 3450}},
}};

// The classic dialog font, at the 8.25 points its 8-point pixel size comes to.
constexpr FontDescription kWindowFont{Typeface::MsSansSerif, 8.25, false};

constexpr WindowDescription kForm1{"Form1",     u"Conversion de kestal", 4380, 7395, 5700, 2640,
                                   kWindowFont, kForm1Controls};
constexpr WindowDescription kForm2{
    "Form2", u"Conversion de kestal - Aide", 4560, 4035, 10035, 4050, kWindowFont, kForm2Controls};
// To the right of the main window, level with its top.
constexpr WindowDescription kTableWindow{
    "TableWindow",       u"Conversion de kestal - Table", 8520, 8400, 10380, 2640, kWindowFont,
    kTableWindowControls};

}  // namespace

std::span<const std::u16string_view> FamilyNames(Typeface typeface) {
    static constexpr std::array<std::u16string_view, 5> kSans{
        u"MS Sans Serif", u"Microsoft Sans Serif", u"Liberation Sans", u"Arimo", u"DejaVu Sans"};
    static constexpr std::array<std::u16string_view, 4> kSerif{
        u"Times New Roman", u"Liberation Serif", u"Tinos", u"DejaVu Serif"};
    if (typeface == Typeface::MsSansSerif) {
        return kSans;
    }
    return kSerif;
}

const ControlDescription& WindowDescription::Control(std::string_view controlName) const {
    const auto found = std::ranges::find(controls, controlName, &ControlDescription::name);
    if (found == controls.end()) {
        std::abort();  // a name the program itself got wrong, not anything a user did
    }
    return *found;
}

std::span<const EditEntry> BoxEditEntries() {
    static constexpr std::array<EditEntry, 6> kEntries{{
        {EditCommand::Undo, u"&Annuler"},
        {EditCommand::Cut, u"Co&uper", true},
        {EditCommand::Copy, u"&Copier"},
        {EditCommand::Paste, u"C&oller"},
        {EditCommand::Delete, u"&Supprimer"},
        {EditCommand::SelectAll, u"Sélectionner &tout", true},
    }};
    return kEntries;
}

const WindowDescription& Form1Description() {
    return kForm1;
}

const WindowDescription& Form2Description() {
    return kForm2;
}

const WindowDescription& TableWindowDescription() {
    return kTableWindow;
}

std::u16string_view HintText(const NumberSymbols& symbols) {
    if (symbols.decimalPoint == u".") {
        return u"Les valeurs doivent être écrites avec un point et non une virgule";
    }
    return kForm1.Control("Label4").text;
}

std::string_view BoxName(Scale scale) {
    return kBoxNames[ColumnOf(scale)];
}

std::string_view CaptionName(Scale scale) {
    return kCaptionNames[ColumnOf(scale)];
}

}  // namespace kestal
