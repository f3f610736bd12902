// Runs a fuzz target's LLVMFuzzerTestOneInput over files, without libFuzzer, so
// the seed corpus and the crashers replay in every build and under CTest.
//
// Usage: replay_<target> [--prefix=NAME] PATH...
// A PATH that is a file always runs; the files of a PATH that is a folder run
// when their name starts with the prefix given before it (all when none).
// Exits non-zero when a path is missing or no input was found at all, so a
// mistyped folder cannot pass as "nothing crashed".
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

bool runFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", p.string().c_str());
        return false;
    }
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    std::printf("%s (%zu bytes)\n", p.string().c_str(), bytes.size());
    std::fflush(stdout);
    // A copy of exactly the file's size, so sanitizers see any read past its end.
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string prefix;
    int ran = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.rfind("--prefix=", 0) == 0) {
            prefix = std::string(arg.substr(9));
            continue;
        }
        const fs::path path(argv[i]);
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(path, ec))
                if (e.is_regular_file() && e.path().filename().string().rfind(prefix, 0) == 0)
                    files.push_back(e.path());
            std::sort(files.begin(), files.end());
            for (const auto& f : files) ran += runFile(f) ? 1 : 0;
        } else if (fs::is_regular_file(path, ec)) {
            ran += runFile(path) ? 1 : 0;
        } else {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            ok = false;
        }
    }
    std::printf("replayed %d input(s)\n", ran);
    if (ran == 0) std::fprintf(stderr, "no inputs found\n");
    return ok && ran > 0 ? 0 : 1;
}
