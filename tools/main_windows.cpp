#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kestal_convert.hpp"

namespace {

std::string Utf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
    if (size > 1) {
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), size, nullptr, nullptr);
    }
    return out;
}

}  // namespace

// Wide arguments, so that "Éprouvette" arrives whatever the console's code
// page; binary streams, so that the bytes and line ends of a file pass as they
// came and the program chooses the ones it writes.
int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> arguments;
    for (int k = 1; k < argc; ++k) {
        arguments.push_back(Utf8(argv[k]));
    }
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return kestal::KestalConvert(arguments, stdin, stdout, stderr);
}
