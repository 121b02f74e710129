#include "core/images/PackedFile.h"

#include "core/io/FileUtil.h"

#include "core/io/ByteOrder.h"
#include "core/images/Lzss.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

namespace tessemar {
namespace {

// No file or member we read for pictures comes near this; beyond it a size is taken as forged
// (or as more than we can hold) rather than allocated.
constexpr std::uint64_t kMaxFileBytes = 512ull * 1024 * 1024;

constexpr std::size_t kNameBytes = 32;


class FileSource : public ByteSource {
  public:
    FileSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::uint8_t* destination, std::size_t count) const override {
        if (offset > size_ || count > size_ - offset)
            return false;
        while (count > 0) {
            const ssize_t n = ::pread(fd_, destination, count, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            destination += n;
            count -= static_cast<std::size_t>(n);
            offset += static_cast<std::uint64_t>(n);
        }
        return true;
    }

  private:
    int fd_;
    std::uint64_t size_;
};

// Makes storage hold size bytes plus the terminating zero and points the buffer at it.
bool Allocate(FileBuffer& out, std::uint64_t size) {
    if (size > kMaxFileBytes)
        return false;
    try {
        out.storage.assign(static_cast<std::size_t>(size) + 1, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    out.data = out.storage.data();
    out.size = static_cast<std::size_t>(size);
    out.owned = true;
    return true;
}

struct Registered {
    const std::uint8_t* begin;
    std::size_t size;
};

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}
std::vector<Registered>& Registry() {
    static std::vector<Registered> blocks;
    return blocks;
}

bool ParseHex(std::string_view text, std::uintptr_t& value) {
    if (text.empty() || text.size() > sizeof(std::uintptr_t) * 2)
        return false;
    value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        value = value * 16 + static_cast<std::uintptr_t>(digit);
    }
    return true;
}

int ReadMemoryReference(std::string_view name, FileBuffer& out) {
    const std::string_view body = name.substr(1);
    const std::size_t comma = body.find(',');
    std::uintptr_t address = 0;
    std::uintptr_t size = 0;
    if (comma == std::string_view::npos || !ParseHex(body.substr(0, comma), address) ||
        !ParseHex(body.substr(comma + 1), size)) {
        return PackedFileBadReference;
    }
    std::lock_guard lock(RegistryMutex());
    for (const Registered& block : Registry()) {
        const auto begin = reinterpret_cast<std::uintptr_t>(block.begin);
        if (address >= begin && address - begin <= block.size &&
            size <= block.size - (address - begin)) {
            out.data = block.begin + (address - begin);
            out.size = static_cast<std::size_t>(size);
            out.owned = false;
            return PackedFileOk;
        }
    }
    return PackedFileBadReference;
}

// Reads a regular file whole; codes 0, 1, 2, 3, or -2 when there is no file of that name.
constexpr int kNoSuchFile = -2;
int ReadDiskFile(const std::string& path, FileBuffer& out) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? kNoSuchFile : PackedFileNotFound;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode))
        return PackedFileNotFound;
    // Pipes and devices have no size to read up to.
    if (!S_ISREG(info.st_mode) || info.st_size < 0)
        return PackedFileSizeUnknown;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (!Allocate(out, size))
        return PackedFileOutOfMemory;
    if (!FileSource(fd.get(), size).ReadAt(0, out.storage.data(), out.size)) {
        out = FileBuffer{};
        return PackedFileNotFound;
    }
    return PackedFileOk;
}

}  // namespace

bool MemorySource::ReadAt(std::uint64_t offset, std::uint8_t* destination,
                          std::size_t count) const {
    if (offset > bytes_.size() || count > bytes_.size() - offset)
        return false;
    // An empty member has no buffer to copy into.
    if (count != 0)
        std::memcpy(destination, bytes_.data() + offset, count);
    return true;
}

MemoryReference::MemoryReference(std::span<const std::uint8_t> block) : block_(block) {
    char text[64];
    std::snprintf(text, sizeof text, "!%jx,%zx",
                  static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(block.data())),
                  block.size());
    name_ = text;
    std::lock_guard lock(RegistryMutex());
    Registry().push_back({block.data(), block.size()});
}

MemoryReference::~MemoryReference() {
    std::lock_guard lock(RegistryMutex());
    auto& blocks = Registry();
    auto it = std::find_if(blocks.begin(), blocks.end(), [&](const Registered& r) {
        return r.begin == block_.data() && r.size == block_.size();
    });
    if (it != blocks.end())
        blocks.erase(it);
}

std::string FoldMemberName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if ((c >= 0x80 && c <= 0xA0) || c >= 0xE0) {
            ++i;  // the second byte of a two-byte character is never folded
        } else if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

