#include "core/io/FileUtil.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tessemar {
namespace {

TEST(FileUtilTest, AtomicWriteReplacesContentAndKeepsPermissions) {
    TempDir dir;
    const std::string path = dir.File("a.txt");
    ASSERT_TRUE(WriteFileAtomically(path, "first").ok);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "second").ok);
    EXPECT_EQ(ReadWholeFile(path).value(), "second");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(FileUtilTest, AtomicWriteFollowsSymbolicLinks) {
    TempDir dir;
    const std::string target = dir.File("target.tsd");
    const std::string link = dir.File("link.tsd");
    ASSERT_TRUE(WriteFileAtomically(target, "old").ok);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, "new").ok);
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadWholeFile(target).value(), "new");
}

TEST(FileUtilTest, FailuresReportTheError) {
    TempDir dir;
    FileStatus missingFolder = WriteFileAtomically(dir.File("none/a.txt"), "x");
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_EQ(missingFolder.error, ENOENT);
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadFileBytes(dir.Path(), bytes).error, EISDIR);
    EXPECT_FALSE(ReadWholeFile(dir.File("missing")).has_value());
}

TEST(FileUtilTest, AbsolutePathJoinsTheCurrentFolder) {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(AbsolutePath("./a/b.tsd"), std::string(cwd) + "/a/b.tsd");
    EXPECT_EQ(AbsolutePath("/x/y"), "/x/y");
}

}  // namespace
}  // namespace tessemar
