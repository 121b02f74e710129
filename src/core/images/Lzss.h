#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessemar {

// The packing scheme of qga pixel data and of packed archive members: LZSS over a 4096-byte
// ring buffer that starts zero-filled with its write position at 4078. Each flag byte governs
// the next eight items, least significant bit first: 1 is a literal byte, 0 a two-byte
// reference b1 b2 to ring position b1 + (b2 >> 4) * 256 with length (b2 & 15) + 3.

// Unpacks input until output is full, stopping there even inside a reference. Returns false
// when output is empty (an expected size of 0 is an error) or input ends first; never reads
// past input or writes past output.
bool LzssUnpack(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

// The most bytes that packed bytes of the given size can unpack to: a flag byte and eight
// 18-byte references, 17 bytes in all, give 144. A larger claim in a file header is forged, and
// nothing of that size needs to be allocated to find out.
constexpr std::uint64_t LzssMaxUnpackedSize(std::uint64_t packedSize) {
    return (packedSize / 17 + 1) * 144;
}

// Packs data so that LzssUnpack with data.size() as the expected size gives it back.
std::vector<std::uint8_t> LzssPack(std::span<const std::uint8_t> data);

}  // namespace tessemar
