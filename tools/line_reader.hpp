#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kestal {

// Reads a stream line by line as raw bytes. NUL and invalid UTF-8 are kept as
// they are, and memory stays bounded by the longest line, however many lines
// come, so a spreadsheet export of millions of measurements streams through.
class LineReader {
public:
    explicit LineReader(std::FILE* stream);

    // The next line without its '\n' and without a '\r' just before it (a file
    // saved on Windows). False once the stream is exhausted; a last line
    // without '\n' still counts as a line, but nothing after a final '\n' does.
    bool Next(std::string& line);

    // True when reading stopped on an error rather than at the end of the stream.
    bool Failed() const { return m_failed; }

private:
    bool Refill();

    std::FILE* m_stream;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_failed = false;
};

}  // namespace kestal
