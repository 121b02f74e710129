#include "gui/frame/CMainFrame.h"

#include "MainFrameFixture.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/StatusPanes.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/output/CPrintPreviewDialog.h"
#include "gui/output/CTextPreviewDialog.h"
#include "support/ModalDialog.h"
#include "core/document/PropertyReport.h"
#include "render/SheetExport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using Answer = Prompter::Answer;

class CMainFrameTest : public test::MainFrameFixture {
  protected:
    QStringList MenuTitles() {
        QStringList titles;
        for (QAction* action : Frame().menuBar()->actions())
            titles.push_back(action->text());
        return titles;
    }

    // Saves a new document under name and closes it, leaving it in the recent-file list.
    std::string SavedDocument(const std::string& name) {
        CLogicDoc* doc = docs_.OnFileNew();
        const std::string path = dir_.File(name);
        prompter_.files.push_back(Q(path));
        EXPECT_TRUE(docs_.SaveDocumentAs(*doc));
        EXPECT_TRUE(docs_.CloseDocument(*doc));
        return path;
    }
};

// The sheet and the preview leave as bitmap files, or PNG or PDF by the extension; a failed write
// names the file and the frame goes on.
TEST_F(CMainFrameTest, SavingTheSheetAndThePreviewAsPictures) {
    CLogicDoc* doc = docs_.OnFileNew();
    ASSERT_TRUE(doc->ChangeSize(20, 10, 17, 1));
    doc->WriteCell(3, 2, 4);
    const std::string sheet = dir_.File("sheet.bmp");
    const std::string preview = dir_.File("preview.png");
    const std::string pdf = dir_.File("sheet.pdf");
    prompter_.files = {Q(sheet), Q(preview), Q(pdf), Q(dir_.Path())};
    ASSERT_TRUE(Frame().Commands().Execute(cmd::SaveBitmap));
    EXPECT_EQ(prompter_.requests.back().path, "Logic1");
    const QImage saved(Q(sheet));
    const LayoutStyle style(doc->Model(), {});
    EXPECT_EQ(saved.size(), RenderSheet(doc->Model(), style, settings_.cutBlankNum != 0).size());
    ASSERT_TRUE(Frame().Commands().Execute(cmd::SavePreview));
    const QImage pixels(Q(preview));
    ASSERT_EQ(pixels.size(), QSize(20, 10));
    EXPECT_EQ(pixels.pixelColor(3, 2), QColor(ToQRgb(doc->Model().colors[4])));
    ASSERT_TRUE(Frame().Commands().Execute(cmd::SaveBitmap));
    QFile written(Q(pdf));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().count("/Type /Page\n"), 1) << "the sheet is one page";
    ASSERT_TRUE(Frame().Commands().Execute(cmd::SaveBitmap));  // a folder is no file
    ASSERT_EQ(prompter_.errors.size(), 1u);
    EXPECT_TRUE(prompter_.errors.front().contains(Q(dir_.Path()))) << prompter_.errors.front().toStdString();
}

// Printing shows the picture as the user sees it: a floating fragment goes down first.
TEST_F(CMainFrameTest, PrintPreviewDropsAFloatingFragmentFirst) {
    CLogicDoc* doc = docs_.OnFileNew();
    doc->WriteCell(3, 2, 4);
    ASSERT_TRUE(doc->LiftSelection(3, 2, 3, 2, settings_.backDrawMode));
    ASSERT_EQ(doc->Cell(3, 2), 0);
    test::WhenShown<CPrintPreviewDialog>([](CPrintPreviewDialog& preview) { preview.reject(); });
    ASSERT_TRUE(Frame().Commands().Execute(cmd::FilePrintPreview));
    EXPECT_FALSE(doc->HasFloatingSelection());
    EXPECT_EQ(doc->Cell(3, 2), 4);
}

