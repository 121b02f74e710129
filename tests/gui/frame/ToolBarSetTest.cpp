#include "gui/frame/ToolBarSet.h"

#include "gui/commands/CommandWindow.h"

#include <QToolBar>

#include <gtest/gtest.h>

#include <set>

namespace tessemar {
namespace {

TEST(ToolBarSetTest, ToolBarsWithoutButtonsAreLeftOutWithTheirToggles) {
    struct Case {
        const char* name;
        std::vector<int> ids;
        std::set<int> bars;
    };
    const Case cases[] = {
        {"every command",
         AllIds(),
         {kToolBarStandard, kToolBarTool, kToolBarImage, kToolBarNumber, kToolBarOption,
          kToolBarCommand, kToolBarSimpleColor, kToolBarFullColor}},
        {"only Undo and Solve",
         {cmd::Undo, cmd::Solve, cmd::ViewStandardBar, cmd::ViewToolBar, cmd::ViewCommandBar},
         {kToolBarStandard, kToolBarCommand}},
    };
    for (const Case& c : cases) {
        CommandWindow w(c.ids);
        CToolBarSet bars(w.window, w.table, {});
        for (const ToolBarDef& def : ToolBarDefs()) {
            QToolBar* bar = bars.Bar(def.resource);
            EXPECT_EQ(bar != nullptr, c.bars.count(def.resource) == 1) << c.name << def.resource;
            if (bar)
                ExpectNoStraySeparators(bar->actions(), QString::number(def.resource));
        }
        EXPECT_EQ(w.table.Action(cmd::ViewToolBar) != nullptr, c.bars.count(kToolBarTool) == 1)
            << c.name;
    }
}

}  // namespace
}  // namespace tessemar
