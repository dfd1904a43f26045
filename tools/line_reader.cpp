#include "line_reader.hpp"

#include <cstring>

namespace kestal {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

LineReader::LineReader(std::FILE* file) : m_file(file), m_buffer(kChunk) {}

bool LineReader::Fill() {
    if (m_atEnd) {
        return false;
    }
    const std::size_t read = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    m_begin = 0;
    m_end = read;
    if (read < m_buffer.size()) {
        m_atEnd = true;
        m_failed = std::ferror(m_file) != 0;
    }
    // A short read comes only at the end, so a mark is never split here.
    if (!m_started) {
        m_started = true;
        m_byteOrderMark = std::string_view(m_buffer.data(), read).starts_with(kByteOrderMark);
        m_begin = m_byteOrderMark ? kByteOrderMark.size() : 0;
    }
    return m_begin < m_end;
}

bool LineReader::Next(std::string_view& line) {
    m_line.clear();
    bool any = false;
    for (;;) {
        if (m_begin == m_end && !Fill()) {
            break;
        }
        any = true;
        const char* start = m_buffer.data() + m_begin;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', m_end - m_begin));
        if (newline != nullptr) {
            m_begin += static_cast<std::size_t>(newline - start) + 1;
            // Most lines lie whole in the buffer and are handed out from it.
            if (m_line.empty()) {
                line = std::string_view(start, static_cast<std::size_t>(newline - start));
            } else {
                m_line.append(start, newline);
                line = m_line;
            }
            return Ended(line);
        }
        m_line.append(start, m_end - m_begin);
        m_begin = m_end;
    }
    // A last line without its end; a file that ends with one gives no empty line after it.
    line = m_line;
    Ended(line);
    return any;
}

bool LineReader::Ended(std::string_view& line) {
    m_crlf = line.ends_with('\r');
    if (m_crlf) {
        line.remove_suffix(1);
    }
    return true;
}

}  // namespace kestal
