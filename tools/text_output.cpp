#include "text_output.hpp"

namespace kestal {

namespace {

constexpr std::size_t kBlock = 64 * 1024;

}  // namespace

bool TextOutput::WritePending() {
    if (m_pending.empty() || m_failed) {
        m_pending.clear();
        return !m_failed;
    }
    std::string_view text = m_pending;
    if (m_crlf) {
        m_crlfText.clear();
        for (const char c : m_pending) {
            if (c == '\n') {
                m_crlfText.push_back('\r');
            }
            m_crlfText.push_back(c);
        }
        text = m_crlfText;
    }
    m_failed = !WriteText(m_file, text);
    m_pending.clear();
    return !m_failed;
}

bool TextOutput::Commit() {
    return m_pending.size() < kBlock ? !m_failed : WritePending();
}

bool TextOutput::Flush() {
    WritePending();
    m_failed = m_failed || std::fflush(m_file) != 0;
    return !m_failed;
}

}  // namespace kestal
