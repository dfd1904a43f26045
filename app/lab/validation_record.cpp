#include "app/lab/validation_record.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "app/lab/expected_figures.hpp"
#include "app/lab/table_fingerprint.hpp"
#include "app/table/table_contents.hpp"
#include "app/text/text_encoding.hpp"
#include "app/text/text_wrap.hpp"
#include "app/window/box_notes.hpp"
#include "app/window/table_identity.hpp"
#include "app/window/window_description.hpp"

namespace kestal {

namespace {

constexpr std::size_t kTextWidth = 78;

std::u16string CountText(int count) {
    return Utf16(std::to_string(count));
}

// One numbered part of the record: what it checks, its counts, what failed.
struct Section {
    std::u16string title = {};   // "4. Interpolation"
    std::u16string checks = {};  // what it checks; in the conclusion, the verdict
    std::vector<std::pair<std::u16string, std::u16string>> fields = {};
    std::vector<std::u16string> faults = {};
    bool isConclusion = false;    // its text, the verdict, stands out in the page
    std::u16string summary = {};  // its counts in one line, for the conclusion
};

// A title without its number: "Interpolation".
std::u16string_view Unnumbered(std::u16string_view title) {
    return title.substr(title.find(u". ") + 2);
}

struct Record {
    std::u16string title;
    std::vector<Section> sections;
    std::u16string verdict;
    std::vector<std::u16string> signatures;
    std::u16string annexTitle;
    std::vector<TableRow> annex;
};

std::u16string OrIfEmpty(std::u16string_view value, std::u16string_view otherwise) {
    return std::u16string(value.empty() ? otherwise : value);
}

// "2850 cases comparées, 0 écart": the counts of a section, for the conclusion.
std::u16string Tally(int checked, std::u16string_view what, const CheckSection& section) {
    const auto faults = static_cast<int>(section.faults.size());
    return CountText(checked) + u" " + std::u16string(what) + u", " + CountText(faults) +
           (faults > 1 ? u" écarts" : u" écart");
}

// French spacing: no line breaks before a colon, a semicolon or a closing
// guillemet, nor after an opening one.
std::u16string Typeset(std::u16string text) {
    for (const auto& [plain, kept] :
         {std::pair<std::u16string_view, std::u16string_view>{u" :", u"\u00a0:"},
          {u" ;", u"\u00a0;"},
          {u"« ", u"«\u00a0"},
          {u" »", u"\u00a0»"}}) {
        for (auto at = text.find(plain); at != std::u16string::npos; at = text.find(plain, at)) {
            text.replace(at, plain.size(), kept);
        }
    }
    return text;
}

Section Checked(std::u16string title, std::u16string_view checks,
                std::vector<std::pair<std::u16string, std::u16string>> fields,
                const CheckSection& section, std::u16string summary) {
    fields.emplace_back(u"Écarts", CountText(static_cast<int>(section.faults.size())));
    std::vector<std::u16string> faults;
    for (const std::u16string& fault : section.faults) {
        faults.push_back(Typeset(fault));
    }
    return {.title = std::move(title),
            .checks = Typeset(std::u16string(checks)),
            .fields = std::move(fields),
            .faults = std::move(faults),
            .summary = std::move(summary)};
}

// The record's words are kept as UTF-8, half their size in the page's module.
Record RecordOf(const ValidationChecks& checks, const RecordContext& context,
                const NumberText& numbers) {
    Record record;
    record.title = kRecordTitle;

    Section identity{.title = u"1. Identification"};
    identity.fields = {
        {u"Programme", context.program},
        {u"Révision des sources", OrIfEmpty(context.revision, u"non connue de cette construction")},
        {u"Système", context.system},
        {u"Conventions des nombres",
         context.numbers + u" (séparateur décimal « " + numbers.Symbols().decimalPoint + u" »)"},
        {u"Date et heure", context.when},
        {u"Machine", OrIfEmpty(context.machine, u"non communiquée")},
        {u"Utilisateur", OrIfEmpty(context.user, u"non communiqué")},
    };
    if (!context.producedBy.empty()) {
        identity.fields.emplace_back(u"Produit par", context.producedBy);
    }
    identity.fields.insert(
        identity.fields.end(),
        {{u"Table", TableDesignation()},
         {u"Lignes", CountText(ConversionTable::kFilledRows)},
         {u"Empreinte SHA-256 calculée", Utf16(checks.fingerprint)},
         {u"Empreinte attendue", Utf16(kTableFingerprint)},
         {u"Pour la recalculer", u"kestal-convert --table --locale C | sha256sum"}});
    record.sections.push_back(identity);

    record.sections.push_back(Checked(
        u"2. Table et valeurs publiées",
        Utf16(
            "Le programme porte les valeurs publiées une seconde fois, en texte décimal, sous une "
            "forme à elles que seul ce dossier lit, avec son propre lecteur décimal exact. Chaque "
            "case de la table que lit le calcul (les 97 lignes et les 3 lignes vides qui les "
            "suivent, dans les sept échelles) est comparée exactement à cette copie : elle doit "
            "être le nombre en simple précision le plus proche de la valeur publiée, ou 0 où la "
            "table n'en donne pas. L'empreinte calculée de la table doit être l'empreinte "
            "attendue, écrite dans le programme : changer la table ou sa forme écrite oblige à "
            "la changer aussi."),
        {{u"Cases comparées",
          CountText(checks.cells) + u" (" + CountText(checks.cellsWithFigures) + u" valeurs, " +
              CountText(checks.cells - checks.cellsWithFigures) + u" cases vides)"},
         {u"Empreinte",
          checks.fingerprint == kTableFingerprint ? u"l'attendue" : u"différente de l'attendue"}},
        checks.published, Tally(checks.cells, u"cases comparées", checks.published)));
    record.sections.push_back(Checked(
        u"3. Ordre de la table",
        Utf16(
            "Dans chaque échelle, les cases de la table qui ont une valeur se suivent sans trou et "
            "croissent strictement, et ce sont celles que le programme parcourt."),
        {{u"Cases contrôlées", CountText(checks.orderedRows)}}, checks.order,
        Tally(checks.orderedRows, u"cases contrôlées", checks.order)));
    record.sections.push_back(Checked(
        u"4. Valeurs de la table",
        Utf16(
            "Chaque valeur publiée est donnée à la case de son échelle d'une fenêtre en mémoire, "
            "les six autres vides, et passe par la règle des touches relâchées du programme, comme "
            "une fenêtre la lui remet. Les six autres cases doivent montrer les valeurs de sa "
            "ligne, et rester vides où la ligne n'en a pas ; la paire de lignes que nomment les "
            "raisons de chaque case (et --detail) doit être celle qui est documentée : une valeur "
            "de la table est le haut de la paire de lignes au-dessous d'elle, sauf la première de "
            "son échelle, qui en est le bas."),
        {{u"Valeurs données", CountText(checks.givenFigures)},
         {u"Cases comparées", CountText(checks.comparedBoxes)}},
        checks.reproduced, Tally(checks.comparedBoxes, u"cases comparées", checks.reproduced)));
    static_assert(kSingleSlackThousandths == 1, "section 5 states the bound as 0,001");
    record.sections.push_back(Checked(
        u"5. Interpolation",
        Utf16(
            "Dans chaque paire de lignes voisines de chaque échelle, à son quart, à son milieu et "
            "à ses trois quarts, à un centième de chaque bout, en ") +
            CountText(kDrawnPoints) +
            Utf16(
                " points tirés d'une suite fixe, et, là où il s'en trouve un, en un point de neuf "
                "décimales où les chiffres au-delà de la simple précision décident du dixième. "
                "Chaque valeur convertie est comparée de deux façons, sans le calcul du programme "
                ": "
                "chiffre pour chiffre, au résultat des étapes en simple précision documentées, "
                "écrites une seconde fois dans ce dossier ; et à la valeur exacte de "
                "l'interpolation entre les valeurs publiées, calculée en fractions exactes, dont "
                "elle doit être à 0,05 près, plus 0,001 pour la simple précision. La paire de "
                "lignes nommée est comparée aussi."),
        {{u"Paires de lignes", CountText(checks.pairs)},
         {u"Valeurs données", CountText(checks.points) + u" (dont " + CountText(checks.longPoints) +
                                  u" de neuf décimales)"},
         {u"Valeurs converties comparées chiffre pour chiffre", CountText(checks.digitFigures)},
         {u"et à la valeur exacte", CountText(checks.exactFigures)},
         {Utf16("dont où les deux dixièmes voisins sont à 0,05 près de la valeur exacte"),
          CountText(checks.nearHalves)}},
        checks.interpolation,
        Tally(checks.digitFigures, u"valeurs converties comparées", checks.interpolation)));
    record.sections.push_back(Checked(
        u"6. Limites",
        Utf16(
            "Un dixième sous la première valeur de chaque échelle et au-dessus de sa dernière, les "
            "six autres cases restent vides, sans message. Dans une paire de lignes où l'échelle "
            "d'une case n'a de valeur que sur une ligne (un bord de cette échelle), la case reste "
            "vide entre les deux : aucune valeur n'est inventée ; de même où elle n'en a sur "
            "aucune des deux."),
        {{u"Valeurs hors des échelles", CountText(checks.outsideValues)},
         {u"Cases vides à un bord d'échelle", CountText(checks.edgeBoxes)},
         {u"Cases vides sans valeur sur les deux lignes", CountText(checks.noFigureBoxes)}},
        checks.limits,
        Tally(checks.outsideValues + checks.edgeBoxes + checks.noFigureBoxes,
              u"valeurs et cases vides contrôlées", checks.limits)));

    std::u16string conventions;
    for (const std::u16string& convention : checks.conventions) {
        conventions += (conventions.empty() ? u"" : u" ; ") + convention;
    }
    record.sections.push_back(Checked(
        u"7. Lecture et écriture des nombres",
        Utf16(
            "Sous les conventions en vigueur et sous les conventions françaises, anglaises et C, "
            "un texte de chaque sorte que le programme refuse, au milieu et à la fin (des lettres, "
            "un second séparateur, des chiffres groupés, un exposant décimal ou sans chiffre, un "
            "signe seul ou après les chiffres, une espace à l'intérieur ou seule, NaN, l'infini, "
            "l'autre séparateur) est refusé par le message « ") +
            std::u16string(kNotANumberMessage) +
            Utf16(
                " », et les sept cases vidées ; chaque forme qu'il accepte (des chiffres, des "
                "décimales, le séparateur au début ou à la fin, un signe, des espaces autour, un "
                "exposant, des zéros en tête) est lue pour sa valeur ; une case vide ne convertit "
                "rien. Sous les trois dernières, chaque valeur de la table donne les valeurs de sa "
                "ligne, écrites avec leur séparateur. ") +
            Utf16(checks.namesChecked
                      ? "Les conventions que le programme prend pour fr_FR, en_US et C, s'il "
                        "les trouve sur ce système, ont le séparateur attendu, et, si aucune "
                        "locale n'est nommée, les conventions par défaut écrivent une virgule."
                      : "Les conventions que prend kestal-convert pour un nom de locale, et par "
                        "défaut, ne sont vérifiées que par lui : la page prend les siennes du "
                        "navigateur."),
        {{u"Conventions", conventions},
         {u"Textes refusés", CountText(checks.refusals)},
         {u"Cases vides données", CountText(checks.emptyBoxesGiven)},
         {u"Textes acceptés", CountText(checks.acceptances)},
         {u"Valeurs écrites comparées", CountText(checks.writtenFigures)}},
        checks.numbers,
        Tally(checks.refusals + checks.emptyBoxesGiven + checks.acceptances + checks.writtenFigures,
              u"textes et valeurs contrôlés", checks.numbers)));
    record.sections.push_back(
        checks.batchChecked
            ? Checked(
                  u"8. kestal-convert par lots",
                  Utf16("Le code de kestal-convert qui écrit ses lignes est lancé, dans chaque "
                        "échelle, sur un jeu à lui : chaque valeur publiée et le milieu de chaque "
                        "paire de lignes, un texte qui n'est pas un nombre et une ligne vide, une "
                        "valeur par ligne, puis les mêmes dans un fichier à « ; » par --column 2 "
                        "--delimiter ';' --header --detail. Chaque champ, dans sa colonne, est "
                        "comparé à ce que donnent les valeurs publiées et les étapes documentées, "
                        "les lignes basse et haute à la paire de lignes documentée."),
                  {{u"Lignes comparées", CountText(checks.batchLines)},
                   {u"Champs comparés", CountText(checks.batchFields)}},
                  checks.batch, Tally(checks.batchFields, u"champs comparés", checks.batch))
            : Section{.title = u"8. kestal-convert par lots",
                      .checks = Utf16("Cette section ne s'applique qu'à kestal-convert : la page "
                                      "n'a pas de traitement par lots."),
                      .summary = u"sans objet pour la page"});

    Section conclusion{.title = u"9. Conclusion", .isConclusion = true};
    record.verdict = checks.Conforms() ? u"CONFORME" : u"NON CONFORME";
    conclusion.checks = u"Résultat : " + record.verdict;
    for (std::size_t k = 1; k < record.sections.size(); ++k) {
        conclusion.fields.emplace_back(Unnumbered(record.sections[k].title),
                                       record.sections[k].summary);
    }
    record.sections.push_back(conclusion);
    record.signatures = {u"Vérifié par", u"Date", u"Signature"};

    record.annexTitle = u"10. Annexe : la table";
    TableRow captions;
    for (std::size_t k = 0; k < captions.size(); ++k) {
        captions[k] = TableColumns()[k].caption;
    }
    record.annex.push_back(captions);
    for (TableRow& row : TableRows(*checks.table, numbers)) {
        record.annex.push_back(std::move(row));
    }
    return record;
}

std::u16string Underlined(std::u16string_view title, char16_t rule) {
    return std::u16string(title) + u"\n" + std::u16string(title.size(), rule) + u"\n";
}

std::u16string Escaped(std::u16string_view text) {
    std::u16string out;
    for (const char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A4, each page headed by the record's identity (the layout table's head,
// which a browser repeats on every printed page) and numbered at its foot,
// the table on pages of its own with its captions repeated on each. On a
// phone's screen, each field's label above its value and the table's cells
// closer, so that nothing runs off its edge.
constexpr std::string_view kStyle =
    "@page{size:A4;margin:14mm 16mm 20mm;"
    "@bottom-center{content:\"Page \" counter(page) \" sur \" counter(pages);font:9pt sans-serif}}"
    "body{font:10.5pt/1.4 \"Liberation Sans\",Arial,sans-serif;color:#000;background:#fff;"
    "max-width:180mm;margin:0 auto}"
    "@media screen{body{padding:1em}.pages>thead{display:none}}"
    ".pages{border-collapse:collapse;width:100%}.pages>*>tr>td{padding:0;text-align:left}"
    ".pages>thead td{font-size:8pt;border-bottom:1px solid #000;padding-bottom:1mm}"
    "h1{font-size:16pt;margin:.6em 0 .3em}"
    "h2{font-size:12.5pt;border-bottom:1px solid #000;margin:1.2em 0 .4em;break-after:avoid}"
    "dl{display:grid;grid-template-columns:max-content 1fr;gap:.15em 1em;margin:.4em 0}"
    "dt{font-weight:bold}dd{margin:0;overflow-wrap:anywhere}"
    ".verdict{font-size:14pt;font-weight:bold;border:2px solid #000;display:inline-block;"
    "padding:.15em .6em}"
    ".faults{margin:.4em 0}.faults li{overflow-wrap:anywhere}"
    ".signature p{margin:1.8em 0 0}.signature span{display:inline-block;width:9em}"
    ".annexe{break-before:page}"
    ".annexe table{border-collapse:collapse;width:100%;font-size:9pt}"
    ".annexe th,.annexe td{border:1px solid #444;padding:1px 4px;text-align:right}"
    ".annexe thead{display:table-header-group}.annexe tr{break-inside:avoid}"
    "@media screen and (max-width:30em){body{padding:.5em}dl{grid-template-columns:1fr}"
    "dd{margin-left:1em}.annexe th,.annexe td{padding:1px 2px}}";

}  // namespace

std::u16string RecordTime(const LocalTime& time) {
    const auto two = [](int value) {
        return std::u16string{static_cast<char16_t>(u'0' + value / 10 % 10),
                              static_cast<char16_t>(u'0' + value % 10)};
    };
    const int offset = time.utcOffsetMinutes < 0 ? -time.utcOffsetMinutes : time.utcOffsetMinutes;
    return two(time.year / 100) + two(time.year) + u"-" + two(time.month) + u"-" + two(time.day) +
           u" " + two(time.hour) + u":" + two(time.minute) + u":" + two(time.second) + u" (UTC" +
           (time.utcOffsetMinutes < 0 ? u"-" : u"+") + two(offset / 60) + u":" + two(offset % 60) +
           u")";
}

std::u16string RecordText(const ValidationChecks& checks, const RecordContext& context,
                          const NumberText& numbers) {
    const Record record = RecordOf(checks, context, numbers);
    std::u16string out = Underlined(record.title, u'=') + u"Résultat : " + record.verdict + u"\n";
    for (const Section& section : record.sections) {
        out += u"\n" + Underlined(section.title, u'-');
        if (!section.checks.empty()) {
            out += Wrap(std::u16string_view(section.checks), kTextWidth) + u"\n\n";
        }
        for (const auto& [label, value] : section.fields) {
            out += Wrap(std::u16string_view(label + u" : " + value), kTextWidth, 4) + u"\n";
        }
        if (!section.faults.empty()) {
            out += u"\nRelevés :\n";
            for (const std::u16string& fault : section.faults) {
                out += Wrap(std::u16string_view(u"- " + fault), kTextWidth, 2) + u"\n";
            }
        }
    }
    out += u"\n";
    for (const std::u16string& signature : record.signatures) {
        out += signature + u" : ______________________________\n\n";
    }
    // In columns of fixed width, each figure's decimal separator under the
    // others', so that the table reads alike in any editor and on paper.
    out += u"\n" + Underlined(record.annexTitle, u'-');
    const std::u16string& point = numbers.Symbols().decimalPoint;
    std::vector<TableRow> cells = record.annex;
    std::array<std::size_t, kTableColumns> widths{};
    for (std::size_t k = 0; k < widths.size(); ++k) {
        const bool decimals = std::ranges::any_of(
            cells, [&](const TableRow& row) { return row[k].find(point) != std::u16string::npos; });
        for (TableRow& row : cells) {
            if (decimals && &row != &cells.front() && !row[k].empty() &&
                row[k].find(point) == std::u16string::npos) {
                row[k].append(Columns(std::u16string_view(point)) + 1, u' ');
            }
            widths[k] = std::max(widths[k], Columns(std::u16string_view(row[k])));
        }
    }
    for (const TableRow& row : cells) {
        std::u16string line;
        for (std::size_t k = 0; k < row.size(); ++k) {
            line.append(widths[k] - Columns(std::u16string_view(row[k])) + (k == 0 ? 0 : 2), u' ');
            line += row[k];
        }
        out += line.substr(0, line.find_last_not_of(u' ') + 1) + u"\n";
    }
    return out;
}

std::u16string RecordHtml(const ValidationChecks& checks, const RecordContext& context,
                          const NumberText& numbers) {
    const Record record = RecordOf(checks, context, numbers);
    std::u16string out =
        u"<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\"/>"
        u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>"
        u"<title>" +
        Escaped(record.title) + u" " + Escaped(context.when) + u"</title>\n<style>" +
        Utf16(kStyle) +
        u"</style></head>\n<body>\n<main>\n<table class=\"pages\" "
        u"role=\"presentation\"><thead><tr><td>" +
        Escaped(record.title) + u", " + Escaped(context.when) + u"<br/>Empreinte de la table " +
        Utf16(checks.fingerprint) + u"</td></tr></thead>\n<tbody><tr><td>\n<h1>" +
        Escaped(record.title) + u"</h1>\n<p class=\"verdict\">" + Escaped(record.verdict) +
        u"</p>\n";
    for (const Section& section : record.sections) {
        out += u"<section><h2>" + Escaped(section.title) + u"</h2>\n";
        if (section.isConclusion) {
            out += u"<p class=\"verdict\">" + Escaped(record.verdict) + u"</p>\n";
        } else if (!section.checks.empty()) {
            out += u"<p>" + Escaped(section.checks) + u"</p>\n";
        }
        out += u"<dl>";
        for (const auto& [label, value] : section.fields) {
            out += u"<dt>" + Escaped(label) + u"</dt><dd>" + Escaped(value) + u"</dd>";
        }
        out += u"</dl>\n";
        if (!section.faults.empty()) {
            out += u"<ul class=\"faults\">";
            for (const std::u16string& fault : section.faults) {
                out += u"<li>" + Escaped(fault) + u"</li>";
            }
            out += u"</ul>\n";
        }
        out += u"</section>\n";
    }
    out += u"<section class=\"signature\">";
    for (const std::u16string& signature : record.signatures) {
        out += u"<p><span>" + Escaped(signature) + u" :</span> ______________________________</p>";
    }
    out += u"</section>\n<section class=\"annexe\"><h2>" + Escaped(record.annexTitle) +
           u"</h2>\n<table><thead><tr>";
    for (const std::u16string& caption : record.annex.front()) {
        out += u"<th scope=\"col\">" + Escaped(caption) + u"</th>";
    }
    out += u"</tr></thead>\n<tbody>\n";
    for (std::size_t k = 1; k < record.annex.size(); ++k) {
        out += u"<tr><th scope=\"row\">" + Escaped(record.annex[k][0]) + u"</th>";
        for (std::size_t column = 1; column < record.annex[k].size(); ++column) {
            out += u"<td>" + Escaped(record.annex[k][column]) + u"</td>";
        }
        out += u"</tr>\n";
    }
    out += u"</tbody></table></section>\n</td></tr></tbody></table>\n</main>\n</body></html>\n";
    return out;
}

std::string_view RecordStyle() {
    return kStyle;
}

}  // namespace kestal
