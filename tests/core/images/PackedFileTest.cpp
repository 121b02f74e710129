#include "core/io/ByteOrder.h"
#include "core/images/PackedFile.h"

#include "support/ByteFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessemar {
namespace {

std::string Read(const std::string& name, int expectedCode, FileBuffer* keep = nullptr) {
    FileBuffer buffer;
    EXPECT_EQ(ReadPackedFile(name, buffer), expectedCode) << name;
    std::string bytes(reinterpret_cast<const char*>(buffer.data), buffer.size);
    if (keep)
        *keep = std::move(buffer);
    return bytes;
}

TEST(PackedFileTest, ReadsPlainFilesWithATrailingZero) {
    TempDir dir;
    WriteBytes(dir.File("a.txt"), BytesOf("hello"));
    FileBuffer buffer;
    EXPECT_EQ(Read(dir.File("a.txt"), PackedFileOk, &buffer), "hello");
    EXPECT_TRUE(buffer.owned);
    EXPECT_EQ(buffer.data[buffer.size], 0);
    WriteBytes(dir.File("empty"), {});
    EXPECT_EQ(Read(dir.File("empty"), PackedFileOk), "");

    EXPECT_EQ(Read("", PackedFileEmptyName), "");
    EXPECT_EQ(Read(dir.File("missing.txt"), PackedFileNotFound), "");
    EXPECT_EQ(Read(dir.Path(), PackedFileNotFound), "") << "a folder is no file";
}

TEST(PackedFileTest, FindsMembersOfTheFolderArchive) {
    for (ArchiveKind kind : {ArchiveKind::Plain, ArchiveKind::Extended}) {
        TempDir dir;
        const std::vector<std::uint8_t> big(5000, 'z');
        WriteBytes(dir.File("pics.dat"), WritePackedArchive({{"first.bin", BytesOf("one"), false},
                                                            {"logo.qga", BytesOf("the logo"), false},
                                                            {"big.bin", big, true},
                                                            {"empty", {}, true}},
                                                           kind));
        FileBuffer buffer;
        EXPECT_EQ(Read(dir.File("pics/logo.qga"), PackedFileOk, &buffer), "the logo");
        EXPECT_TRUE(buffer.owned);
        EXPECT_EQ(buffer.data[buffer.size], 0);
        EXPECT_EQ(Read(dir.File("pics/LOGO.QGA"), PackedFileOk), "the logo") << "letter case folds";
        EXPECT_EQ(Read(dir.File("pics\\First.Bin"), PackedFileOk), "one")
            << "backslash separates too";
        EXPECT_EQ(Read(dir.File("pics/big.bin"), PackedFileOk), std::string(5000, 'z'));
        EXPECT_EQ(Read(dir.File("pics/empty"), PackedFileOk), "");
        EXPECT_EQ(Read(dir.File("pics/other.qga"), PackedFileNotFound), "");
        EXPECT_EQ(Read(dir.File("none/logo.qga"), PackedFileNotFound), "");
        // A file of the member's name on disk comes first.
        std::filesystem::create_directory(dir.File("pics"));
        WriteBytes(dir.File("pics/logo.qga"), BytesOf("on disk"));
        EXPECT_EQ(Read(dir.File("pics/logo.qga"), PackedFileOk), "on disk");
    }
}

// Builds an extended archive by hand, so that the sizes can say anything.
std::vector<std::uint8_t> ExtendedArchive(const std::string& name, std::uint32_t fullSize,
                                          const std::vector<std::uint8_t>& stored,
                                          std::uint32_t count = 1, std::uint32_t offset = 56) {
    std::vector<std::uint8_t> out = BytesOf("quirpkEx");
    bytes::PutU32(out, count);
    std::vector<std::uint8_t> entryName(32, 0);
    std::copy(name.begin(), name.end(), entryName.begin());
    out.insert(out.end(), entryName.begin(), entryName.end());
    bytes::PutU32(out, offset);
    bytes::PutU32(out, fullSize);
    bytes::PutU32(out, static_cast<std::uint32_t>(stored.size()));
    out.insert(out.end(), stored.begin(), stored.end());
    return out;
}

TEST(PackedFileTest, ExtendedMembersUnpackOnlyWhenTheSizesDiffer) {
    const std::vector<std::uint8_t> packedStream = {0x01, 'a', 0xEE, 0xF2};  // "aaaaaa" packed
    struct Case {
        const char* what;
        std::vector<std::uint8_t> archive;
        int code;
        std::string content;
    } cases[] = {
        {"equal sizes: returned as stored", ExtendedArchive("m", 4, packedStream), PackedFileOk,
         std::string(packedStream.begin(), packedStream.end())},
        {"different sizes: unpacked to the full size", ExtendedArchive("m", 6, packedStream),
         PackedFileOk, "aaaaaa"},
        {"stream too short for the full size", ExtendedArchive("m", 7, packedStream),
         PackedFileNotFound, ""},
        {"full size zero with data", ExtendedArchive("m", 0, packedStream), PackedFileNotFound, ""},
        {"full size no stream could reach", ExtendedArchive("m", 0xFFFFFFF0, packedStream),
         PackedFileNotFound, ""},
        {"member beyond the end", ExtendedArchive("m", 4, packedStream, 1, 58), PackedFileNotFound,
         ""},
        {"forged entry count", ExtendedArchive("x", 4, packedStream, 0xFFFFFFFF),
         PackedFileNotFound, ""},
        {"bad magic", BytesOf("quirpackX"), PackedFileNotFound, ""},
        {"header cut short", BytesOf("quirpkEx\x01"), PackedFileNotFound, ""},
    };
    for (const Case& c : cases) {
        FileBuffer buffer;
        EXPECT_EQ(ReadArchiveMember(MemorySource(c.archive), "m", buffer), c.code) << c.what;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data), buffer.size), c.content)
            << c.what;
    }
}

