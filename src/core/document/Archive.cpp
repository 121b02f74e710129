#include "core/document/Archive.h"

#include "core/document/Errors.h"
#include "core/io/ByteOrder.h"
#include "core/text/Encoding.h"

namespace tessemar {
namespace {

constexpr std::uint16_t kLongLength = 0xFFFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;

}  // namespace

std::int64_t ArchiveStringSize(std::size_t length) {
    const auto n = static_cast<std::int64_t>(length);
    if (n < 0xFF) return n + 1;
    if (n < 0xFFFE) return n + 3;
    return n + 7;
}

std::uint8_t ArchiveReader::ReadU8() { return ReadBytes(1)[0]; }

std::uint16_t ArchiveReader::ReadU16() { return bytes::U16(ReadBytes(2).data()); }

std::uint32_t ArchiveReader::ReadU32() { return bytes::U32(ReadBytes(4).data()); }

std::span<const std::uint8_t> ArchiveReader::ReadBytes(std::size_t count) {
    if (count > Remaining()) throw FileFormatError("the file ends too early");
    auto result = bytes_.subspan(position_, count);
    position_ += count;
    return result;
}

// The length after the 0xFF marker (and after the wide marker): 16 bits, or 32 bits when the
// 16-bit field holds 0xFFFF.
std::uint32_t ArchiveReader::ReadLength() {
    std::uint8_t shortLength = ReadU8();
    if (shortLength < 0xFF) return shortLength;
    std::uint16_t length = ReadU16();
    if (length < kWideMarker) return length;
    if (length == kLongLength) return ReadU32();
    // The wide marker cannot follow itself.
    throw FileFormatError("malformed string length");
}

std::string ArchiveReader::ReadString() {
    std::uint8_t first = ReadU8();
    if (first < 0xFF) {
        auto b = ReadBytes(first);
        return text::DecodeFileText(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
    }
    std::uint16_t length16 = ReadU16();
    if (length16 == kWideMarker) {
        std::uint32_t units = ReadLength();
        if (units > Remaining() / 2) throw FileFormatError("the file ends too early");
        std::vector<std::uint16_t> text(units);
        for (auto& unit : text) unit = ReadU16();
        return text::Utf16ToUtf8(text);
    }
    std::uint32_t length = length16 == kLongLength ? ReadU32() : length16;
    auto b = ReadBytes(length);
    return text::DecodeFileText(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

void ArchiveWriter::WriteU16(std::uint16_t value) { bytes::PutU16(bytes_, value); }

void ArchiveWriter::WriteU32(std::uint32_t value) { bytes::PutU32(bytes_, value); }

void ArchiveWriter::WriteString(std::string_view text) {
    const std::size_t n = text.size();
    if (n < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(n));
    } else if (n < kWideMarker) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(kLongLength);
        WriteU32(static_cast<std::uint32_t>(n));
    }
    WriteBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), n));
}

}  // namespace tessemar
