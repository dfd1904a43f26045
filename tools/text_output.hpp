#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kestal {

// Text for standard output or standard error, built up as UTF-8 with '\n'
// ending its lines and written out in large blocks, each '\n' as the line end
// in force. Callers append whole lines only, so that a block never splits a
// character.
class TextOutput {
public:
    // `file` must be open in binary mode, and outlive the output.
    explicit TextOutput(std::FILE* file) : m_file(file) {}
    ~TextOutput() { Flush(); }
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // CRLF line ends instead of LF, from here on.
    void SetCrlf(bool crlf) { m_crlf = crlf; }

    // Where whole lines are appended.
    std::string& Pending() { return m_pending; }
    void Append(std::string_view text) { m_pending.append(text); }

    // Writes out what is pending once there is a block of it. False once a
    // write has failed: nothing more would reach the reader.
    bool Commit();
    // Writes out everything pending, and the stream's own buffer.
    bool Flush();

private:
    bool WritePending();

    std::FILE* m_file;
    std::string m_pending;
    std::string m_crlfText;
    bool m_crlf = false;
    bool m_failed = false;
};

// Writes UTF-8 text to a standard stream as its reader expects it: bytes to a
// file or a pipe, and on Windows UTF-16 to a console, which would otherwise
// show the bytes in its own code page. False if the write failed.
bool WriteText(std::FILE* stream, std::string_view utf8);

}  // namespace kestal
