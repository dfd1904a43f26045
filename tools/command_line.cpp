#include "command_line.hpp"

#include <getopt.h>

#include <algorithm>

#include "app/text/text_wrap.hpp"

namespace kestal {

namespace {

constexpr std::size_t kHelpWidth = 79;
constexpr std::size_t kOptionColumn = 22;

// The options, as getopt_long reads them and as the help lists them.
enum OptionCode : int {
    kHelp = 'h',
    kVersion = 'v',
    kFrom = 256,
    kLocale,
    kColumn,
    kDelimiter,
    kHeader,
    kDetail,
    kTable,
    kValidate,
    kHtml,
};

struct OptionText {
    const char* name;
    int code;
    const char* value;  // nullptr for a flag
    const char* description;
};

constexpr OptionText kOptions[] = {
    {"help", kHelp, nullptr, "Affiche cette aide."},
    {"version", kVersion, nullptr, "Affiche la version."},
    {"from", kFrom, "ÉCHELLE",
     "Échelle des valeurs données : HV, HB (HBS, HBW), HRA, HRB, HRC, HRD ou Rm, en majuscules "
     "ou minuscules."},
    {"locale", kLocale, "NOM",
     "Conventions des nombres : fr_FR (ou fr) et C toujours, les autres (en_US...) si le "
     "système les connaît. Par défaut celles du système, et le français sinon."},
    {"column", kColumn, "N",
     "Lit la valeur dans le champ N (à partir de 1) de chaque ligne de l'entrée standard, sans "
     "VALEUR."},
    {"delimiter", kDelimiter, "C",
     "Avec --column ou --table : séparateur des champs, un caractère ASCII (tabulation par "
     "défaut, « ; » pour un tableur français), ni chiffre, ni lettre, ni espace, ni guillemet, "
     "ni + ou -, ni le séparateur décimal des nombres."},
    {"header", kHeader, nullptr,
     "Avec --column : la première ligne est un en-tête, complété par les noms des six autres "
     "échelles."},
    {"detail", kDetail, nullptr,
     "Avec --column : ajoute les lignes de la table qui encadrent la valeur, « ligne basse » et "
     "« ligne haute » (vides hors de la table)."},
    {"table", kTable, nullptr,
     "Écrit la table entière : une ligne d'en-tête, puis ses 97 lignes, sans --from ni VALEUR."},
    {"validate", kValidate, nullptr,
     "Vérifie Kestal et écrit son dossier de validation : la table comparée aux valeurs "
     "publiées, son ordre, ses valeurs, l'interpolation, les limites, la lecture et l'écriture "
     "des nombres, les lignes par lots. Sort avec 0 si le dossier dit CONFORME, 1 s'il dit NON "
     "CONFORME, 3 s'il n'a pu être écrit."},
    {"html", kHtml, nullptr, "Avec --validate : le dossier en une page HTML à imprimer."},
};

constexpr const char* kDescription =
    "Convertit des duretés d'aciers entre HV, HB, HRA, HRB, HRC, HRD et Rm.\n"
    "Écrit une ligne d'en-tête puis une ligne par valeur, sept champs séparés par des "
    "tabulations. Sans VALEUR, lit une valeur par ligne sur l'entrée standard ; une VALEUR "
    "commençant par - vient après --.\n"
    "Avec --column, lit un fichier délimité (CSV) sur l'entrée standard et recopie chaque ligne "
    "en y ajoutant les six autres échelles, de HV à Rm ; les champs entre guillemets sont lus "
    "sans leurs guillemets. Une ligne plus courte que la première (l'en-tête) est complétée de "
    "champs vides ; une plus longue, ou dont un guillemet reste ouvert, est recopiée sans "
    "conversion et signalée.\n"
    "Avec --table, écrit toute la table de conversion, comme la fenêtre de la table la montre.\n"
    "Avec --validate, vérifie Kestal et écrit le dossier de validation qu'un laboratoire "
    "accrédité conserve.";

// The options as typed, checked once getopt_long has sorted them out.
struct TypedOptions {
    std::optional<std::string> from;
    std::optional<std::string> locale;
    std::optional<std::string> column;
    std::optional<std::string> delimiter;
    bool help = false;
    bool version = false;
    bool table = false;
    bool header = false;
    bool detail = false;
    bool validate = false;
    bool html = false;
    std::vector<std::string> values;
};

// An option that takes a value is given once: a second one would silently
// override the first (--from HV ... --from HRC converting as HRC).
std::optional<std::string> Once(std::optional<std::string>& typed, int code) {
    if (typed) {
        const auto text = std::ranges::find(kOptions, code, &OptionText::code);
        return "option donnée deux fois : --" + std::string(text->name);
    }
    typed = optarg;
    return std::nullopt;
}

// The option getopt_long refused. A short one is named by its letter: in a
// cluster such as -xh, getopt has not yet moved past the argument holding it.
// Its code is then the letter, never 'h' or 'v', which are known; a long one's
// is 0 or its own code.
std::string RefusedOption(std::string_view at) {
    const int letter = optopt;
    if (letter == 0 || letter == kHelp || letter == kVersion || letter >= 256) {
        return std::string(at);
    }
    if (letter > ' ' && letter < 0x7F) {
        return {'-', static_cast<char>(letter)};
    }
    return "un caractère non ASCII ou de contrôle après -";
}

// getopt_long keeps its place in globals: each reading starts it afresh.
std::optional<std::string> ReadOptions(const std::vector<std::string>& arguments,
                                       TypedOptions& typed) {
    std::vector<option> longOptions;
    for (const OptionText& text : kOptions) {
        longOptions.push_back(
            {text.name, text.value ? required_argument : no_argument, nullptr, text.code});
    }
    longOptions.push_back({});
    std::vector<std::string> copies(arguments);
    std::string program = "kestal-convert";
    std::vector<char*> argv{program.data()};
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size()) - 1;
    optind = 0;
    opterr = 0;
    for (;;) {
        const int code = getopt_long(argc, argv.data(), ":hv", longOptions.data(), nullptr);
        if (code == -1) {
            break;
        }
        // The argument getopt stopped at, worded alike whichever C library read it.
        const std::string_view at = argv[std::min(optind, argc) - 1];
        std::optional<std::string> twice;
        switch (code) {
            case kHelp:
                typed.help = true;
                break;
            case kVersion:
                typed.version = true;
                break;
            case kFrom:
                twice = Once(typed.from, code);
                break;
            case kLocale:
                twice = Once(typed.locale, code);
                break;
            case kColumn:
                twice = Once(typed.column, code);
                break;
            case kDelimiter:
                twice = Once(typed.delimiter, code);
                break;
            case kHeader:
                typed.header = true;
                break;
            case kDetail:
                typed.detail = true;
                break;
            case kTable:
                typed.table = true;
                break;
            case kValidate:
                typed.validate = true;
                break;
            case kHtml:
                typed.html = true;
                break;
            case ':':
                if (at.find('=') == std::string_view::npos) {
                    return "l'option " + std::string(at) + " attend une valeur";
                }
                [[fallthrough]];
            default:
                return "option inconnue ou mal employée : " + RefusedOption(at);
        }
        if (twice) {
            return twice;
        }
    }
    typed.values.assign(argv.begin() + optind, argv.begin() + argc);
    return std::nullopt;
}

// Field number for --column: 1 to 999999999, digits only.
std::optional<std::size_t> ColumnNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::size_t number = 0;
    for (const char c : text) {
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number == 0 ? std::nullopt : std::optional<std::size_t>(number);
}

// One ASCII character that can be part of no number and no quoted field, nor
// end a line: "--delimiter 0" would read 200 as 2, 0 and 0. The decimal
// separator depends on the number conventions, checked once they are known.
std::optional<char> Delimiter(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    const char c = text[0];
    const bool letterOrDigit =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (static_cast<unsigned char>(c) >= 0x80 || letterOrDigit ||
        std::string_view("\"-+ \n\r").find(c) != std::string_view::npos || c == '\0') {
        return std::nullopt;
    }
    return c;
}

CommandLine Refused(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    TypedOptions typed;
    if (std::optional<std::string> refused = ReadOptions(arguments, typed)) {
        return Refused(*std::move(refused));
    }
#ifdef _WIN32
    // Windows programs show their help for /?, wherever it stands.
    typed.help = typed.help || std::ranges::find(typed.values, "/?") != typed.values.end();
#endif
    ConvertRequest request;
    request.values = std::move(typed.values);
    request.locale = std::move(typed.locale);
    if (typed.help) {
        request.mode = ConvertMode::Help;
        return {request, {}};
    }
    if (typed.version) {
        request.mode = ConvertMode::Version;
        return {request, {}};
    }
    if (typed.html && !typed.validate) {
        return Refused("--html va avec --validate");
    }
    if (typed.validate) {
        if (typed.from || typed.column || typed.delimiter || typed.header || typed.detail ||
            typed.table || !request.values.empty()) {
            return Refused("--validate va sans --from, --column, --delimiter, --table ni VALEUR");
        }
        request.mode = ConvertMode::Validate;
        request.html = typed.html;
        return {request, {}};
    }
    if (!typed.table && !typed.from) {
        return Refused("l'option --from est obligatoire");
    }
    if (typed.delimiter) {
        const std::optional<char> delimiter = Delimiter(*typed.delimiter);
        if (!delimiter) {
            return Refused(
                "--delimiter attend un caractère ASCII, ni chiffre, ni lettre, ni espace, ni "
                "guillemet, ni + ou -, ni fin de ligne : " +
                *typed.delimiter);
        }
        request.delimiter = *delimiter;
    }
    if (typed.table) {
        if (typed.from || typed.column || typed.header || typed.detail || !request.values.empty()) {
            return Refused("--table va sans --from, --column ni VALEUR");
        }
        request.mode = ConvertMode::Table;
        return {request, {}};
    }
    if (!typed.column && (typed.delimiter || typed.header || typed.detail)) {
        return Refused("--delimiter, --header et --detail vont avec --column");
    }
    const std::optional<Scale> source = ScaleFromName(*typed.from);
    if (!source) {
        return Refused("échelle inconnue : " + *typed.from);
    }
    request.source = *source;
    if (typed.column) {
        const std::optional<std::size_t> column = ColumnNumber(*typed.column);
        if (!column) {
            return Refused("--column attend un numéro de champ, à partir de 1 : " + *typed.column);
        }
        if (!request.values.empty()) {
            return Refused("--column lit l'entrée standard, sans VALEUR");
        }
        request.mode = ConvertMode::Spreadsheet;
        request.column = *column - 1;
        request.header = typed.header;
        request.detail = typed.detail;
    }
    return {request, {}};
}

std::string UsageText() {
    std::string out = Wrap(std::string_view(kDescription), kHelpWidth);
    out += "\n\nUtilisation : kestal-convert [OPTION...] [VALEUR...]\n\nOptions :\n";
    for (const OptionText& text : kOptions) {
        std::string left = "  ";
        if (text.code < 128) {
            left += {'-', static_cast<char>(text.code), ',', ' '};
        }
        left += "--" + std::string(text.name);
        if (text.value) {
            left += " <" + std::string(text.value) + ">";
        }
        out += left;
        if (Columns(left) + 1 >= kOptionColumn) {
            out += '\n';
            out.append(kOptionColumn, ' ');
        } else {
            out.append(kOptionColumn - Columns(left), ' ');
        }
        out += Wrap(std::string_view(text.description), kHelpWidth, kOptionColumn, kOptionColumn) +
               '\n';
    }
    return out;
}

}  // namespace kestal
