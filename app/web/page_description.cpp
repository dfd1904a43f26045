#include "app/web/page_description.hpp"

#include <cmath>
#include <string>

#include "app/lab/validation_record.hpp"
#include "app/table/plot_view.hpp"
#include "app/web/json_text.hpp"
#include "app/window/table_identity.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

namespace {

// What only a page says: its windows' close box, the message's button, and
// what stays of a tab once "Terminé" has ended the program in it.
constexpr std::u16string_view kClose = u"Fermer";
constexpr std::u16string_view kOk = u"OK";
constexpr std::u16string_view kEnded = u"Kestal est terminé : vous pouvez fermer cet onglet.";
constexpr std::u16string_view kRestart = u"Relancer Kestal";
// The table window's way to the validation record, where no command line is,
// and the record's window's two commands.
constexpr std::u16string_view kCheckKestal = u"Vérifier Kestal";
constexpr std::u16string_view kPrint = u"Imprimer";
constexpr std::u16string_view kSave = u"Enregistrer";
// What the table window's grid does with the keys, for a screen reader.
constexpr std::u16string_view kGridKeys =
    u"Flèche gauche et flèche droite choisissent l'échelle tracée sous la table, comme un clic "
    u"sur sa colonne ; Échap ferme la fenêtre.";
// The main window's hint on the decimal separator, which describes its boxes
// to a screen reader.
constexpr std::string_view kHint = "Label4";

std::string_view CommandName(EditCommand command) {
    switch (command) {
        case EditCommand::Undo:
            return "undo";
        case EditCommand::Cut:
            return "cut";
        case EditCommand::Copy:
            return "copy";
        case EditCommand::Paste:
            return "paste";
        case EditCommand::Delete:
            return "delete";
        case EditCommand::SelectAll:
            break;
    }
    return "selectAll";
}

std::string_view KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::ScaleBox:
            return "box";
        case ControlKind::Label:
            return "label";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::Table:
            return "table";
        case ControlKind::Plot:
            return "plot";
        case ControlKind::PushButton:
            break;
    }
    return "button";
}

void Font(JsonText& json, const FontDescription& font) {
    json.Open(u'{').Key(u"families").Open(u'[');
    for (const std::u16string_view family : FamilyNames(font.typeface)) {
        json.String(family);
    }
    json.Close(u']')
        .Key(u"serif")
        .Bool(font.typeface == Typeface::TimesNewRoman)
        .Key(u"points")
        .Hundredths(static_cast<int>(std::lround(font.points * 100)))
        .Key(u"bold")
        .Bool(font.bold)
        .Close(u'}');
}

// "#ff0000", as a style sheet writes a colour.
std::string Hex(Colour colour) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string text = "#";
    for (const int channel : {colour.red, colour.green, colour.blue}) {
        text += kDigits[channel >> 4];
        text += kDigits[channel & 15];
    }
    return text;
}

void Control(JsonText& json, const ControlDescription& control, std::u16string_view text) {
    json.Open(u'{')
        .Key(u"name")
        .String(control.name)
        .Key(u"kind")
        .String(KindName(control.kind))
        .Key(u"text")
        .String(text)
        .Key(u"rect")
        .Open(u'[')
        .Number(control.rect.left)
        .Number(control.rect.top)
        .Number(control.rect.width)
        .Number(control.rect.height)
        .Close(u']')
        .Key(u"parent")
        .String(control.parent)
        .Key(u"font");
    control.font ? Font(json, *control.font) : void(json.Null());
    json.Key(u"centred")
        .Bool(control.alignment == Alignment::Centre)
        .Key(u"wraps")
        .Bool(control.wraps);
    json.Key(u"colour");
    control.colour ? void(json.String(Hex(*control.colour))) : void(json.Null());
    json.Key(u"scale");
    control.scale ? void(json.Number(ColumnOf(*control.scale))) : void(json.Null());
    if (control.scale) {
        json.Key(u"caption").String(CaptionName(*control.scale));
    }
    json.Close(u'}');
}

void Window(JsonText& json, const WindowDescription& window, const NumberSymbols& symbols) {
    json.Open(u'{')
        .Key(u"name")
        .String(window.name)
        .Key(u"caption")
        .String(window.caption)
        .Key(u"width")
        .Number(window.clientWidth)
        .Key(u"height")
        .Number(window.clientHeight)
        .Key(u"left")
        .Number(window.designLeft)
        .Key(u"top")
        .Number(window.designTop)
        .Key(u"font");
    Font(json, window.font);
    json.Key(u"controls").Open(u'[');
    for (const ControlDescription& control : window.controls) {
        const bool hint = &window == &Form1Description() && control.name == kHint;
        Control(json, control, hint ? HintText(symbols) : control.text);
    }
    json.Close(u']').Close(u'}');
}

}  // namespace

std::u16string PageDescription(const NumberSymbols& symbols) {
    JsonText json;
    json.Open(u'{')
        .Key(u"title")
        .String(kApplicationTitle)
        .Key(u"notANumber")
        .String(kNotANumberMessage)
        .Key(u"copySevenValues")
        .String(kCopySevenValues)
        .Key(u"copyForReport")
        .String(kCopyForReport)
        .Key(u"close")
        .String(kClose)
        .Key(u"ok")
        .String(kOk)
        .Key(u"ended")
        .String(kEnded)
        .Key(u"restart")
        .String(kRestart)
        .Key(u"checkKestal")
        .String(kCheckKestal)
        .Key(u"record")
        .String(kRecordTitle)
        .Key(u"print")
        .String(kPrint)
        .Key(u"save")
        .String(kSave)
        .Key(u"gridKeys")
        .String(kGridKeys)
        .Key(u"recordStyle")  // for the page's Content-Security-Policy
        .String(RecordStyle())
        .Key(u"fingerprint")
        .String(kTableFingerprint)
        .Key(u"hint")
        .String(kHint)
        .Key(u"showInTable")
        .String(kShowInTable)
        .Key(u"showInTableKey")
        .String("F" + std::to_string(kShowInTableFunctionKey))  // as a key event names it
        .Key(u"curveColour")
        .String(Hex(kCurveColour))
        .Key(u"markColour")
        .String(Hex(kMarkColour))
        .Key(u"twipsPerPixel")
        .Number(kTwipsPerPixelAt96Dpi)
        .Key(u"boxEntries")
        .Open(u'[');
    for (const EditEntry& entry : BoxEditEntries()) {
        json.Open(u'{')
            .Key(u"command")
            .String(CommandName(entry.command))
            .Key(u"text")
            .String(entry.text)
            .Key(u"separatorBefore")
            .Bool(entry.separatorBefore)
            .Close(u'}');
    }
    json.Close(u']').Key(u"windows").Open(u'[');
    Window(json, Form1Description(), symbols);
    Window(json, Form2Description(), symbols);
    Window(json, TableWindowDescription(), symbols);
    json.Close(u']').Close(u'}');
    return json.Text();
}

}  // namespace kestal
