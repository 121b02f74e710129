#include "core/io/AtomicFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <set>

namespace tessemar {
namespace {

enum class Target { OldFile, LinkToOldFile, Folder, InMissingFolder };

// The old file holds "old" with mode 0640; the writer gets "new" in two pieces. Afterwards the
// folder must hold the names it held before (no temporary file left) and the old file its mode.
TEST(AtomicFileTest, ReplacesOnlyOnCommit) {
    const struct {
        const char* name;
        Target target;
        bool commit;
        int error;
        const char* content;  // of the old file, afterwards
    } cases[] = {
        {"old file keeps its mode", Target::OldFile, true, 0, "new"},
        {"link followed and kept", Target::LinkToOldFile, true, 0, "new"},
        {"abandoned", Target::LinkToOldFile, false, 0, "old"},
        {"folder", Target::Folder, true, EISDIR, "old"},
        {"missing folder", Target::InMissingFolder, true, ENOENT, "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string old = dir.File("old.tsd");
        std::string path = old;
        ASSERT_TRUE(WriteFileAtomically(old, "old").ok);
        ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
        if (c.target == Target::LinkToOldFile) {
            path = dir.File("link.tsd");
            ASSERT_EQ(::symlink(old.c_str(), path.c_str()), 0);
        } else if (c.target == Target::Folder) {
            path = dir.File("folder");
            ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        } else if (c.target == Target::InMissingFolder) {
            path = dir.File("none/old.tsd");
        }
        auto entries = [&] {
            std::set<std::filesystem::path> names;
            for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
                names.insert(entry);
            return names;
        };
        const auto before = entries();

        {
            AtomicFile file(path);
            file.Write("ne");
            file.Write("w");
            if (c.commit) {
                EXPECT_EQ(file.Commit().error, c.error);
            }
        }

        EXPECT_EQ(entries(), before);
        EXPECT_EQ(ReadWholeFile(old).value_or("(none)"), c.content);
        struct stat info {};
        ASSERT_EQ(::stat(old.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u);
        ASSERT_EQ(::lstat(path.c_str(), &info), c.target == Target::InMissingFolder ? -1 : 0);
        EXPECT_EQ(S_ISLNK(info.st_mode), c.target == Target::LinkToOldFile);
    }
}

}  // namespace
}  // namespace tessemar
