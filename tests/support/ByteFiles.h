#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tessemar {

inline std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Overwrites a little-endian field of size bytes at offset, for damaging a well-formed file.
inline void PokeLE(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t value,
                   int size = 4) {
    for (int i = 0; i < size; ++i)
        file[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace tessemar