TEST(PackedFileTest, FoldingLeavesTwoByteCharactersAlone) {
    struct Case {
        std::string name, folded;
    } cases[] = {
        {"ABC.Qga", "abc.qga"},
        {"\x82\x41Z", "\x82\x41z"},        // lead byte 0x82: its 'A' is a second byte
        {"\xE0\x5A\x5A", "\xE0\x5A\x7A"},  // lead byte 0xE0
        {"\xA0Q", "\xA0Q"},                // 0xA0 still leads
        {"\xA1Q", "\xA1q"},                // half-width katakana stands alone
        {"\xDFQ", "\xDFq"},
        {"AB\x81", "ab\x81"},  // a lead byte at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(FoldMemberName(c.name), c.folded) << c.name;
}

TEST(PackedFileTest, MemoryReferencesReadOnlyRegisteredBlocks) {
    const std::vector<std::uint8_t> block = BytesOf("0123456789");
    char other[64];
    std::string stale;
    {
        MemoryReference reference(block);
        FileBuffer buffer;
        EXPECT_EQ(Read(reference.Name(), PackedFileOk, &buffer), "0123456789");
        EXPECT_FALSE(buffer.owned);
        std::snprintf(
            other, sizeof other, "!%jx,%x",
            static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(block.data() + 2)), 3);
        EXPECT_EQ(Read(other, PackedFileOk), "234") << "a part of a registered block";
        std::snprintf(
            other, sizeof other, "!%jX,%X",
            static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(block.data() + 2)), 9);
        EXPECT_EQ(Read(other, PackedFileBadReference), "") << "reaching past the block";
        stale = reference.Name();
    }
    EXPECT_EQ(Read(stale, PackedFileBadReference), "") << "no longer registered";
    for (const char* bad : {"!", "!12", "!12,", "!,12", "!zz,1", "!1,1 ", "!12345678901234567,1"}) {
        EXPECT_EQ(Read(bad, PackedFileBadReference), "") << bad;
    }
}

}  // namespace
}  // namespace tessemar
