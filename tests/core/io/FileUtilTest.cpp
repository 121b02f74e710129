#include "core/io/FileUtil.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tessemar {
namespace {

TEST(FileUtilTest, ReadFailuresReportTheError) {
    TempDir dir;
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
