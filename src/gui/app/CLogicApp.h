#pragma once

#include "core/settings/AppSettings.h"
#include "gui/app/CommandLine.h"
#include "gui/app/FileAssociation.h"
#include "gui/document/CDocManager.h"
#include "gui/document/RecentFileList.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <optional>

namespace tessemar {

class CMainFrame;
class CSingleInstance;
class CSolveController;
class CCheckController;
class CSplashWnd;

// Where the application keeps its state outside the process. Everything empty means the
// places of a normal run; tests point each of them into a temporary folder.
struct AppOptions {
    QString iniPath;                  // default: Tessemar.INI beside the program, else XDG
    QString socketPath;               // default: CSingleInstance::DefaultSocketPath()
    std::optional<XdgLocations> xdg;  // default: from the environment
    QString programPath;              // the program the desktop entry starts
    bool runDatabaseTools = true;     // update-mime-database and update-desktop-database
};

// The application object: starts the program in the order the rest relies on, owns the
// settings, the recent-file list, the document manager and the main window, and carries out
// shell commands from the command line or from later starts.
class CLogicApp : public QObject {
    Q_OBJECT
  public:
    explicit CLogicApp(AppOptions options = {});
    ~CLogicApp() override;

    // The application object of this process, while one exists.
    static CLogicApp* Instance();

    // Start-up; arguments are those after the program name. False means the program ends at
    // once with ExitCode(): the command was handed to a running instance, printing or
    // unregistering is done, or a file named on the command line did not open.
    bool InitInstance(const QStringList& arguments);
    int ExitCode() const { return exitCode_; }

    AppSettings& Settings() { return settings_; }
    const IniFile& Ini() const { return *ini_; }
    RecentFileList& RecentFiles() { return recentFiles_; }
    CDocManager& DocManager() { return *docManager_; }
    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    // The application's one solver: at most one solve runs at a time, whichever window
    // started it.
    CSolveController* Solver() const { return solver_.get(); }
    // The splash window while it is open.
    CSplashWnd* Splash() const;
    CSingleInstance* SingleInstance() const { return singleInstance_.get(); }
    FileAssociation Association() const;

    // Carries out a shell command; false when it failed (the user has been told).
    bool ProcessShellCommand(const CommandLineInfo& info);

    // The option pages' switch: stores it at once and registers or removes the association.
    void SetRegisterFileType(bool on);
    // A new size for the recent-file list; 0 clears the list instead.
    void SetRecentFileCount(int count);
    // The "Clear Recent File" command: asks first.
    void OnClearRecentFile();

    // The main window has written the settings at its close: the recent-file list and the
    // keys only the application keeps follow.
    void OnSettingsSaved();

  private:
    void OnShellCommand(const QString& message);
    bool PrintDocument(const CommandLineInfo& info, bool endAfterwards);
    void ClearRecentFiles();
    void ShowSplash();
    void CreateSolver();

    AppOptions options_;
    std::unique_ptr<IniFile> ini_;
    AppSettings settings_;
    RecentFileList recentFiles_{10};
    std::unique_ptr<CDocManager> docManager_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<CSolveController> solver_;
    std::unique_ptr<CCheckController> checker_;
    std::unique_ptr<CSingleInstance> singleInstance_;
    QPointer<CSplashWnd> splash_;
    int exitCode_ = 0;
};

}  // namespace tessemar