// The property report opens in a report window of its own and the frame goes on working.
TEST_F(CMainFrameTest, PropertyShowsTheReportOfTheActiveDocument) {
    CLogicDoc* doc = docs_.OnFileNew();
    doc->WriteCell(0, 0, 3);
    ASSERT_TRUE(Frame().Commands().Execute(cmd::Property));
    auto* window = Frame().findChild<CTextPreviewDialog*>(QStringLiteral("property"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Property - Logic1");
    EXPECT_EQ(window->Text(), BuildPropertyReport(*doc, text::Language::English));
    window->close();
}

TEST_F(CMainFrameTest, DocumentCommandsAreEnabledOnlyWithAnActiveDocument) {
    struct Case {
        int id;
        bool withoutDocument;
        bool withDocument;
    };
    const Case cases[] = {
        {cmd::FileNew, true, true},
        {cmd::FileClose, false, true},
        {cmd::WindowCascade, false, true},
        {cmd::ClearRecentFile, false, false},  // the list is empty
    };
    CCommandTable& commands = Frame().Commands();
    commands.UpdateAll();
    for (const Case& c : cases)
        EXPECT_EQ(commands.Action(c.id)->isEnabled(), c.withoutDocument) << c.id;
    docs_.OnFileNew();
    commands.UpdateAll();
    for (const Case& c : cases)
        EXPECT_EQ(commands.Action(c.id)->isEnabled(), c.withDocument) << c.id;
}

// A link of the route that takes one command for itself.
class TakingTarget : public CommandTarget {
  public:
    explicit TakingTarget(int id) : id_(id) {}
    int runs = 0;
    bool HandlesCommand(int id) const override { return id == id_; }
    void OnCommand(int) override { ++runs; }

  private:
    int id_;
};

// Added targets (a later feature's, the solver's) first, then the active window's view, then
// the document and the frame; without a document only the frame and the application.
TEST_F(CMainFrameTest, TheRouteAsksAddedTargetsThenTheActiveWindowsViewThenTheFrame) {
    TakingTarget extra(cmd::FileSave), view(cmd::FileClose);
    Frame().AddRouteTarget(&extra);
    EXPECT_FALSE(Frame().Commands().Execute(cmd::FileSave));
    CLogicDoc* first = docs_.OnFileNew();
    docs_.OnFileNew();
    Frame().FrameOf(first)->SetViewTarget(&view);
    EXPECT_TRUE(Frame().Commands().Execute(cmd::FileSave));
    EXPECT_EQ(extra.runs, 1);

    // The second window is active: its view (none) does not handle Close, the frame does.
    EXPECT_TRUE(Frame().Commands().Execute(cmd::FileClose));
    EXPECT_EQ(docs_.Documents().size(), 1u);
    Frame().DocumentArea()->setActiveSubWindow(Frame().FrameOf(first));
    EXPECT_TRUE(Frame().Commands().Execute(cmd::FileClose));
    EXPECT_EQ(view.runs, 1);
    EXPECT_EQ(docs_.Documents().size(), 1u);

    Frame().RemoveRouteTarget(&extra);
    prompter_.files.push_back(std::nullopt);
    EXPECT_TRUE(Frame().Commands().Execute(cmd::FileSave));
    EXPECT_EQ(extra.runs, 1);
}

// Menus whose commands all belong to features still to come are not shown (the English titles
// are the command tables' own test); the menu bar, the commands' tips and the toolbars follow
// the language, and the menu bar whether a document is open.
TEST_F(CMainFrameTest, MenusAndTextsFollowTheLanguageAndWhetherADocumentIsOpen) {
    const QStringList without{"ファイル(&F)", "表示(&V)", "オプション(&O)", "ヘルプ(&H)"};
    const QStringList with{"ファイル(&F)", "編集(&E)",     "表示(&V)",       "ツール(&T)", "色(&C)",
                           "画像(&I)",     "数字(&N)",     "コマンド(&M)",   "オプション(&O)", "ウィンドウ(&W)",
                           "ヘルプ(&H)"};
    text::SetLanguage(text::Language::Japanese);
    EXPECT_EQ(MenuTitles(), without);
    EXPECT_EQ(Frame().Commands().Action(cmd::FileNew)->toolTip(), "新規作成 (Ctrl+N)");
    EXPECT_EQ(Frame().ToolBar(kToolBarStandard)->windowTitle(), "標準");
    CLogicDoc* doc = docs_.OnFileNew();
    EXPECT_EQ(MenuTitles(), with);
    ASSERT_TRUE(docs_.CloseDocument(*doc));
    EXPECT_EQ(MenuTitles(), without);
}

// The undo pane follows the active document's history; a closed view leaves the panes blank.
TEST_F(CMainFrameTest, UndoPaneFollowsTheActiveDocumentsHistory) {
    CLogicDoc* doc = docs_.OnFileNew();
    // Announced by the document: no idle update is needed.
    const auto undoPane = [this] { return Frame().PaneText(CStatusPanes::kPaneUndo); };
    EXPECT_EQ(undoPane(), "0");
    doc->WriteCell(0, 0, 1);
    EXPECT_EQ(undoPane(), "1");
    doc->Undo(0);
    EXPECT_EQ(undoPane(), "0/1");
    prompter_.answers.push_back(Answer::No);
    ASSERT_TRUE(docs_.CloseDocument(*doc));
    EXPECT_EQ(undoPane(), " ");
    EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneCursor), " ");
}

