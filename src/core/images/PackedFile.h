#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar {

// The bytes of a file read through ReadPackedFile. Owned bytes are followed by one zero byte
// that is not counted in size, so text parsers may treat them as a C string.
struct FileBuffer {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    bool owned = false;
    std::vector<std::uint8_t> storage;

    std::span<const std::uint8_t> Bytes() const { return {data, size}; }
};

// Result codes of ReadPackedFile.
enum PackedFileResult : int {
    PackedFileOk = 0,
    PackedFileNotFound = 1,  // no file, no archive, no matching member, or a read error
    PackedFileSizeUnknown = 2,
    PackedFileOutOfMemory = 3,
    PackedFileBadReference = 6,  // a "!address,size" name that is malformed or not registered
    PackedFileEmptyName = -1,
};

// Reads a file whole, from disk or from the packed archive of its folder: when pics/logo.qga
// does not exist, the member logo.qga of the archive pics.dat is read instead. Both '/' and
// '\' separate folders. A name "!address,size" (hexadecimal) refers to memory registered with
// a MemoryReference; that buffer is not owned.
int ReadPackedFile(const std::string& name, FileBuffer& out);

// Registers a block of memory under a "!address,size" name for as long as the object lives.
// Only registered blocks can be read through such names: the names may come from settings
// files, and an address taken from a file on trust would read any memory.
class MemoryReference {
  public:
    explicit MemoryReference(std::span<const std::uint8_t> block);
    ~MemoryReference();
    MemoryReference(const MemoryReference&) = delete;
    MemoryReference& operator=(const MemoryReference&) = delete;

    const std::string& Name() const { return name_; }

  private:
    std::span<const std::uint8_t> block_;
    std::string name_;
};

// Random access to the bytes of an archive, so that the directory can be searched without
// loading the whole archive.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly count bytes at offset; false when they are not all there.
    virtual bool ReadAt(std::uint64_t offset, std::uint8_t* destination,
                        std::size_t count) const = 0;
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::uint8_t* destination, std::size_t count) const override;

  private:
    std::span<const std::uint8_t> bytes_;
};

// Looks up member in a "quirpack" or "quirpkEx" archive and reads it, unpacking a member
// whose stored size differs from its full size. Codes as ReadPackedFile: 0, 1 or 3.
int ReadArchiveMember(const ByteSource& archive, std::string_view member, FileBuffer& out);

// Archive member names compare after folding A..Z to lower case, byte by byte; a byte in
// 0x80..0xA0 or 0xE0..0xFF starts a two-byte (CP932) character, which is left as it is.
std::string FoldMemberName(std::string_view name);

// One member for WritePackedArchive.
struct ArchiveMember {
    std::string name;  // at most 31 bytes
    std::vector<std::uint8_t> data;
    bool pack = false;  // "quirpkEx" only: store LZSS-packed when that is smaller
};

enum class ArchiveKind { Plain, Extended };  // "quirpack", "quirpkEx"

// The bytes of an archive holding members in the given order. Names longer than 31 bytes are
// cut.
std::vector<std::uint8_t> WritePackedArchive(const std::vector<ArchiveMember>& members,
                                             ArchiveKind kind);

}  // namespace tessemar
