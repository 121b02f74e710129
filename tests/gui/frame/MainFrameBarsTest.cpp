#include "MainFrameFixture.h"

#include "gui/commands/CommandDefs.h"
#include "gui/commands/CommandWindow.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/CHelpWindow.h"
#include "gui/frame/ColorBars.h"
#include "gui/frame/StatusPanes.h"
#include "gui/frame/ToolBarLayout.h"
#include "gui/frame/ToolBarSet.h"
#include "gui/images/CWallpaperPainter.h"
#include "support/ModalDialog.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QEnterEvent>
#include <QGridLayout>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

class MainFrameBarsTest : public test::MainFrameFixture {
  public:
    bool Checked(int id) {
        Frame().Commands().UpdateAll();
        return Frame().Commands().Action(id)->isChecked();
    }
    QToolBar* Full() { return Frame().ToolBar(kToolBarFullColor); }
    QToolBar* Simple() { return Frame().ToolBar(kToolBarSimpleColor); }
    CColorSwatch* Swatch(int i) { return Frame().ColorBars().Swatch(i); }
};

// The first start shows the colour bar the settings chose (the full one is the layout test's
// initial layout).
TEST_F(MainFrameBarsTest, FirstStartLaysTheToolBarsOutWithTheChosenColourBarShown) {
    settings_.fullColorBar = 0;
    Frame().show();
    EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar(kToolBarStandard)), Qt::TopToolBarArea);
    EXPECT_EQ(Frame().toolBarArea(Simple()), Qt::LeftToolBarArea);
    EXPECT_TRUE(Simple()->isVisible());
    EXPECT_FALSE(Full()->isVisible());
}

TEST_F(MainFrameBarsTest, ToggleCommandsShowAndHideTheirBarWithACheckMark) {
    Frame().show();
    for (auto [command, bar] : {std::pair{cmd::ViewStandardBar, kToolBarStandard},
                                std::pair{cmd::ViewColorBar, kToolBarFullColor}}) {
        for (bool shown : {false, true}) {
            EXPECT_TRUE(Frame().Commands().Execute(command));
            EXPECT_EQ(Frame().ToolBar(bar)->isVisible(), shown) << command;
            EXPECT_EQ(Checked(command), shown) << command;
        }
    }
}

TEST_F(MainFrameBarsTest, SwitchingTheColourBarKeepsWhetherItIsShown) {
    for (bool shown : {true, false}) {
        settings_.fullColorBar = 1;
        frame_.reset();
        Frame().show();
        if (!shown)
            Frame().Commands().Execute(cmd::ViewColorBar);
        EXPECT_TRUE(Frame().Commands().Execute(cmd::SimpleColorBar));
        EXPECT_EQ(settings_.fullColorBar, 0);
        EXPECT_EQ(Simple()->isVisible(), shown);
        EXPECT_FALSE(Full()->isVisible());
        EXPECT_TRUE(Checked(cmd::SimpleColorBar));
        EXPECT_EQ(Checked(cmd::ViewColorBar), shown);
        // Choosing the bar already chosen changes nothing.
        EXPECT_TRUE(Frame().Commands().Execute(cmd::SimpleColorBar));
        EXPECT_EQ(Simple()->isVisible(), shown);

        EXPECT_TRUE(Frame().Commands().Execute(cmd::FullColorBar));
        EXPECT_EQ(settings_.fullColorBar, 1);
        EXPECT_EQ(Full()->isVisible(), shown);
        EXPECT_FALSE(Simple()->isVisible());
    }
}

TEST_F(MainFrameBarsTest, TheLayoutComesBackOnlyForTheSameVersion) {
    Frame().show();
    Frame().Commands().Execute(cmd::ViewStandardBar);
    Frame().addToolBar(Qt::RightToolBarArea, Full());
    ASSERT_TRUE(Frame().close());

    frame_.reset();
    Frame().show();
    EXPECT_FALSE(Frame().ToolBar(kToolBarStandard)->isVisible());
    EXPECT_EQ(Frame().toolBarArea(Full()), Qt::RightToolBarArea);
    EXPECT_FALSE(Checked(cmd::ViewStandardBar));

    // Another version's layout, or a damaged one, gives the initial layout.
    const std::tuple<const char*, const char*, const char*> others[] = {
        {"Info", "Version", "0.01/00.0000"}, {kToolBarStateSection, "Layout", "bm90IGEgbGF5b3V0"}};
    for (auto [section, key, value] : others) {
        WriteVersionStamp(ini_);
        ini_.WriteString(section, key, value);
        frame_.reset();
        Frame().show();
        EXPECT_TRUE(Frame().ToolBar(kToolBarStandard)->isVisible()) << key;
        EXPECT_EQ(Frame().toolBarArea(Full()), Qt::LeftToolBarArea) << key;
    }
}

