#include "gui/app/AppTestSupport.h"
#include "gui/app/CLogicApp.h"
#include "gui/commands/CommandDefs.h"
#include "gui/commands/CommandWindow.h"
#include "gui/commands/CommandIds.h"
#include "gui/frame/CMainFrame.h"
#include "gui/frame/ColorBars.h"
#include "gui/frame/ToolBarSet.h"
#include "gui/dialogs/CAboutDialog.h"
#include "gui/dialogs/CColorSettingsDialog.h"
#include "gui/dialogs/COptionSheet.h"
#include "gui/dialogs/CSizeDialog.h"
#include "gui/frame/QtTranslation.h"
#include "support/ModalDialog.h"

#include <QApplication>
#include <QFontDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QTranslator>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

#include <memory>

namespace tessemar {
namespace {

// Whether X sends the keys to the window: Qt's own idea of the active window may differ after a
// dialog has closed on a display without a window manager.
bool HasXKeyboard(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    xcb_get_input_focus_reply_t* reply =
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const bool focused = reply != nullptr && reply->focus == window.winId();
    std::free(reply);
    return focused;
}

// Starts the program with a colour puzzle on a real (virtual) X display and saves pictures of
// the main window into the build folder, for people to look at: the toolbars, the colour bars,
// the status bar and the document window as a user sees them.
TEST(ScreenshotTest, MainWindowWithAPuzzle) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (run by the screenshot test under Xvfb)";
    QApplication::setQuitOnLastWindowClosed(false);
    TempDir dir;
    ScriptedPrompter prompter;
    CLogicApp app(TestAppOptions(dir));
    const QString puzzle =
        QStringLiteral(TESSEMAR_PUZZLES_DIR "/colour/C14-rand-15x15-c3-multi.xml");
    ASSERT_TRUE(app.InitInstance({puzzle}));
    CMainFrame* frame = app.MainFrame();
    ASSERT_NE(frame, nullptr);
    frame->setGeometry(40, 40, 1100, 720);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    // Shortcuts work from the start, and again after a dialog, also on a display without a
    // window manager.
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
    test::WhenShown<CAboutDialog>([](CAboutDialog& about) {
        EXPECT_TRUE(QTest::qWaitFor([&about] { return HasXKeyboard(about); }));
        about.reject();
    });
    ASSERT_TRUE(frame->Commands().Execute(cmd::About));
    EXPECT_TRUE(QTest::qWaitFor([frame] { return HasXKeyboard(*frame); }));
    QTest::qWait(500);
    const QImage full = frame->grab().toImage();
    ASSERT_FALSE(full.isNull());
    EXPECT_TRUE(full.save(QStringLiteral(QT_TESTCASE_BUILDDIR "/main-window.png")));

    // The menus with their icons, check marks and colour cells.
    int position = 0;
    for (QMenu* menu : frame->Menus(129)) {
        menu->popup(frame->mapToGlobal(QPoint(60, 40)));
        QTest::qWait(200);
        EXPECT_TRUE(
            menu->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/menu-%1.png").arg(++position)));
        menu->hide();
    }

    frame->Commands().Execute(cmd::SimpleColorBar);
    QTest::qWait(300);
    const QImage simple = frame->grab().toImage();
    EXPECT_TRUE(
        simple.save(QStringLiteral(QT_TESTCASE_BUILDDIR "/main-window-simple-colour-bar.png")));

    // The colour pop-up of the simple bar's button.
    frame->Commands().Execute(cmd::ChooseColor);
    QTest::qWait(300);
    EXPECT_TRUE(frame->ColorBars().ColorPopup()->grab().save(
        QStringLiteral(QT_TESTCASE_BUILDDIR "/colour-pop-up.png")));
    frame->ColorBars().ColorPopup()->hide();
}

// Every toolbar as it will look once every command is there, with both colour bars shown.
TEST(ScreenshotTest, EveryToolBar) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (run by the screenshot test under Xvfb)";
    // Every command enabled, as a document window would offer them.
    CommandWindow commands(AllIds());
    QMainWindow& window = commands.window;
    CCommandTable& table = commands.table;
    AppSettings settings;
    CColorBars colorBars(window, table, settings, [] { return nullptr; }, {});
    CToolBarSet toolBars(window, table, [&colorBars](int id, QToolBar* bar) {
        return colorBars.MakeSwatch(id, bar);
    });
    colorBars.Attach(toolBars);
    toolBars.LayOutInitially(true);
    toolBars.Bar(kToolBarSimpleColor)->show();
    auto* area = new QWidget(&window);
    area->setMinimumSize(400, 300);
    window.setCentralWidget(area);
    window.resize(1000, 560);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);
    EXPECT_TRUE(window.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/every-toolbar.png")));
}

// Saves a picture of a dialog once it is shown and laid out.
void SaveDialog(QWidget& dialog, const QString& name) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::qWait(200);
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/%1.png").arg(name)));
    dialog.hide();
}

// The option sheet's six pages, the size, colour and font dialogs and the About box, in both
// languages.
TEST(ScreenshotTest, OptionPagesAndDialogs) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (run by the screenshot test under Xvfb)";
    TempDir dir;
    const IniFile ini(dir.File("Tessemar.INI"));
    for (const auto& [language, suffix] :
         {std::pair{text::Language::English, "en"}, std::pair{text::Language::Japanese, "ja"}}) {
        text::SetLanguage(language);
        // Deleting the translator takes it out of the application again.
        const std::unique_ptr<QTranslator> translation(InstallQtTranslation(language));
        const QString tail = QString::fromLatin1(suffix);
        COptionSheet sheet(AppSettings{}, ini);
        for (int page = 0; page < COptionSheet::PageCount; ++page) {
            sheet.SetActivePage(page);
            SaveDialog(sheet, QStringLiteral("options-%1-%2").arg(page).arg(tail));
        }
        CSizeDialog size({15, 15, 17}, QStringLiteral("Size"));
        SaveDialog(size, QStringLiteral("size-dialog-%1").arg(tail));
        CColorSettingsDialog colors(kDefaultColors, kDefaultShadowColors, kDefaultColors, kDefaultShadowColors,
                                    QStringLiteral("Color Setting"));
        SaveDialog(colors, QStringLiteral("colour-dialog-%1").arg(tail));
        QFontDialog font(QFont(QStringLiteral("Arial")));
        SaveDialog(font, QStringLiteral("font-dialog-%1").arg(tail));
        CAboutDialog about({});
        SaveDialog(about, QStringLiteral("about-%1").arg(tail));
    }
    text::SetLanguage(text::Language::English);
}

}  // namespace
}  // namespace tessemar
