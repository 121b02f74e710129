#include "gui/app/CLogicApp.h"

#include "AppTestSupport.h"
#include "gui/app/CSingleInstance.h"
#include "gui/app/CSplashWnd.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/CMainFrame.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

namespace tessemar {
namespace {

using Answer = Prompter::Answer;

class CLogicAppTest : public ::testing::Test {
  protected:
    void SetUp() override { QApplication::setQuitOnLastWindowClosed(false); }

    AppOptions Options() const { return TestAppOptions(dir_); }
    // A started program, which lives until the end of the test.
    CLogicApp& Start(const QStringList& arguments = {}) {
        apps_.push_back(std::make_unique<CLogicApp>(Options()));
        EXPECT_TRUE(apps_.back()->InitInstance(arguments));
        return *apps_.back();
    }
    IniFile Ini() const { return IniFile(dir_.File("Tessemar.INI")); }

    static int RecentMenuEntries(const CLogicApp& app) {
        int count = 0;
        for (QAction* action : app.MainFrame()->FileMenu()->actions()) {
            const int id = action->data().toInt();
            count += id >= cmd::FirstRecentFile && id < cmd::FirstRecentFile + 16;
        }
        return count;
    }

    TempDir dir_;
    ScriptedPrompter prompter_;
    std::vector<std::unique_ptr<CLogicApp>> apps_;
};

TEST_F(CLogicAppTest, WithoutArgumentsANewDocumentAndTheSplashAppear) {
    CLogicApp& app = Start();
    ASSERT_EQ(app.DocManager().Documents().size(), 1u);
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("Tessemar - Logic1"));

    CSplashWnd* splash = app.Splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    const QImage picture = splash->Picture();
    // The bands run from dark to light blue at the top and back at the bottom.
    EXPECT_EQ(picture.pixelColor(300, 0), QColor(0, 0, 32));
    EXPECT_EQ(picture.pixelColor(300, 63), QColor(128, 160, 192));
    EXPECT_EQ(picture.pixelColor(10, 319), QColor(0, 0, 32));
    EXPECT_EQ(picture.pixelColor(2, 70), QColor(Qt::white));

    // Any key closes it, and the key does nothing else: Ctrl+N makes a new document only
    // once the splash is gone.
    app.MainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.MainFrame()));
    QTest::keyClick(app.MainFrame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.Splash() == nullptr; }, 2000));
    EXPECT_EQ(app.DocManager().Documents().size(), 1u);
    QTest::keyClick(app.MainFrame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(app.DocManager().Documents().size(), 2u);
}

TEST_F(CLogicAppTest, CreateNewFileOffStartsEmptyWithASplashThatEndsByItself) {
    Ini().WriteInt("Settings", "CreateNewFile", 0);
    CLogicApp& app = Start();
    EXPECT_TRUE(app.DocManager().Documents().empty());
    ASSERT_NE(app.Splash(), nullptr);
    // 74 ticks of 40 ms.
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.Splash() == nullptr; }, 10000));
}

// A stored rectangle that lies on no screen opens the window where a first start puts it. What
// the settings make of values out of their ranges is the settings' own test.
TEST_F(CLogicAppTest, AWindowRectangleOnNoScreenOpensLikeAFirstStart) {
    std::ofstream(dir_.File("Tessemar.INI"))
        << "[MainFrame]\nLeft=20000\nTop=20000\nRight=20500\nBottom=20400\n";
    CLogicApp& app = Start();
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(desktop.intersects(app.MainFrame()->geometry()));
}

TEST_F(CLogicAppTest, AFileArgumentOpensWithoutSplash) {
    WriteSampleDocument(dir_.File("cat.tsd"));
    CLogicApp& app = Start({Q(dir_.File("cat.tsd"))});
    EXPECT_EQ(app.Splash(), nullptr);
    ASSERT_EQ(app.DocManager().Documents().size(), 1u);
    EXPECT_EQ(app.DocManager().Documents()[0]->GetPathName(), dir_.File("cat.tsd"));
}