TEST_F(MainFrameBarsTest, ClickingASwatchChoosesItsColour) {
    docs_.OnFileNew();
    Frame().show();
    for (int i : {2, 7, 0}) {
        QTest::mouseClick(Swatch(i), Qt::LeftButton);
        EXPECT_EQ(settings_.color, i + 1);
        EXPECT_TRUE(Checked(cmd::FirstColor + i));
    }
    // A press that ends outside the swatch is no click.
    QTest::mousePress(Swatch(4), Qt::LeftButton);
    QTest::mouseRelease(Swatch(4), Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(settings_.color, 1);
}

// Without a document the swatches show the button face and ignore clicks; with one they show
// the active document's colours.
TEST_F(MainFrameBarsTest, ColourDisplaysFollowTheActiveDocument) {
    settings_.color = 2;
    Frame().show();
    const ColorRef face = CColorBars::ButtonFace();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Swatch(i)->Color(), face);
        EXPECT_EQ(Swatch(i)->Shadow(), ShadowOf(face));
        EXPECT_FALSE(Swatch(i)->Active());
    }
    QTest::mouseClick(Swatch(5), Qt::LeftButton);
    EXPECT_EQ(settings_.color, 2);
    EXPECT_EQ(Frame().ColorBars().CurrentColorPainter().Color1(), face);

    CLogicDoc* plain = docs_.OnFileNew();
    CLogicDoc* painted = docs_.OnFileNew();
    ColorTable colors = kDefaultColors, shadows = kDefaultShadowColors;
    for (std::size_t i = 1; i <= 8; ++i) {
        colors[i] = MakeColorRef(10 * static_cast<int>(i), 20, 30);
        shadows[i] = MakeColorRef(5, 5 * static_cast<int>(i), 5);
    }
    // A colour change of the active document shows at once.
    painted->SetColorTables(colors, shadows);
    const auto expectColours = [this](const CLogicDoc* doc, const char* name) {
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(Swatch(i)->Color(), doc->Model().colors[i + 1]) << name << i;
            EXPECT_EQ(Swatch(i)->Shadow(), doc->Model().shadowColors[i + 1]) << name << i;
            EXPECT_TRUE(Swatch(i)->Active());
        }
        EXPECT_EQ(Frame().ColorBars().CurrentColorPainter().Color1(), doc->Model().colors[2])
            << name;
    };
    expectColours(painted, "painted");
    Frame().DocumentArea()->setActiveSubWindow(Frame().FrameOf(plain));
    expectColours(plain, "plain");
}

TEST_F(MainFrameBarsTest, HoveringASwatchNamesItsColourInTheStatusBar) {
    Frame().show();
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(Swatch(2), &enter);
    EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneMessage), "Color 3");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Swatch(2), &leave);
    EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneMessage), " ");
}

TEST_F(MainFrameBarsTest, ColourPopUpListsTheColoursInItsGridOrder) {
    // Filled column by column in the order 1, 4, 7, 2, 5, 8, 3, 6, the rows read 1 2 3 ...
    auto* grid = Frame().ColorBars().ColorPopup()->findChild<QWidget*>("colorGrid");
    ASSERT_NE(grid, nullptr);
    auto* layout = qobject_cast<QGridLayout*>(grid->layout());
    ASSERT_NE(layout, nullptr);
    for (int colour = 1; colour <= 8; ++colour) {
        auto* cell = grid->findChild<QToolButton*>(QStringLiteral("colorCell%1").arg(colour));
        ASSERT_NE(cell, nullptr) << colour;
        EXPECT_EQ(cell->defaultAction(), Frame().Commands().Action(cmd::FirstColor + colour - 1));
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        layout->getItemPosition(layout->indexOf(cell), &row, &column, &rowSpan, &columnSpan);
        EXPECT_EQ(row, (colour - 1) / 3) << colour;
        EXPECT_EQ(column, (colour - 1) % 3) << colour;
    }
    // Choose color opens it under the simple bar's button, whose arrow opens it too.
    settings_.fullColorBar = 0;
    frame_.reset();
    Frame().show();
    QToolButton* button = qobject_cast<QToolButton*>(
        Simple()->widgetForAction(Frame().Commands().Action(cmd::ChooseColor)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->menu(), Frame().ColorBars().ColorPopup());
    EXPECT_EQ(Frame().ColorBars().CurrentColorWindow()->parentWidget(), button);
    EXPECT_TRUE(Frame().Commands().Execute(cmd::ChooseColor));
    EXPECT_TRUE(Frame().ColorBars().ColorPopup()->isVisible());
    Frame().ColorBars().ColorPopup()->hide();
}

TEST_F(MainFrameBarsTest, OpenButtonOffersTheRecentFilesFromItsArrow) {
    recent_.Add(dir_.File("earlier.tsd"));
    QAction* open = Frame().Commands().Action(cmd::FileOpen);
    auto* button =
        qobject_cast<QToolButton*>(Frame().ToolBar(kToolBarStandard)->widgetForAction(open));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(button->menu(), nullptr);
    emit button->menu()->aboutToShow();
    QStringList entries;
    for (QAction* action : button->menu()->actions()) {
        if (action->data().toInt() == cmd::FirstRecentFile)
            entries.push_back(action->text());
    }
    EXPECT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries.value(0).endsWith("earlier.tsd")) << entries.value(0).toStdString();
}

