#pragma once

#include "core/images/Surface.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tessemar {

// The program's own image format "qga", little-endian:
//   0  magic "qga\0" (written, never checked: readers pick the format by name or resource type)
//   4  width, 8 height (unsigned)
//  12  packed flag (0 = pixel data stored as is)
//  16  size of the unpacked pixel data (width x height x 4)
//  20  size of the stored pixel data
//  24  pixel data: rows top to bottom, blue green red alpha per pixel, LZSS-packed or not
inline constexpr std::size_t kQgaHeaderSize = 24;

// Result codes of LoadQga.
enum QgaResult : int {
    QgaOk = 0,
    QgaBadSize = 2,    // the header is cut short or the surface of its size cannot be made
    QgaBadPixels = 3,  // the pixel data is missing, short, or does not unpack
};

// Loads a qga image held in memory into surface: on success the surface is marked loaded and as
// having alpha, and the colour of pixel (0, 0) becomes its colour key.
int LoadQga(Surface& surface, std::span<const std::uint8_t> bytes);

// The qga file of a surface, its pixel data packed when packed is true.
std::vector<std::uint8_t> WriteQga(const Surface& surface, bool packed = true);

}  // namespace tessemar