TEST_F(CLogicAppTest, StartUpEndsWhenTheNamedFileDoesNotOpenOrCannotBePrinted) {
    WriteSampleDocument(dir_.File("good.tsd"));
    struct Case {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{Q(dir_.File("none.tsd"))}, QStringLiteral("was not found.")},
        {{QStringLiteral("/p"), Q(dir_.File("good.tsd"))},
         QStringLiteral("No printer is available to print ") + Q(dir_.File("good.tsd"))},
        {{QStringLiteral("/pt"), Q(dir_.File("good.tsd")), QStringLiteral("No such printer"), QStringLiteral("D"),
          QStringLiteral("L")},
         QStringLiteral("No printer is available")},
    };
    // Where a printer exists the print cases would print for real.
    const bool printers = !QPrinterInfo::availablePrinters().isEmpty();
    for (const Case& c : cases) {
        if (printers && c.arguments.front().startsWith(QLatin1Char('/')))
            continue;
        prompter_.errors.clear();
        CLogicApp app(Options());
        EXPECT_FALSE(app.InitInstance(c.arguments));
        EXPECT_EQ(app.ExitCode(), 1);
        ASSERT_EQ(prompter_.errors.size(), 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(prompter_.errors[0].contains(c.message)) << prompter_.errors[0].toStdString();
        EXPECT_TRUE(app.DocManager().Documents().empty());
        EXPECT_FALSE(app.MainFrame()->isVisible());
    }
}

TEST_F(CLogicAppTest, TheSwitchRegistersOrRemovesTheAssociationAtEveryStart) {
    FileAssociation association(*Options().xdg, Options().programPath);
    for (int on : {1, 0}) {
        Ini().WriteInt("Settings", "RegisterFileType", on);
        CLogicApp app(Options());
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_EQ(QFileInfo::exists(association.DesktopEntryPath()), on == 1);
    }
    // The option page's switch takes effect at once and is stored at once.
    CLogicApp& app = Start();
    app.SetRegisterFileType(true);
    EXPECT_TRUE(QFileInfo::exists(association.DesktopEntryPath()));
    EXPECT_EQ(Ini().GetInt("Settings", "RegisterFileType", -1), 1);
}

TEST_F(CLogicAppTest, UnregisterRemovesTheAssociationReportsAndEnds) {
    FileAssociation association(*Options().xdg, Options().programPath);
    ASSERT_TRUE(association.Register());
    CLogicApp app(Options());
    EXPECT_FALSE(app.InitInstance({QStringLiteral("/Unregister")}));
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(association.DesktopEntryPath()));
    ASSERT_EQ(prompter_.informations.size(), 1);
    EXPECT_TRUE(prompter_.informations[0].startsWith(
        QStringLiteral("System registry entries have been removed")));
}

