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

bool LineReader::Next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (m_begin == m_end && !Fill()) {
            break;
        }
        any = true;
        const char* start = m_buffer.data() + m_begin;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', m_end - m_begin));
        if (newline != nullptr) {
            line.append(start, newline);
            m_begin += static_cast<std::size_t>(newline - start) + 1;
            m_crlf = !line.empty() && line.back() == '\r';
            if (m_crlf) {
                line.pop_back();
            }
            return true;
        }
        line.append(start, m_end - m_begin);
        m_begin = m_end;
    }
    // A last line without its end; a file that ends with one gives no empty line after it.
    m_crlf = !line.empty() && line.back() == '\r';
    if (m_crlf) {
        line.pop_back();
    }
    return any;
}

}  // namespace kestal
