#pragma once

#include "core/images/PictureDecoder.h"

namespace tessemar {

// Bitmap files ("BM", at least 54 bytes) that are not compressed: 1, 4 and 8 bits per pixel
// with a palette, 16 bits (5-5-5 or bit fields), 24 and 32 bits (plain or bit fields), stored
// bottom-up or top-down. Compressed and damaged files are refused, so that the next decoder
// of the chain may try them.
std::unique_ptr<PictureDecoder> OpenBitmapFile(std::span<const std::uint8_t> bytes);

// Decodes a bitmap file into surface in one call; false when it is refused.
bool DecodeBitmapFile(std::span<const std::uint8_t> bytes, Surface& surface);

}  // namespace tessemar