int ReadArchiveMember(const ByteSource& archive, std::string_view member, FileBuffer& out) {
    std::uint8_t header[12];
    if (!archive.ReadAt(0, header, sizeof header))
        return PackedFileNotFound;
    bool extended;
    if (std::memcmp(header, "quirpack", 8) == 0) {
        extended = false;
    } else if (std::memcmp(header, "quirpkEx", 8) == 0) {
        extended = true;
    } else {
        return PackedFileNotFound;
    }
    const std::size_t entrySize = extended ? 44 : 40;
    const std::uint32_t count = bytes::U32(header + 8);
    const std::string wanted = FoldMemberName(member);
    std::uint8_t entry[44];
    // A forged count cannot make this loop longer than the archive: the first entry that is not
    // all there ends the search.
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!archive.ReadAt(12 + i * entrySize, entry, entrySize))
            return PackedFileNotFound;
        const auto* nameBytes = reinterpret_cast<const char*>(entry);
        const std::string_view name(nameBytes, strnlen(nameBytes, kNameBytes));
        if (FoldMemberName(name) != wanted)
            continue;

        const std::uint32_t offset = bytes::U32(entry + 32);
        const std::uint32_t fullSize = bytes::U32(entry + 36);
        const std::uint32_t storedSize = extended ? bytes::U32(entry + 40) : fullSize;
        if (offset > archive.Size() || storedSize > archive.Size() - offset)
            return PackedFileNotFound;
        if (storedSize == fullSize) {
            if (!Allocate(out, fullSize))
                return PackedFileOutOfMemory;
            if (!archive.ReadAt(offset, out.storage.data(), fullSize)) {
                out = FileBuffer{};
                return PackedFileNotFound;
            }
        } else {
            if (fullSize == 0 || fullSize > LzssMaxUnpackedSize(storedSize))
                return PackedFileNotFound;
            std::vector<std::uint8_t> stored;
            try {
                stored.resize(storedSize);
            } catch (const std::bad_alloc&) {
                return PackedFileOutOfMemory;
            }
            if (!archive.ReadAt(offset, stored.data(), storedSize))
                return PackedFileNotFound;
            if (!Allocate(out, fullSize))
                return PackedFileOutOfMemory;
            if (!LzssUnpack(stored, std::span(out.storage.data(), fullSize))) {
                out = FileBuffer{};
                return PackedFileNotFound;
            }
        }
        return PackedFileOk;
    }
    return PackedFileNotFound;
}

int ReadPackedFile(const std::string& name, FileBuffer& out) {
    out = FileBuffer{};
    if (name.empty())
        return PackedFileEmptyName;
    if (name[0] == '!')
        return ReadMemoryReference(name, out);

    const int result = ReadDiskFile(name, out);
    if (result != kNoSuchFile)
        return result;

    const std::size_t slash = name.find_last_of("/\\");
    if (slash == std::string::npos || slash == 0)
        return PackedFileNotFound;
    std::string archivePath = name.substr(0, slash) + ".dat";
    std::replace(archivePath.begin(), archivePath.end(), '\\', '/');
    const std::string member = name.substr(slash + 1);

    UniqueFd fd(::open(archivePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return PackedFileNotFound;
    return ReadArchiveMember(FileSource(fd.get(), static_cast<std::uint64_t>(info.st_size)), member,
                             out);
}

std::vector<std::uint8_t> WritePackedArchive(const std::vector<ArchiveMember>& members,
                                             ArchiveKind kind) {
    const bool extended = kind == ArchiveKind::Extended;
    const std::size_t entrySize = extended ? 44 : 40;
    std::vector<std::vector<std::uint8_t>> stored;
    for (const ArchiveMember& m : members) {
        if (extended && m.pack && !m.data.empty()) {
            std::vector<std::uint8_t> packed = LzssPack(m.data);
            if (packed.size() < m.data.size()) {
                stored.push_back(std::move(packed));
                continue;
            }
        }
        stored.push_back(m.data);
    }
    std::vector<std::uint8_t> out(extended ? std::begin("quirpkEx") : std::begin("quirpack"),
                                  (extended ? std::begin("quirpkEx") : std::begin("quirpack")) + 8);
    bytes::PutU32(out, static_cast<std::uint32_t>(members.size()));
    std::size_t offset = 12 + members.size() * entrySize;
    for (std::size_t i = 0; i < members.size(); ++i) {
        std::uint8_t name[kNameBytes] = {};
        std::memcpy(name, members[i].name.data(), std::min(members[i].name.size(), kNameBytes - 1));
        out.insert(out.end(), name, name + kNameBytes);
        bytes::PutU32(out, static_cast<std::uint32_t>(offset));
        bytes::PutU32(out, static_cast<std::uint32_t>(members[i].data.size()));
        if (extended)
            bytes::PutU32(out, static_cast<std::uint32_t>(stored[i].size()));
        offset += stored[i].size();
    }
    for (const auto& data : stored)
        out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace tessemar
