// webpbn XML puzzles from hostile bytes: a bad file may only throw FileFormatError, and what
// is read must write out again and read back.
#include "core/document/Errors.h"
#include "core/formats/WebpbnFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// The seed corpus holds puzzles of several megabytes; libFuzzer would take the largest as its
// input size and slow to a crawl. Unless the command line says otherwise, inputs stay small.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> arguments(*argv, *argv + *argc);
    for (const char* argument : arguments) {
        if (std::string_view(argument).starts_with("-max_len=")) return 0;
    }
    static char maxLen[] = "-max_len=65536";
    arguments.insert(arguments.begin() + 1, maxLen);
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto model = std::make_unique<tessemar::PuzzleModel>();
    try {
        // The first byte's low bit chooses whether the goal is read too.
        tessemar::ReadWebpbn(text, *model, {.withGoal = size > 0 && (data[0] & 1) != 0});
    } catch (const tessemar::FileFormatError&) {
        return 0;
    }
    auto again = std::make_unique<tessemar::PuzzleModel>();
    tessemar::ReadWebpbn(tessemar::WriteWebpbn(*model), *again, {.withGoal = true});
    return 0;
}
