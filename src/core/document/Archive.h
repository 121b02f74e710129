#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar {

// The bytes an archive string of n bytes occupies: a one-, three- or seven-byte length prefix
// and the bytes themselves.
std::int64_t ArchiveStringSize(std::size_t length);

// Reads the little-endian fields of a document file. Every read past the end throws
// FileFormatError, so a file cut short anywhere is refused as a whole.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    std::span<const std::uint8_t> ReadBytes(std::size_t count);
    // A length-prefixed string in any of the archive's forms, including the UTF-16 one,
    // returned as UTF-8 (see text::DecodeFileText for byte strings).
    std::string ReadString();

    std::size_t Remaining() const { return bytes_.size() - position_; }

private:
    std::uint32_t ReadLength();
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Writes the little-endian fields of a document file into memory.
class ArchiveWriter {
public:
    void WriteU8(std::uint8_t value) { bytes_.push_back(value); }
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteBytes(std::span<const std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    // The byte form with the shortest length prefix; the text's bytes are written as they are.
    void WriteString(std::string_view text);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace tessemar
