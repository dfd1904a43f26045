#pragma once

// kestal-convert: the window's conversions for whole series of measurements,
// from a shell or a spreadsheet export, the same on Linux and Windows.
//   command_line     the options, read with getopt_long
//   system_numbers   the number conventions: the system's, French and C built in
//   line_reader      the input's lines, LF or CRLF, a byte-order mark dropped
//   batch_rows, csv_rows, app/table_lines   the rows written
//   text_output      the output, in the system's line ends and, on a Windows
//                    console, in UTF-16

#include <cstdio>
#include <string>
#include <vector>

namespace kestal {

// Runs kestal-convert with `arguments` (UTF-8, without the program's name)
// over three streams open in binary mode, and returns its exit status: 0, 1
// when a value or a read or write failed, 2 for a usage error; for
// --validate, 0 when the record says CONFORME, 1 when it says NON CONFORME, 3
// when it could not be written.
int KestalConvert(const std::vector<std::string>& arguments, std::FILE* in, std::FILE* out,
                  std::FILE* err);

}  // namespace kestal
