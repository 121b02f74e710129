// qga images from hostile bytes.
#include "core/images/Qga.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessemar::Surface surface;
    if (tessemar::LoadQga(surface, {data, size}) == tessemar::QgaOk) {
        // Touch every pixel, so that a surface smaller than its header claims shows.
        std::uint32_t sum = 0;
        for (int y = 0; y < surface.Height(); ++y)
            sum += surface.Row(y)[surface.Width() - 1];
        volatile std::uint32_t sink = sum;
        (void)sink;
    }
    return 0;
}
