#include <cstdio>
#include <string>
#include <vector>

#include "kestal_convert.hpp"

int main(int argc, char* argv[]) {
    return kestal::KestalConvert(std::vector<std::string>(argv + 1, argv + argc), stdin, stdout,
                                 stderr);
}