TEST_F(CMainFrameTest, PaneZeroShowsThePromptsOfTheCommands) {
    QAction* save = Frame().Commands().Action(cmd::FileSaveAs);
    save->showStatusText(&Frame());
    EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneMessage),
              "Save the active document with a new name");
}

// Moving over the empty area and leaving the window clear the position panes.
TEST_F(CMainFrameTest, PositionPanesClearOverTheEmptyAreaAndOutsideTheWindow) {
    QWidget* viewport = Frame().DocumentArea()->viewport();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QEvent leave(QEvent::Leave);
    const std::pair<QWidget*, QEvent*> events[] = {{viewport, &move}, {&Frame(), &leave}};
    for (auto [target, event] : events) {
        Frame().SetPaneText(CStatusPanes::kPaneCursor, "3, 4");
        Frame().SetPaneText(CStatusPanes::kPaneCell, "Color 2");
        QCoreApplication::sendEvent(target, event);
        EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneCursor), " ");
        EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneCell), " ");
        EXPECT_EQ(Frame().PaneText(CStatusPanes::kPaneUndo), "0");
    }
}

// The first entry of the recent-file list opens the most recent file.
TEST_F(CMainFrameTest, RecentFileEntriesOpenTheirDocument) {
    SavedDocument("first.tsd");
    const std::string second = SavedDocument("second.tsd");
    emit Frame().FileMenu()->aboutToShow();
    Frame().Commands().Action(cmd::FirstRecentFile)->trigger();
    ASSERT_EQ(docs_.Documents().size(), 1u);
    EXPECT_EQ(docs_.Documents().front()->GetPathName(), second);
}

TEST_F(CMainFrameTest, WindowListActivatesTheChosenDocument) {
    CLogicDoc* first = docs_.OnFileNew();
    CLogicDoc* second = docs_.OnFileNew();
    ASSERT_EQ(Frame().ActiveDocument(), second);
    QMenu* windowMenu = nullptr;
    for (QAction* action : Frame().menuBar()->actions()) {
        if (action->text() == "&Window")
            windowMenu = action->menu();
    }
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QStringList labels;
    for (QAction* action : windowMenu->actions()) {
        if (action->data().toInt() >= cmd::FirstWindow)
            labels.push_back(action->text());
    }
    EXPECT_EQ(labels, QStringList({"&1 Logic1", "&2 Logic2"}));
    EXPECT_TRUE(Frame().Commands().Execute(cmd::FirstWindow));
    EXPECT_EQ(Frame().ActiveDocument(), first);
}

