// .non puzzles from hostile bytes: a bad file may only throw FileFormatError, and what is read
// must write out again and read back.
#include "core/document/Errors.h"
#include "core/formats/NonFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto model = std::make_unique<tessemar::PuzzleModel>();
    try {
        // The first byte's low bit chooses whether the goal is read too.
        tessemar::ReadNon(text, *model, {.withGoal = size > 0 && (data[0] & 1) != 0});
    } catch (const tessemar::FileFormatError&) {
        return 0;
    }
    auto again = std::make_unique<tessemar::PuzzleModel>();
    tessemar::ReadNon(tessemar::WriteNon(*model), *again, {.withGoal = true});
    return 0;
}
