#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "text_output.hpp"

namespace kestal {

bool WriteText(std::FILE* stream, std::string_view utf8) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    }
    if (utf8.empty()) {
        return true;
    }
    std::fflush(stream);
    const int size = static_cast<int>(utf8.size());
    std::vector<wchar_t> wide(static_cast<std::size_t>(size));
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size);
    // A console takes a limited amount in one call.
    constexpr int kConsoleChunk = 8192;
    for (int k = 0; k < length; k += kConsoleChunk) {
        DWORD written = 0;
        const int count = length - k < kConsoleChunk ? length - k : kConsoleChunk;
        if (!WriteConsoleW(handle, wide.data() + k, static_cast<DWORD>(count), &written, nullptr)) {
            return false;
        }
    }
    return true;
}

}  // namespace kestal