TEST_F(CMainFrameTest, EmptyAreaShowsTheWallpaperColour) {
    settings_.brush = CWallpaperPainter::ModeSimpleColor;
    settings_.wallpaperColor1 = MakeColorRef(12, 140, 200);
    Frame().resize(640, 480);
    Frame().show();
    docs_.OnFileNew();
    QWidget* viewport = Frame().DocumentArea()->viewport();
    const QImage image = viewport->grab().toImage();
    // A corner far from the cascaded document window.
    const QPoint corner(image.width() - 3, image.height() - 3);
    EXPECT_EQ(image.pixelColor(corner), QColor(12, 140, 200));
    // For people to look at: the main window with a document.
    Frame().grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/main-frame.png"));
}

// A document window remembers its size state for the next one, which opens maximized when the
// last one was; minimized is no reason to open the next one minimized. (The window list shows
// that a document window carries the document's title.)
TEST_F(CMainFrameTest, DocumentWindowsTakeTheLastSizeState) {
    settings_.lastChildState = 2;
    CChildFrame* first = Frame().FrameOf(docs_.OnFileNew());
    EXPECT_TRUE(first->isMaximized());
    first->showNormal();
    EXPECT_EQ(settings_.lastChildState, 0);
    first->showMaximized();
    EXPECT_EQ(settings_.lastChildState, 2);
    settings_.lastChildState = 1;
    frame_.reset();
    CChildFrame* restored = Frame().FrameOf(docs_.OnFileNew());
    EXPECT_FALSE(restored->isMaximized());
    EXPECT_FALSE(restored->isMinimized());
}

TEST_F(CMainFrameTest, ClosingWritesTheSettingsAndThePlacement) {
    settings_.tool = 3;
    Frame().setGeometry(40, 50, 500, 400);
    Frame().show();
    const QRect rect = Frame().normalGeometry();
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(ini_.GetInt("Settings", "Tool", -1), 3);
    EXPECT_EQ(ini_.GetInt("MainFrame", "Left", -1), rect.left());
    EXPECT_EQ(ini_.GetInt("MainFrame", "Top", -1), rect.top());
    EXPECT_EQ(ini_.GetInt("MainFrame", "Right", -1), rect.right() + 1);
    EXPECT_EQ(ini_.GetInt("MainFrame", "Bottom", -1), rect.bottom() + 1);
    EXPECT_EQ(ini_.GetInt("MainFrame", "Zoomed", -1), 0);
    EXPECT_EQ(settingsSavedCalls_, 1);

    // The next start shows the frame where it was.
    frame_.reset();
    Frame().ShowFirst();
    EXPECT_EQ(Frame().geometry(), rect);
}

// The next start maximizes when the frame was closed maximized.
TEST_F(CMainFrameTest, ClosingMaximizedOrMinimizedKeepsTheOldRectangle) {
    struct Case {
        const char* name;
        Qt::WindowState state;
        int zoomed;
    };
    const Case cases[] = {{"maximized", Qt::WindowMaximized, 1},
                          {"minimized", Qt::WindowMinimized, 0}};
    for (const Case& c : cases) {
        ini_.WriteInt("MainFrame", "Left", 11);
        ini_.WriteInt("MainFrame", "Right", 611);
        frame_.reset();
        Frame().setGeometry(100, 100, 300, 200);
        Frame().setWindowState(c.state);
        Frame().show();
        EXPECT_TRUE(Frame().close());
        EXPECT_EQ(ini_.GetInt("MainFrame", "Left", -1), 11) << c.name;
        EXPECT_EQ(ini_.GetInt("MainFrame", "Right", -1), 611) << c.name;
        EXPECT_EQ(ini_.GetInt("MainFrame", "Zoomed", -1), c.zoomed) << c.name;
        frame_.reset();
        Frame().ShowFirst();
        EXPECT_EQ(Frame().isMaximized(), c.zoomed == 1) << c.name;
    }
}

TEST_F(CMainFrameTest, FirstShowingCentresWithoutAStoredRectangle) {
    Frame().resize(300, 200);
    Frame().ShowFirst();
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    // The window manager may add its frame around the window after it is placed.
    EXPECT_LE((Frame().geometry().center() - desktop.center()).manhattanLength(), 8);
    EXPECT_EQ(Frame().size(), desktop.size() * 3 / 4);
}

}  // namespace
}  // namespace tessemar
