// Runs the conversion fuzz body over saved inputs without libFuzzer, so the seed
// corpus and every kept finding are checked by any compiler on every test run.
//
//   convert_fuzz_replay PATH...   each PATH a file or a directory of files

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH...\n", argv[0]);
        return 2;
    }

    std::vector<fs::path> inputs;
    for (int k = 1; k < argc; ++k) {
        const fs::path path(argv[k]);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
                if (entry.is_regular_file()) {
                    inputs.push_back(entry.path());
                }
            }
        } else if (fs::is_regular_file(path, error)) {
            inputs.push_back(path);
        }
        if (error) {
            std::fprintf(stderr, "%s: %s\n", argv[k], error.message().c_str());
            return 1;
        }
    }
    // An empty or mistyped corpus path would otherwise pass without checking anything.
    if (inputs.empty()) {
        std::fprintf(stderr, "no input files found\n");
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());

    for (const fs::path& input : inputs) {
        std::ifstream stream(input, std::ios::binary);
        if (!stream) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 1;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(stream),
                                      std::istreambuf_iterator<char>()};
        // Named first: a broken promise aborts, and this says which input did it.
        std::fprintf(stderr, "replaying %s\n", input.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
