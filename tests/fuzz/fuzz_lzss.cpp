// LZSS unpacking of hostile streams: the first two bytes choose the expected size.
#include "core/images/Lzss.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t expected = data[0] | (data[1] << 8);
    std::vector<std::uint8_t> out(expected);
    tessemar::LzssUnpack({data + 2, size - 2}, out);
    return 0;
}
