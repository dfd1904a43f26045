#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kestal {

// The lines of an input stream, each without its end, LF or CRLF (a file
// saved on Windows): "a\r\nb" gives "a" then "b", and "a\n" only "a". Bytes
// pass as they are, NUL included, whatever their encoding, but for a UTF-8
// byte-order mark at the very start, as Excel begins a "CSV UTF-8" file with:
// it is no part of the first line.
class LineReader {
public:
    // `file` must be open for reading in binary mode, and outlive the reader.
    explicit LineReader(std::FILE* file);

    // The next line, or false at the end of the input or on a read error. The
    // line holds until the next call.
    bool Next(std::string_view& line);

    // Whether the last line read ended with CRLF.
    bool EndedWithCrlf() const { return m_crlf; }
    // Whether reading stopped on an error rather than at the end.
    bool Failed() const { return m_failed; }
    // Whether the input began with a byte-order mark, once a line is read.
    bool HadByteOrderMark() const { return m_byteOrderMark; }

private:
    bool Fill();
    // Takes the CR of a CRLF off `line`; true.
    bool Ended(std::string_view& line);

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::string m_line;  // a line that runs across two reads of the buffer
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_crlf = false;
    bool m_started = false;
    bool m_byteOrderMark = false;
};

// The UTF-8 byte-order mark, U+FEFF.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace kestal
