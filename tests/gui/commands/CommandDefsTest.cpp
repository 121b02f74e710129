#include "gui/commands/CommandDefs.h"

#include "CommandWindow.h"
#include "core/text/StringTable.h"
#include "gui/commands/MenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tessemar {
namespace {

TEST(CommandDefsTest, EveryKeyOfTheAcceleratorTableReachesItsCommand) {
    using namespace cmd;
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, alt = Qt::AltModifier,
                                shift = Qt::ShiftModifier, none = Qt::NoModifier;
    const Case cases[] = {
        {Qt::Key_1, ctrl, ToolPen},
        {Qt::Key_2, ctrl, ToolStraightLine},
        {Qt::Key_3, ctrl, ToolRectangle},
        {Qt::Key_4, ctrl, ToolPaint},
        {Qt::Key_5, ctrl, ToolSelect},
        {Qt::Key_1, alt, FirstColor + 0},
        {Qt::Key_4, alt, FirstColor + 3},
        {Qt::Key_8, alt, FirstColor + 7},
        {Qt::Key_Slash, none, Turn180},
        {Qt::Key_Less, none, TurnLeft90},
        {Qt::Key_Greater, none, TurnRight90},
        // As a US keyboard types them.
        {Qt::Key_Less, shift, TurnLeft90},
        {Qt::Key_Greater, shift, TurnRight90},
        {Qt::Key_A, ctrl, SelectAll},
        {Qt::Key_B, ctrl, MirrorColor},
        {Qt::Key_C, ctrl, Copy},
        {Qt::Key_Insert, ctrl, Copy},
        {Qt::Key_G, ctrl, MirrorVertically},
        {Qt::Key_H, ctrl, MirrorHorizontally},
        {Qt::Key_H, ctrl | alt, Hint},
        {Qt::Key_N, ctrl, FileNew},
        {Qt::Key_N, ctrl | alt, CalculateNumber},
        {Qt::Key_O, ctrl, FileOpen},
        {Qt::Key_P, ctrl, FilePrint},
        {Qt::Key_S, ctrl, FileSave},
        {Qt::Key_S, ctrl | alt, Solve},
        {Qt::Key_V, ctrl, Paste},
        {Qt::Key_Insert, shift, Paste},
        {Qt::Key_X, ctrl, Cut},
        {Qt::Key_Delete, shift, Cut},
        {Qt::Key_Z, ctrl, Undo},
        {Qt::Key_Backspace, alt, Undo},
        {Qt::Key_Z, ctrl | shift, Redo},
        {Qt::Key_Pause, ctrl, Break},
        // Escape stops a running solve as well.
        {Qt::Key_Escape, none, Break},
        {Qt::Key_Delete, none, ClearSelect},
        {Qt::Key_Delete, ctrl, FormatPicture},
        {Qt::Key_Delete, alt, FormatNumber},
        {Qt::Key_F2, none, Title},
        {Qt::Key_Return, ctrl, SetSelect},
        {Qt::Key_Enter, ctrl | Qt::KeypadModifier, SetSelect},
        {Qt::Key_F1, none, Help},
    };
    CommandWindow w(AllIds());
    w.window.show();
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    for (const Case& c : cases) {
        w.target.received.clear();
        QTest::keyClick(&w.window, c.key, c.modifiers);
        EXPECT_EQ(w.target.received, std::vector<int>{c.command})
            << QKeySequence(c.key | c.modifiers).toString().toStdString();
    }
}

TEST(CommandDefsTest, EveryCommandHasItsTextsInBothLanguages) {
    for (text::Language language : {text::Language::English, text::Language::Japanese}) {
        for (const CommandDef& def : CommandDefs()) {
            EXPECT_FALSE(text::LoadString(def.textId, language).empty()) << def.id;
            EXPECT_FALSE(text::LoadString(static_cast<unsigned>(def.id), language).empty())
                << def.id;
        }
        for (const ToolBarDef& bar : ToolBarDefs())
            EXPECT_FALSE(text::LoadString(bar.titleId, language).empty()) << bar.resource;
        for (const auto& menu : {MainMenu128(), MainMenu129()}) {
            for (const MenuEntry& entry : menu) {
                if (entry.kind == MenuEntry::Popup) {
                    EXPECT_FALSE(
                        text::LoadString(static_cast<unsigned>(entry.value), language).empty());
                }
                if (entry.kind == MenuEntry::Command) {
                    EXPECT_NE(FindCommandDef(entry.value), nullptr) << entry.value;
                }
            }
        }
    }
}

TEST(CommandDefsTest, AvailableCommandsAreDescribedOnce) {
    std::set<int> seen;
    for (const CommandDef& def : CommandDefs())
        EXPECT_TRUE(seen.insert(def.id).second) << "described twice: " << def.id;
    for (int id : AvailableCommandIds())
        EXPECT_NE(FindCommandDef(id), nullptr) << id;
}

QStringList Titles(const std::vector<QMenu*>& menus) {
    QStringList titles;
    for (QMenu* menu : menus)
        titles.push_back(menu->title());
    return titles;
}

// The same for a menu and its sub-menus at any depth.
void ExpectTidy(QMenu* menu, const QString& path) {
    const QList<QAction*> actions = menu->actions();
    ExpectNoStraySeparators(actions, path);
    for (QAction* action : actions) {
        if (action->menu())
            ExpectTidy(action->menu(), path + "/" + action->menu()->title());
    }
}

TEST(CommandDefsTest, MenusShowWhatIsAvailableAndNothingEmpty) {
    text::SetLanguage(text::Language::English);
    struct Case {
        const char* name;
        std::vector<int> ids;
        QStringList menu128;
        QStringList menu129;
    };
    const std::vector<int> all = AllIds();
    const std::vector<int> now(AvailableCommandIds().begin(), AvailableCommandIds().end());
    const Case cases[] = {
        {"every command",
         all,
         {"&File", "&View", "&Option", "&Help"},
         {"&File", "&Edit", "&View", "&Tool", "&Color", "&Image", "&Number", "Co&mmand", "&Option",
          "&Window", "&Help"}},
        {"the commands of today",
         now,
         {"&File", "&View", "&Option", "&Help"},
         {"&File", "&Edit", "&View", "&Tool", "&Color", "&Image", "&Number", "Co&mmand", "&Option",
          "&Window", "&Help"}},
        {"a few",
         {cmd::FileNew, cmd::Undo, cmd::InsertLine},
         {"&File"},
         {"&File", "&Edit", "&Number"}},
    };
    for (const Case& c : cases) {
        CommandWindow w(c.ids);
        CMenuBuilder builder(w.table, &w.window);
        const std::vector<QMenu*> menus128 = builder.Build(MainMenu128());
        const std::vector<QMenu*> menus129 = builder.Build(MainMenu129());
        EXPECT_EQ(Titles(menus128), c.menu128) << c.name;
        EXPECT_EQ(Titles(menus129), c.menu129) << c.name;
        for (QMenu* menu : menus129)
            ExpectTidy(menu, QString::fromLatin1(c.name) + ":" + menu->title());
        // Both File menus and the Open button's pop-up take the recent files.
        EXPECT_EQ(builder.RecentFileMenus().size(), 2u) << c.name;
    }
}

}  // namespace
}  // namespace tessemar
