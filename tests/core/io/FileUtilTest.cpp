#include "core/io/AtomicFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

namespace tessemar {
namespace {

namespace fs = std::filesystem;

// Beside the old file ("old", mode 0640) lie a relative link to it and a folder. The writer gets
// "new" in two pieces; afterwards no temporary file is left, the link is still a link and the old
// file keeps its mode.
TEST(AtomicFileTest, ReplacesOnlyOnCommit) {
    const struct {
        const char* path;
        bool commit;
        int error;
        const char* content;  // of the old file, afterwards
    } cases[] = {
        {"old", true, 0, "new"},           {"link", true, 0, "new"},
        {"link", false, 0, "old"},         {"folder", true, EISDIR, "old"},
        {"none/old", true, ENOENT, "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + (c.commit ? "" : ", abandoned"));
        TempDir dir;
        const std::string old = dir.File("old"), link = dir.File("link");
        ASSERT_TRUE(WriteFileAtomically(old, "old").ok);
        fs::permissions(old, fs::perms{0640});
        fs::create_symlink("old", link);
        fs::create_directory(dir.File("folder"));
        {
            AtomicFile file(dir.File(c.path));
            file.Write("ne");
            file.Write("w");
            if (c.commit) {
                EXPECT_EQ(file.Commit().error, c.error);
            }
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 3);
        EXPECT_EQ(ReadWholeFile(old).value_or(""), c.content);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::status(old).permissions(), fs::perms{0640});
    }
}

TEST(FileUtilTest, ReadFailuresReportTheError) {
    TempDir dir;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadFileBytes(dir.Path(), bytes).error, EISDIR);
}

TEST(FileUtilTest, AbsolutePathJoinsTheCurrentFolder) {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(AbsolutePath("./a/b.tsd"), std::string(cwd) + "/a/b.tsd");
}

}  // namespace
}  // namespace tessemar
