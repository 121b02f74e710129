// Bitmap files from hostile bytes.
#include "core/images/BitmapFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessemar::Surface surface;
    tessemar::DecodeBitmapFile({data, size}, surface);
    return 0;
}