// A second start hands its file to the running program and ends; anything else sent to the
// running program is refused and changes nothing.
TEST_F(CLogicAppTest, ASecondProgramStartHandsItsFileToTheFirst) {
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../src/gui/tessemar");
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "build the tessemar program to run this test";
    WriteSampleDocument(dir_.File("second.tsd"));

    AppOptions options = Options();
    // The address every start of the program computes.
    options.socketPath = CSingleInstance::DefaultSocketPath();
    CLogicApp app(options);
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_TRUE(app.SingleInstance()->IsListening());

    QProcess second;
    second.start(program, {Q(dir_.File("second.tsd"))});
    ASSERT_TRUE(second.waitForStarted(5000));
    const bool ended =
        QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000);
    if (!ended)
        second.kill();
    ASSERT_TRUE(ended) << "the second start did not end";
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.DocManager().Documents().size() == 2; }, 5000));
    EXPECT_EQ(app.DocManager().Documents()[1]->GetPathName(), dir_.File("second.tsd"));

    std::atomic<bool> accepted = true, done = false;
    std::thread refused([&] {
        accepted = CSingleInstance::Send(options.socketPath, QStringLiteral("[quit()]"));
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
    refused.join();
    QTest::qWait(50);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(app.DocManager().Documents().size(), 2u);
}

TEST_F(CLogicAppTest, ASocketLeftByACrashIsTakenOverButALiveOneIsNot) {
    const QString path = Q(dir_.File("stale.socket"));
    {
        // A bound socket nobody listens on: what a killed instance leaves behind.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.toLocal8Bit().constData(),
                     sizeof(address.sun_path) - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
    }
    EXPECT_FALSE(CSingleInstance::IsRunning(path));
    EXPECT_FALSE(CSingleInstance::Send(path, QStringLiteral("[open(\"/x.tsd\")]"), 500));

    CSingleInstance first(path);
    ASSERT_TRUE(first.Listen());
    CSingleInstance second(path);
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(first.IsListening());
    EXPECT_TRUE(CSingleInstance::IsRunning(path));
}

TEST_F(CLogicAppTest, ShorteningTheRecentFileListShowsAtOnceAndSticks) {
    for (int i = 1; i <= 10; ++i) {
        Ini().WriteString("Recent File List", "File" + std::to_string(i),
                          "/p/" + std::to_string(i) + ".tsd");
    }
    Ini().WriteInt("Settings", "CreateNewFile", 0);
    CLogicApp& app = Start();
    app.SetRecentFileCount(4);
    EXPECT_EQ(RecentMenuEntries(app), 4);
    EXPECT_EQ(app.RecentFiles().Entries().back(), "/p/4.tsd");
    app.SetRecentFileCount(10);
    EXPECT_EQ(RecentMenuEntries(app), 4);
    EXPECT_EQ(app.RecentFiles().Size(), 10);
    EXPECT_EQ(app.Settings().recentFileCount, 10);
}

TEST_F(CLogicAppTest, ClearingTheRecentFilesAsksFirst) {
    Ini().WriteString("Recent File List", "File1", "/p/a.tsd");
    Ini().WriteString("Recent File List", "File2", "/p/b.tsd");
    CLogicApp& app = Start();

    // The frame's command reaches the application, which asks.
    CCommandTable& commands = app.MainFrame()->Commands();
    prompter_.answers = {Answer::No};
    EXPECT_TRUE(commands.Execute(cmd::ClearRecentFile));
    EXPECT_EQ(prompter_.questions.value(0), QStringLiteral("Clearing recent file list. OK?"));
    EXPECT_EQ(app.RecentFiles().Entries().size(), 2u);

    prompter_.answers = {Answer::Yes};
    EXPECT_TRUE(commands.Execute(cmd::ClearRecentFile));
    EXPECT_TRUE(app.RecentFiles().Entries().empty());
    EXPECT_EQ(RecentMenuEntries(app), 0);
    EXPECT_EQ(Ini().GetString("Recent File List", "File1", "none"), "none");
}

TEST_F(CLogicAppTest, ClosingAskAboutChangesAndCancelKeepsEverythingOpen) {
    CLogicApp& app = Start();
    ASSERT_EQ(app.DocManager().Documents().size(), 1u);
    CLogicDoc* doc = app.DocManager().Documents()[0];
    doc->SetModifiedFlag(true);

    // The document window alone.
    prompter_.answers = {Answer::Cancel};
    app.MainFrame()->FrameOf(doc)->close();
    ASSERT_NE(app.MainFrame()->FrameOf(doc), nullptr);
    EXPECT_TRUE(app.MainFrame()->FrameOf(doc)->isVisible());

    // The whole program.
    Ini().WriteString("Recent File List", "File1", "stale");
    prompter_.answers = {Answer::Cancel};
    EXPECT_FALSE(app.MainFrame()->close());
    EXPECT_TRUE(app.MainFrame()->isVisible());
    // The settings are written as the close begins, before the documents are asked about.
    EXPECT_NE(Ini().GetString("Info", "Version", ""), "");

    // Exit is the same close.
    prompter_.answers = {Answer::No};
    EXPECT_TRUE(app.MainFrame()->Commands().Execute(cmd::AppExit));
    EXPECT_FALSE(app.MainFrame()->isVisible());
    EXPECT_TRUE(app.DocManager().Documents().empty());
    // The application's own recent-file list (empty here) was written with the settings.
    EXPECT_EQ(Ini().GetString("Recent File List", "File1", "none"), "none");
    EXPECT_EQ(prompter_.questions.size(), 3);
}

TEST_F(CLogicAppTest, DroppedFilesOpenAsDocuments) {
    WriteSampleDocument(dir_.File("a.tsd"));
    WriteSampleDocument(dir_.File("b.tsd"));
    Ini().WriteInt("Settings", "CreateNewFile", 0);
    CLogicApp& app = Start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Q(dir_.File("a.tsd"))),
                  QUrl::fromLocalFile(Q(dir_.File("b.tsd"))),
                  QUrl(QStringLiteral("https://example.org/c.tsd"))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application refuses drops that no drag started.
    static_cast<QObject*>(app.MainFrame())->event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(app.DocManager().Documents().size(), 2u);
    EXPECT_EQ(app.DocManager().Documents()[1]->GetPathName(), dir_.File("b.tsd"));
}

}  // namespace
}  // namespace tessemar
