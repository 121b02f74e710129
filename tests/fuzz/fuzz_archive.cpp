// Packed archives from hostile bytes: the first byte gives the length of the member name that
// is looked up, the rest is the archive.
#include "core/images/PackedFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t nameLength = data[0] % 40;
    if (size - 1 < nameLength)
        return 0;
    const std::string member(reinterpret_cast<const char*>(data + 1), nameLength);
    tessemar::MemorySource archive({data + 1 + nameLength, size - 1 - nameLength});
    tessemar::FileBuffer buffer;
    if (tessemar::ReadArchiveMember(archive, member, buffer) == tessemar::PackedFileOk &&
        buffer.size > 0) {
        volatile std::uint8_t last = buffer.data[buffer.size];  // the terminating zero
        (void)last;
    }
    return 0;
}
