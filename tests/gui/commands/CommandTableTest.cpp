#include "gui/commands/CommandTable.h"

#include "core/text/StringTable.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tessemar {
namespace {

// A link of the route that records what reached it.
class RecordingTarget : public CommandTarget {
  public:
    std::map<int, CommandState> states;  // the commands it handles, with their state
    std::vector<int> received;

    bool HandlesCommand(int id) const override { return states.count(id) != 0; }
    void OnCommand(int id) override { received.push_back(id); }
    void OnUpdateCommand(int id, CommandState& state) override { state = states.at(id); }
};

constexpr int kCommand = 57600;

TEST(CommandTableTest, TheFirstTargetOnTheRouteThatHandlesACommandGetsIt) {
    struct Case {
        const char* name;
        bool viewHandles, frameHandles, appHandles;
        int expected;  // 0 view, 1 frame, 2 application, -1 nobody
    };
    const Case cases[] = {
        {"all", true, true, true, 0},           {"frame and application", false, true, true, 1},
        {"application", false, false, true, 2}, {"nobody", false, false, false, -1},
    };
    for (const Case& c : cases) {
        QWidget window;
        RecordingTarget targets[3];
        const bool handles[3] = {c.viewHandles, c.frameHandles, c.appHandles};
        for (int i = 0; i < 3; ++i) {
            if (handles[i])
                targets[i].states[kCommand] = {};
        }
        CCommandTable table(&window, [&targets] {
            return std::vector<CommandTarget*>{&targets[0], &targets[1], &targets[2]};
        });
        table.Add({kCommand, text::IdsMenuFileNew, {}});
        EXPECT_EQ(table.Execute(kCommand), c.expected >= 0) << c.name;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(targets[i].received.size(), i == c.expected ? 1u : 0u)
                << c.name << " target " << i;
        // Nobody to carry it out: the menu item shows it disabled.
        EXPECT_EQ(table.Action(kCommand)->isEnabled(), c.expected >= 0) << c.name;
    }
}

TEST(CommandTableTest, UpdateFunctionSetsEnabledAndCheckedWhenTheMenuOpens) {
    QWidget window;
    RecordingTarget frame;
    frame.states[kCommand] = {true, false};
    CCommandTable table(&window, [&frame] { return std::vector<CommandTarget*>{nullptr, &frame}; });
    QAction* action = table.Add({kCommand, text::IdsMenuFileNew, {}, true});
    QMenu menu;
    menu.addAction(action);
    table.WatchMenu(&menu);
    frame.states[kCommand] = {true, true};
    emit menu.aboutToShow();
    EXPECT_TRUE(action->isChecked());

    frame.states[kCommand] = {false, false};
    emit menu.aboutToShow();
    EXPECT_FALSE(action->isEnabled());
    // A disabled command does not run, even when asked directly (by a shortcut of another
    // window, say) before the next update.
    action->setEnabled(true);
    EXPECT_FALSE(table.Execute(kCommand));
    EXPECT_TRUE(frame.received.empty());
}

// The shortcuts are the command definitions' test, which presses every key.
TEST(CommandTableTest, ActionCarriesTextWithoutTheTabPartAndPrompt) {
    text::SetLanguage(text::Language::English);
    QWidget window;
    RecordingTarget app;
    app.states[kCommand] = {};
    CCommandTable table(&window, [&app] { return std::vector<CommandTarget*>{&app}; });
    QAction* action = table.Add({kCommand, text::IdsMenuFileNew, {}});
    EXPECT_EQ(action->text(), "&New");
    EXPECT_EQ(action->statusTip(), "Create a new document");
    action->trigger();
    EXPECT_EQ(app.received, std::vector<int>{kCommand});
}

TEST(CommandTableTest, ReplacingADynamicActionLeavesOneActionPerId) {
    QWidget window;
    RecordingTarget app;
    app.states[kCommand] = {};
    CCommandTable table(&window, [&app] { return std::vector<CommandTarget*>{&app}; });
    table.AddDynamic(kCommand, "old", text::IdsMenuFileNew);
    QAction* fresh = table.AddDynamic(kCommand, "new", text::IdsMenuFileNew);
    EXPECT_EQ(table.Action(kCommand), fresh);
    int count = 0;
    for (QAction* action : window.actions())
        count += action->data().toInt() == kCommand;
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace tessemar
