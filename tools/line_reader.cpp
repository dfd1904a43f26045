#include "line_reader.hpp"

#include <cstring>

namespace kestal {

namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

LineReader::LineReader(std::FILE* stream) : m_stream(stream), m_buffer(kChunk) {}

bool LineReader::Refill() {
    m_begin = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_stream);
    if (m_end == 0 && std::ferror(m_stream)) {
        m_failed = true;
    }
    return m_end > 0;
}

bool LineReader::Next(std::string& line) {
    line.clear();
    bool readSomething = false;
    for (;;) {
        if (m_begin == m_end && !Refill()) {
            break;
        }
        readSomething = true;
        const char* start = m_buffer.data() + m_begin;
        const std::size_t available = m_end - m_begin;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        if (newline == nullptr) {
            line.append(start, available);
            m_begin = m_end;
            continue;
        }
        const auto length = static_cast<std::size_t>(newline - start);
        line.append(start, length);
        m_begin += length + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return true;
    }
    if (readSomething && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return readSomething;
}

}  // namespace kestal
