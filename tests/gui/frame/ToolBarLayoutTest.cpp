#include "gui/frame/ToolBarLayout.h"

#include "core/settings/AppSettings.h"
#include "support/TempDir.h"

#include <QMainWindow>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace tessemar {
namespace {

// A window with two toolbars, as the frame lays them out first.
struct Window {
    QMainWindow window;
    QToolBar* standard;
    QToolBar* tool;
    Window() {
        standard = window.addToolBar(QStringLiteral("Standard"));
        standard->setObjectName(QStringLiteral("128"));
        tool = new QToolBar(QStringLiteral("Tool"), &window);
        tool->setObjectName(QStringLiteral("144"));
        window.addToolBar(Qt::LeftToolBarArea, tool);
        window.show();
    }
};

class ToolBarLayoutTest : public ::testing::Test {
  protected:
    // Rearranged by the user: Tool moved to the top, Standard hidden.
    void StoreRearrangedLayout() {
        Window before;
        before.window.addToolBar(Qt::TopToolBarArea, before.tool);
        before.standard->hide();
        WriteToolBarState(ini_, before.window);
    }

    TempDir dir_;
    IniFile ini_{dir_.File("Tessemar.INI")};
};

TEST_F(ToolBarLayoutTest, TheSameVersionGetsTheSavedLayoutBack) {
    WriteVersionStamp(ini_);
    StoreRearrangedLayout();
    Window after;
    EXPECT_TRUE(RestoreToolBarState(ini_, after.window));
    EXPECT_FALSE(after.standard->isVisible());
    EXPECT_EQ(after.window.toolBarArea(after.tool), Qt::TopToolBarArea);
}

TEST_F(ToolBarLayoutTest, AnotherVersionKeepsTheInitialLayout) {
    ini_.WriteString("Info", "Version", "0.01/00.0000");
    StoreRearrangedLayout();
    Window after;
    EXPECT_FALSE(RestoreToolBarState(ini_, after.window));
    EXPECT_TRUE(after.standard->isVisible());
    EXPECT_EQ(after.window.toolBarArea(after.tool), Qt::LeftToolBarArea);
}

TEST_F(ToolBarLayoutTest, ADamagedOrMissingLayoutKeepsTheInitialLayout) {
    WriteVersionStamp(ini_);
    Window missing;
    EXPECT_FALSE(RestoreToolBarState(ini_, missing.window));
    ini_.WriteString(kToolBarStateSection, "Layout", "bm90IGEgbGF5b3V0");
    Window damaged;
    EXPECT_FALSE(RestoreToolBarState(ini_, damaged.window));
    EXPECT_TRUE(damaged.standard->isVisible());
    EXPECT_EQ(damaged.window.toolBarArea(damaged.tool), Qt::LeftToolBarArea);
}

}  // namespace
}  // namespace tessemar
