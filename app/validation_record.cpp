#include "app/validation_record.hpp"

#include <utility>
#include <vector>

#include "app/box_notes.hpp"
#include "app/table_contents.hpp"
#include "app/table_fingerprint.hpp"
#include "app/text_wrap.hpp"
#include "app/window_description.hpp"

namespace kestal {

namespace {

constexpr std::size_t kTextWidth = 78;

std::u16string Ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

std::u16string Count(int count) {
    return Ascii(std::to_string(count));
}

// One numbered part of the record: what it checks, its counts, what failed.
struct Section {
    std::u16string title;
    std::u16string checks;
    std::vector<std::pair<std::u16string, std::u16string>> fields;
    std::vector<std::u16string> faults;
    bool listsFaults = true;
    std::u16string summary;  // its counts in one line, for the conclusion
};

struct Record {
    std::u16string title;
    std::vector<Section> sections;
    std::u16string verdict;
    std::vector<std::u16string> signatures;
    std::u16string annexTitle;
    std::vector<TableRow> annex;
};

// "1934 valeurs comparées, 0 écart".
std::u16string Tally(int checked, std::u16string_view what, std::size_t faults,
                     std::u16string_view fault) {
    return Count(checked) + u" " + std::u16string(what) + u", " + Count(static_cast<int>(faults)) +
           u" " + std::u16string(fault);
}

std::u16string Or(std::u16string_view value, std::u16string_view otherwise) {
    return std::u16string(value.empty() ? otherwise : value);
}

Record RecordOf(const ValidationChecks& checks, const RecordContext& context,
                const NumberText& numbers) {
    Record record;
    record.title = kRecordTitle;

    Section identity{u"1. Identification", {}, {}, {}, false, {}};
    identity.fields = {
        {u"Programme", context.program},
        {u"Révision des sources", Or(context.revision, u"non connue de cette construction")},
        {u"Système", context.system},
        {u"Conventions des nombres",
         context.numbers + u" (séparateur décimal « " + numbers.Symbols().decimalPoint + u" »)"},
        {u"Date et heure", context.when},
        {u"Machine", Or(context.machine, u"non communiquée")},
        {u"Utilisateur", Or(context.user, u"non communiqué")},
    };
    if (!context.producedBy.empty()) {
        identity.fields.emplace_back(u"Produit par", context.producedBy);
    }
    identity.fields.insert(
        identity.fields.end(),
        {{u"Table", TableDesignation()},
         {u"Lignes", Count(ConversionTable::kFilledRows)},
         {u"Empreinte SHA-256", Ascii(TableFingerprint())},
         {u"Pour la recalculer", u"kestal-convert --table --locale C | sha256sum"}});
    record.sections.push_back(identity);

    record.sections.push_back(
        {u"2. Table reproduite",
         u"Chaque valeur de la table, tapée dans la case de son échelle comme le ferait un "
         u"utilisateur, donne dans les six autres cases les valeurs de sa ligne, et une case "
         u"vide où la ligne n'en a pas.",
         {{u"Valeurs tapées", Count(checks.typedRows)},
          {u"Cases comparées", Count(checks.reproduced.checked)},
          {u"Écarts", Count(static_cast<int>(checks.reproduced.faults.size()))}},
         checks.reproduced.faults,
         true,
         Tally(checks.reproduced.checked, u"cases comparées", checks.reproduced.faults.size(),
               u"écart")});
    record.sections.push_back(
        {u"3. Ordre de la table",
         u"Dans chaque échelle, les lignes qui ont une valeur se suivent sans trou et croissent "
         u"strictement, et ce sont celles que le programme parcourt.",
         {{u"Lignes contrôlées", Count(checks.order.checked)},
          {u"Hors d'ordre", Count(static_cast<int>(checks.order.faults.size()))}},
         checks.order.faults,
         true,
         Tally(checks.order.checked, u"lignes contrôlées", checks.order.faults.size(),
               u"hors d'ordre")});
    record.sections.push_back(
        {u"4. Interpolation",
         u"Au milieu exact de chaque paire de lignes voisines de chaque échelle, chaque valeur "
         u"convertie est le milieu des deux valeurs de la table, calculé en décimal exact, "
         u"indépendamment du programme, et arrondi au dixième, la moitié vers le haut. Un "
         u"milieu exact finissant par 5 au centième admet l'un ou l'autre dixième voisin : le "
         u"programme calcule en simple précision, comme ses valeurs l'ont toujours été.",
         {{u"Milieux tapés", Count(checks.midpoints)},
          {u"Valeurs comparées", Count(checks.interpolation.checked)},
          {u"dont milieux finissant par 5 au centième", Count(checks.ties)},
          {u"Écarts", Count(static_cast<int>(checks.interpolation.faults.size()))}},
         checks.interpolation.faults,
         true,
         Tally(checks.interpolation.checked,
               u"valeurs comparées (dont " + Count(checks.ties) + u" milieux finissant par 5)",
               checks.interpolation.faults.size(), u"écart")});
    record.sections.push_back(
        {u"5. Limites et refus",
         u"Un dixième sous la première valeur et au-dessus de la dernière de chaque échelle, les "
         u"six autres cases restent vides. Entre la dernière valeur d'une échelle et une ligne "
         u"qui n'en a pas, sa case reste vide : aucune valeur n'est inventée. Un texte qui "
         u"n'est pas un nombre (des lettres, l'autre séparateur décimal, des chiffres groupés, "
         u"un signe seul, une espace) est refusé par le message « " +
             std::u16string(kNotANumberMessage) +
             u" », et les sept cases sont vidées ; une case vide ne convertit rien.",
         {{u"Contrôles", Count(checks.limits.checked)},
          {u"Écarts", Count(static_cast<int>(checks.limits.faults.size()))}},
         checks.limits.faults,
         true,
         Tally(checks.limits.checked, u"contrôles", checks.limits.faults.size(), u"écart")});

    Section conclusion{u"6. Conclusion", {}, {}, {}, false, {}};
    record.verdict = checks.Conforms() ? u"CONFORME" : u"NON CONFORME";
    conclusion.checks = u"Résultat : " + record.verdict;
    for (std::size_t k = 1; k < record.sections.size(); ++k) {
        conclusion.fields.emplace_back(record.sections[k].title.substr(3),
                                       record.sections[k].summary);
    }
    record.sections.push_back(conclusion);
    record.signatures = {u"Vérifié par", u"Date", u"Signature"};

    record.annexTitle = u"7. Annexe : la table";
    TableRow captions;
    for (std::size_t k = 0; k < captions.size(); ++k) {
        captions[k] = TableColumns()[k].caption;
    }
    record.annex.push_back(captions);
    for (TableRow& row : TableRows(ConversionTable::BuiltIn(), numbers)) {
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

// A4, the page's number at its foot, the table on pages of its own with its
// captions repeated on each. On a phone's screen, each field's label above
// its value and the table's cells closer, so that nothing runs off its edge.
constexpr std::u16string_view kStyle =
    u"@page{size:A4;margin:18mm 16mm 20mm;"
    u"@bottom-center{content:\"Page \" counter(page) \" sur \" counter(pages);font:9pt sans-serif}}"
    u"body{font:10.5pt/1.4 \"Liberation Sans\",Arial,sans-serif;color:#000;background:#fff;"
    u"max-width:180mm;margin:0 auto}"
    u"@media screen{body{padding:1em}}"
    u"h1{font-size:16pt;margin:0 0 .3em}"
    u"h2{font-size:12.5pt;border-bottom:1px solid #000;margin:1.2em 0 .4em;break-after:avoid}"
    u"dl{display:grid;grid-template-columns:max-content 1fr;gap:.15em 1em;margin:.4em 0}"
    u"dt{font-weight:bold}dd{margin:0;overflow-wrap:anywhere}"
    u".verdict{font-size:14pt;font-weight:bold;border:2px solid #000;display:inline-block;"
    u"padding:.15em .6em}"
    u".faults{margin:.4em 0}.faults li{overflow-wrap:anywhere}"
    u".signature p{margin:1.8em 0 0}.signature span{display:inline-block;width:9em}"
    u".annexe{break-before:page}"
    u"table{border-collapse:collapse;width:100%;font-size:9pt}"
    u"th,td{border:1px solid #444;padding:1px 4px;text-align:right}"
    u"thead{display:table-header-group}tr{break-inside:avoid}"
    u"@media screen and (max-width:30em){body{padding:.5em}dl{grid-template-columns:1fr}"
    u"dd{margin-left:1em}th,td{padding:1px 2px}}";

}  // namespace

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
    out += u"\n" + Underlined(record.annexTitle, u'-');
    for (const TableRow& row : record.annex) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            out += (k == 0 ? u"" : u"\t") + row[k];
        }
        out += u"\n";
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
        std::u16string(kStyle) + u"</style></head>\n<body>\n<main>\n<h1>" + Escaped(record.title) +
        u"</h1>\n<p class=\"verdict\">" + Escaped(record.verdict) + u"</p>\n";
    for (const Section& section : record.sections) {
        out += u"<section><h2>" + Escaped(section.title) + u"</h2>\n";
        if (section.listsFaults) {
            out += u"<p>" + Escaped(section.checks) + u"</p>\n";
        } else if (!section.checks.empty()) {
            // The conclusion, whose verdict stands out.
            out += u"<p class=\"verdict\">" + Escaped(record.verdict) + u"</p>\n";
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
    out += u"</tbody></table></section>\n</main>\n</body></html>\n";
    return out;
}

std::u16string_view RecordStyle() {
    return kStyle;
}

}  // namespace kestal