TEST_F(MainFrameBarsTest, SolverProgressAndAnimationInTheMessagePane) {
    Frame().show();
    CStatusPanes& panes = Frame().StatusPanes();
    QProgressBar* progress = panes.Progress();
    panes.ShowSolverProgress();
    EXPECT_TRUE(progress->isVisible());
    panes.SetSolverProgress(40, "Calculating...   40 /  100   40%");
    EXPECT_EQ(progress->value(), 40);
    EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneMessage), "Calculating...   40 /  100   40%");

    panes.StartSolverAnimation();
    // A prompt shown in between gives way to the progress at the next frame.
    Frame().SetPaneText(CStatusPanes::kPaneMessage, "Create a new document");
    panes.StepAnimation();
    panes.StepAnimation();
    EXPECT_EQ(panes.IconName(), "solver-busy-2");
    EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneMessage), "Calculating...   40 /  100   40%");
    // The timer turns the frames by itself.
    QTest::qWait(3 * CStatusPanes::kAnimationMs);
    EXPECT_NE(panes.AnimationFrame(), 0);
    panes.StopSolverAnimation();
    panes.HideSolverProgress();
    EXPECT_FALSE(progress->isVisible());

    panes.SetSolverIcon(SolverStatusDisplay::Icon::Stopped);
    EXPECT_EQ(panes.IconName(), "solver-stopped");
    panes.SetSolverIcon(SolverStatusDisplay::Icon::None);
    EXPECT_FALSE(panes.HasIcon());
}

TEST_F(MainFrameBarsTest, ContextMenuOfTheFrameIsTheViewMenu) {
    Frame().show();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(200, 200),
                            Frame().mapToGlobal(QPoint(200, 200)));
    QApplication::sendEvent(&Frame(), &event);
    QMenu* view = Frame().ViewMenu();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    view->hide();
}

// F1 reaching Help is the accelerator table's test.
TEST_F(MainFrameBarsTest, HelpOpensTheManualOverTheFrame) {
    Frame().show();
    EXPECT_TRUE(Frame().Commands().Execute(cmd::Help));
    auto* help = Frame().findChild<CHelpWindow*>();
    ASSERT_NE(help, nullptr);
    help->close();
}

TEST_F(MainFrameBarsTest, PageSetupStartsFromTheStoredMarginsAndStoresThemBack) {
    settings_.marginLeft = 1250;
    settings_.marginTop = 1000;
    settings_.marginRight = 1700;
    settings_.marginBottom = 900;
    // The user widens the left margin in the dialog, then cancels or confirms.
    for (bool accept : {false, true}) {
        bool edited = false;
        test::WhenShown<QDialog>([accept, &edited](QDialog& dialog) {
            if (auto* left = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"))) {
                left->setValue(left->value() * 2);
                edited = true;
            }
            accept ? dialog.accept() : dialog.reject();
        });
        EXPECT_TRUE(Frame().Commands().Execute(cmd::PageSetup));
        ASSERT_TRUE(edited);
        EXPECT_NEAR(settings_.marginLeft, accept ? 2500 : 1250, 1);
        EXPECT_EQ(settings_.marginTop, 1000);
        EXPECT_EQ(settings_.marginRight, 1700);
        EXPECT_EQ(settings_.marginBottom, 900);
    }
}

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
