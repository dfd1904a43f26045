#include "app/lab/table_fingerprint.hpp"

#include "app/lab/sha256.hpp"
#include "app/table/table_lines.hpp"

namespace kestal {

std::string TableFingerprintOf(const ConversionTable& table) {
    // The table as the table window and --table show it, its captions (the
    // main window's) included: renaming "HBS / HBW" gives an unchanged table a
    // new fingerprint, which the pinned one then no longer matches.
    return HexDigits(Sha256(TableLines(table, NumberText(CNumberSymbols()), '\t')));
}

}  // namespace kestal
