#include <cstdio>
#include <string_view>

#include "text_output.hpp"

namespace kestal {

bool WriteText(std::FILE* stream, std::string_view utf8) {
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

}  // namespace kestal
