#include "gui/document/RecentFileList.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using Entries = std::vector<std::string>;

TEST(RecentFileListTest, NewestFirstWithoutDuplicatesWithinTheSize) {
    RecentFileList list(3);
    list.Add("/a.tsd");
    list.Add("/b.tsd");
    list.Add("/c.tsd");
    EXPECT_EQ(list.Entries(), (Entries{"/c.tsd", "/b.tsd", "/a.tsd"}));
    list.Add("/a.tsd");
    EXPECT_EQ(list.Entries(), (Entries{"/a.tsd", "/c.tsd", "/b.tsd"}));
    list.Add("/d.tsd");
    EXPECT_EQ(list.Entries(), (Entries{"/d.tsd", "/a.tsd", "/c.tsd"}));
    // The same file under another spelling is the same entry.
    list.Add("/x/../c.tsd");
    EXPECT_EQ(list.Entries(), (Entries{"/c.tsd", "/d.tsd", "/a.tsd"}));
}

TEST(RecentFileListTest, SizeIsKeptWithinOneToSixteen) {
    EXPECT_EQ(RecentFileList(0).Size(), 1);
    EXPECT_EQ(RecentFileList(16).Size(), 16);
    EXPECT_EQ(RecentFileList(17).Size(), 16);
}

TEST(RecentFileListTest, WritingReplacesTheSectionSoDroppedEntriesStayDropped) {
    TempDir dir;
    IniFile ini(dir.File("Tessemar.INI"));
    RecentFileList ten(10);
    for (int i = 9; i >= 0; --i)
        ten.Add("/p" + std::to_string(i) + ".tsd");
    ten.WriteList(ini);
    EXPECT_EQ(ini.GetString("Recent File List", "File1", ""), "/p0.tsd");
    EXPECT_EQ(ini.GetString("Recent File List", "File10", ""), "/p9.tsd");

    RecentFileList four(4);
    four.ReadList(ini);
    EXPECT_EQ(four.Entries(), (Entries{"/p0.tsd", "/p1.tsd", "/p2.tsd", "/p3.tsd"}));
    four.WriteList(ini);

    RecentFileList again(10);
    again.ReadList(ini);
    EXPECT_EQ(again.Entries().size(), 4u);
    EXPECT_EQ(ini.GetString("Recent File List", "File5", "gone"), "gone");
}

TEST(RecentFileListTest, ReadingSkipsGapsAndRepeats) {
    TempDir dir;
    IniFile ini(dir.File("Tessemar.INI"));
    ini.WriteString("Recent File List", "File1", "/a.tsd");
    ini.WriteString("Recent File List", "File3", "/b.tsd");
    ini.WriteString("Recent File List", "File4", "/a.tsd");
    RecentFileList list(10);
    list.ReadList(ini);
    EXPECT_EQ(list.Entries(), (Entries{"/a.tsd", "/b.tsd"}));
}

TEST(RecentFileListTest, MenuTextNumbersEntriesAndKeepsAmpersands) {
    RecentFileList list(16);
    for (int i = 16; i >= 1; --i)
        list.Add("/f" + std::to_string(i) + ".tsd");
    EXPECT_EQ(list.MenuText(0), "&1 /f1.tsd");
    EXPECT_EQ(list.MenuText(9), "1&0 /f10.tsd");
    EXPECT_EQ(list.MenuText(15), "16 /f16.tsd");
    EXPECT_EQ(list.MenuText(16), "");
    list.Add("/R&D/plan.tsd");
    EXPECT_EQ(list.MenuText(0), "&1 /R&&D/plan.tsd");
}

TEST(AbbreviatePathTest, ShortensToThirtyCharacters) {
    struct Case {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/ann/cat.tsd", "/home/ann/cat.tsd"},
        {"/home/ann/puzzles/animals/2024/cat.tsd", "/home/.../animals/2024/cat.tsd"},
        {"/verylongfirstfolder/somewhere/deeper/cat.tsd", "/.../somewhere/deeper/cat.tsd"},
        {"/a/b/a-file-name-longer-than-thirty-characters.tsd",
         "a-file-name-longer-than-thirty-characters.tsd"},
        // Counted in characters, not bytes: twelve kana are 36 bytes but fit.
        {"/home/ann/ねこねこねこねこねこねこ.tsd", "/home/ann/ねこねこねこねこねこねこ.tsd"},
    };
    for (const Case& c : cases) {
        const std::string shown = AbbreviatePath(c.path, 30);
        EXPECT_EQ(shown, c.shown) << c.path;
    }
}

}  // namespace
}  // namespace tessemar
