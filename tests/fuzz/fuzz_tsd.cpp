// Puzzle documents (.tsd) from hostile bytes: a bad file may only throw FileFormatError.
#include "core/document/Errors.h"
#include "core/document/TsdFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto model = tessemar::ReadTsd({data, size});
        // What was read must write out again.
        if (model)
            tessemar::WriteTsd(*model);
    } catch (const tessemar::FileFormatError&) {
    }
    return 0;
}
