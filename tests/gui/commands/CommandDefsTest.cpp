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

struct Press {
    QKeyCombination key;
    int command;
};

// The program's shortcuts as the user knows them from the menus and the manual.
std::vector<Press> Shortcuts() {
    using namespace cmd;
    const auto ctrl = [](Qt::Key key) { return Qt::CTRL | key; };
    const auto ctrlAlt = [](Qt::Key key) { return Qt::CTRL | Qt::ALT | key; };
    // clang-format off
    std::vector<Press> shortcuts = {
        {ctrl(Qt::Key_1), ToolPen},          {ctrl(Qt::Key_2), ToolStraightLine},
        {ctrl(Qt::Key_3), ToolRectangle},    {ctrl(Qt::Key_4), ToolPaint},
        {ctrl(Qt::Key_5), ToolSelect},       {Qt::Key_Slash, Turn180},
        {Qt::Key_Less, TurnLeft90},          {Qt::Key_Greater, TurnRight90},
        {ctrl(Qt::Key_A), SelectAll},        {ctrl(Qt::Key_B), MirrorColor},
        {ctrl(Qt::Key_C), Copy},             {ctrl(Qt::Key_Insert), Copy},
        {ctrl(Qt::Key_G), MirrorVertically}, {ctrl(Qt::Key_H), MirrorHorizontally},
        {ctrlAlt(Qt::Key_H), Hint},          {ctrl(Qt::Key_N), FileNew},
        {ctrlAlt(Qt::Key_N), CalculateNumber}, {ctrl(Qt::Key_O), FileOpen},
        {ctrl(Qt::Key_P), FilePrint},        {ctrl(Qt::Key_S), FileSave},
        {ctrlAlt(Qt::Key_S), Solve},         {ctrlAlt(Qt::Key_U), CheckUniqueness},
        {ctrl(Qt::Key_V), Paste},            {Qt::SHIFT | Qt::Key_Insert, Paste},
        {ctrl(Qt::Key_X), Cut},              {Qt::SHIFT | Qt::Key_Delete, Cut},
        {ctrl(Qt::Key_Z), Undo},             {Qt::ALT | Qt::Key_Backspace, Undo},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Redo}, {ctrl(Qt::Key_Pause), Break},
        {ctrl(Qt::Key_Cancel), Break},       {Qt::Key_Escape, Break},
        {Qt::Key_Delete, ClearSelect},       {ctrl(Qt::Key_Delete), FormatPicture},
        {Qt::ALT | Qt::Key_Delete, FormatNumber}, {Qt::Key_F2, Title},
        {ctrl(Qt::Key_Return), SetSelect},   {ctrl(Qt::Key_Enter), SetSelect},
        {Qt::Key_F1, Help},
    };
    // clang-format on
    for (int i = 0; i < 8; ++i)
        shortcuts.push_back({Qt::ALT | Qt::Key(Qt::Key_1 + i), FirstColor + i});
    return shortcuts;
}

// The command table binds exactly the known shortcuts, and every one of them reaches its
// command, so no two commands share a key. A symbol typed with Shift, as a US keyboard types
// "<" and ">", and the keypad's Enter work too.
TEST(CommandDefsTest, EveryKeyOfTheAcceleratorTableReachesItsCommand) {
    std::vector<Press> presses = Shortcuts();
    std::set<std::pair<int, int>> known, bound;
    for (const Press& p : presses)
        known.insert({p.key.toCombined(), p.command});
    for (const CommandDef& def : CommandDefs()) {
        for (const QKeySequence& keys : def.keys)
            bound.insert({keys[0].toCombined(), def.id});
    }
    EXPECT_EQ(bound, known);
    presses.push_back({Qt::SHIFT | Qt::Key_Less, cmd::TurnLeft90});
    presses.push_back({Qt::SHIFT | Qt::Key_Greater, cmd::TurnRight90});
    presses.push_back(
        {QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter), cmd::SetSelect});
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
