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

// Every key of every command reaches that command, so no two commands share a key. A symbol
// typed with Shift, as a US keyboard types "<" and ">", and the keypad's Enter count too.
TEST(CommandDefsTest, EveryKeyOfTheAcceleratorTableReachesItsCommand) {
    struct Press {
        QKeyCombination key;
        int command;
    };
    std::vector<Press> presses = {
        {Qt::SHIFT | Qt::Key_Less, cmd::TurnLeft90},
        {Qt::SHIFT | Qt::Key_Greater, cmd::TurnRight90},
        {QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter), cmd::SetSelect},
    };
    for (const CommandDef& def : CommandDefs()) {
        for (const QKeySequence& keys : def.keys)
            presses.push_back({keys[0], def.id});
    }
    CommandWindow w(AllIds());
    w.window.show();
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    for (const Press& p : presses) {
        w.target.received.clear();
        // Without a text: keys such as Cancel have none, and the shortcuts go by key alone.
        QTest::sendKeyEvent(QTest::Click, &w.window, p.key.key(), QString(),
                            p.key.keyboardModifiers());
        EXPECT_EQ(w.target.received, std::vector<int>{p.command})
            << QKeySequence(p.key).toString().toStdString();
    }
}

// The string table refuses to compile a string without both languages; what is checked here is
// that the ids exist.
TEST(CommandDefsTest, EveryCommandHasItsTexts) {
    const auto exists = [](unsigned id) {
        return !text::LoadString(id, text::Language::English).empty();
    };
    for (const CommandDef& def : CommandDefs()) {
        EXPECT_TRUE(exists(def.textId)) << def.id;
        EXPECT_TRUE(exists(static_cast<unsigned>(def.id))) << def.id;
    }
    for (const ToolBarDef& bar : ToolBarDefs())
        EXPECT_TRUE(exists(bar.titleId)) << bar.resource;
    for (const auto& menu : {MainMenu128(), MainMenu129()}) {
        for (const MenuEntry& entry : menu) {
            if (entry.kind == MenuEntry::Popup) {
                EXPECT_TRUE(exists(static_cast<unsigned>(entry.value))) << entry.value;
            }
            if (entry.kind == MenuEntry::Command) {
                EXPECT_NE(FindCommandDef(entry.value), nullptr) << entry.value;
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
    const std::vector<int> now(AvailableCommandIds().begin(), AvailableCommandIds().end());
    const QStringList full128{"&File", "&View", "&Option", "&Help"};
    const QStringList full129{"&File",   "&Edit",    "&View",   "&Tool",   "&Color", "&Image",
                              "&Number", "Co&mmand", "&Option", "&Window", "&Help"};
    const Case cases[] = {
        {"the commands of today", now, full128, full129},
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
    }
}

}  // namespace
}  // namespace tessemar
