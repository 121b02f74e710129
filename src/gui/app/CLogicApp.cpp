#include "gui/app/CLogicApp.h"

#include "core/text/StringTable.h"
#include "gui/app/CSingleInstance.h"
#include "gui/app/CSplashWnd.h"
#include "gui/common/ColorCell.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/CMainFrame.h"
#include "gui/frame/StatusPanes.h"
#include "gui/output/PrintDocument.h"
#include "render/LayoutRenderer.h"
#include "gui/solver/CCheckController.h"
#include "gui/solver/CSolveController.h"
#include "gui/view/CViewCompanion.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QIcon>
#include <QPalette>

namespace tessemar {
namespace {

using ShellCommand = CommandLineInfo::ShellCommand;

CLogicApp* instance = nullptr;

SystemColors DesktopColors() {
    const QPalette palette = QApplication::palette();
    return {ToColorRef(palette.color(QPalette::Dark)), ToColorRef(palette.color(QPalette::Base))};
}

bool NeedsRunningInstance(ShellCommand command) {
    return command == ShellCommand::FileOpen || command == ShellCommand::FilePrint ||
           command == ShellCommand::FilePrintTo || command == ShellCommand::FileDde;
}

}  // namespace

CLogicApp::CLogicApp(AppOptions options) : options_(std::move(options)) {
    if (options_.iniPath.isEmpty()) {
        options_.iniPath = QString::fromStdString(
            DefaultIniPath(QCoreApplication::applicationDirPath().toStdString()));
    }
    if (options_.socketPath.isEmpty())
        options_.socketPath = CSingleInstance::DefaultSocketPath();
    if (!options_.xdg)
        options_.xdg = XdgLocations::FromEnvironment();
    if (options_.programPath.isEmpty())
        options_.programPath = QCoreApplication::applicationFilePath();
    instance = this;
}

CLogicApp::~CLogicApp() {
    if (splash_)
        delete splash_.data();
    // A running solve is stopped and waited for while the status bar it reports to exists.
    checker_.reset();
    solver_.reset();
    mainFrame_.reset();
    docManager_.reset();
    if (instance == this)
        instance = nullptr;
}

void CLogicApp::CreateSolver() {
    CMainFrame* frame = mainFrame_.get();
    solver_ = std::make_unique<CSolveController>(
        settings_, frame->StatusPanes(), [frame] { return frame->ActiveDocument(); }, frame,
        ini_.get());
    checker_ = std::make_unique<CCheckController>(
        *solver_, frame->StatusPanes(), [frame] { return frame->ActiveDocument(); },
        [frame](CLogicDoc& doc) -> CViewCompanion* {
            CChildFrame* child = frame->FrameOf(&doc);
            return child != nullptr ? child->Companion() : nullptr;
        },
        frame);
    // The check first: while it runs it holds the solver's commands back.
    frame->AddRouteTarget(checker_.get());
    frame->AddRouteTarget(solver_.get());
    solver_->SetFinishEditing([this](CLogicDoc& doc) { docManager_->FinishEditing(doc); });
    // Before the document goes: a solve or check on it is stopped and waited for first.
    connect(docManager_.get(), &CDocManager::documentClosing, solver_.get(), [this](CLogicDoc* doc) {
        checker_->OnDocumentClosing(*doc);
        solver_->OnDocumentClosing(*doc);
    });
}

CLogicApp* CLogicApp::Instance() {
    return instance;
}

CSplashWnd* CLogicApp::Splash() const {
    return splash_.data();
}

FileAssociation CLogicApp::Association() const {
    FileAssociation association(*options_.xdg, options_.programPath);
    association.SetRunDatabaseTools(options_.runDatabaseTools);
    return association;
}

bool CLogicApp::InitInstance(const QStringList& arguments) {
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    CommandLineInfo info = ParseCommandLine(words);
    const bool splashEnabled = SplashAllowed(info);

    // A file handed to the program while it already runs goes to that instance, as a
    // desktop shell expects; the new process ends without a window.
    if (NeedsRunningInstance(info.shellCommand) &&
        CSingleInstance::IsRunning(options_.socketPath)) {
        if (info.shellCommand == ShellCommand::FileDde)
            return false;
        if (CSingleInstance::Send(options_.socketPath,
                                  QString::fromStdString(FormatShellCommand(info))))
            return false;
        // The running instance did not take the command: this one carries it out itself.
    }

    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/tessemar-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    // Lets the desktop match the windows with the program's desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("tessemar"));

    ini_ = std::make_unique<IniFile>(options_.iniPath.toStdString());
    settings_ = LoadSettings(*ini_, DesktopColors());
    recentFiles_ = RecentFileList(settings_.recentFileCount);
    recentFiles_.ReadList(*ini_);

    docManager_ = std::make_unique<CDocManager>(*ini_, settings_, recentFiles_);
    MainFrameHooks hooks;
    hooks.clearRecentFile = [this] { OnClearRecentFile(); };
    hooks.settingsSaved = [this] { OnSettingsSaved(); };
    hooks.setRecentFileCount = [this](int count) { SetRecentFileCount(count); };
    hooks.setRegisterFileType = [this](bool on) { SetRegisterFileType(on); };
    mainFrame_ = std::make_unique<CMainFrame>(*docManager_, settings_, *ini_, recentFiles_,
                                              std::move(hooks));
    CreateSolver();

    if (info.shellCommand != ShellCommand::AppUnregister) {
        singleInstance_ = std::make_unique<CSingleInstance>(options_.socketPath);
        connect(singleInstance_.get(), &CSingleInstance::commandReceived, this,
                &CLogicApp::OnShellCommand);
        // When another instance holds the name, this one simply runs without receiving.
        singleInstance_->Listen();
    }

    // Every start brings the association in line with the switch, so turning it off removes
    // it at the next start as well.
    FileAssociation association = Association();
    if (settings_.registerFileType != 0) {
        association.Register();
    } else {
        association.Unregister();
    }

    if (info.shellCommand == ShellCommand::FileNew && settings_.createNewFile == 0) {
        info.shellCommand = ShellCommand::FileNothing;
    }
    if (!ProcessShellCommand(info))
        return false;
    if (info.shellCommand == ShellCommand::FileDde)
        return true;

    if (splashEnabled)
        ShowSplash();
    mainFrame_->ShowFirst();
    return true;
}

void CLogicApp::ShowSplash() {
    splash_ = new CSplashWnd(mainFrame_.get(), LoadSplashLogo());
    splash_->ShowSplash();
}

bool CLogicApp::ProcessShellCommand(const CommandLineInfo& info) {
    switch (info.shellCommand) {
        case ShellCommand::FileNew:
            docManager_->OnFileNew();
            return true;
        case ShellCommand::FileOpen:
            if (docManager_->OpenDocumentFile(QString::fromStdString(info.fileName)))
                return true;
            exitCode_ = 1;
            return false;
        case ShellCommand::FilePrint:
        case ShellCommand::FilePrintTo:
            PrintDocument(info, true);
            return false;
        case ShellCommand::AppUnregister: {
            const bool removed = Association().Unregister();
            CurrentPrompter().ShowInformation(
                Text(removed ? text::IdsUnregisterDone : text::IdsUnregisterFailed));
            exitCode_ = removed ? 0 : 1;
            return false;
        }
        case ShellCommand::FileDde:
        case ShellCommand::FileNothing:
            return true;
    }
    return true;
}

bool CLogicApp::PrintDocument(const CommandLineInfo& info, bool endAfterwards) {
    CLogicDoc* doc = docManager_->OpenDocumentFile(QString::fromStdString(info.fileName));
    exitCode_ = 1;
    if (!doc)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    const bool named = info.shellCommand == ShellCommand::FilePrintTo;
    if (named)
        printer.setPrinterName(QString::fromStdString(info.printerName));
    // Without the printer asked for the user learns that nothing was printed.
    const bool available = named ? !QPrinterInfo::printerInfo(printer.printerName()).isNull() : printer.isValid();
    if (!available || printer.printerName().isEmpty()) {
        const std::string path = doc->GetPathName();
        CurrentPrompter().ShowError(QString::fromStdString(text::FormatInserts(text::LoadString(text::IdsNoPrinter), {path})));
    } else {
        const LayoutStyle style(doc->Model(), {settings_.boldLine != 0, settings_.graduateNumber != 0});
        if (tessemar::PrintDocument(printer, *doc, style, settings_) > 0)
            exitCode_ = 0;
    }
    if (endAfterwards)
        docManager_->CloseAllDocuments();
    return false;
}

void CLogicApp::OnShellCommand(const QString& message) {
    const std::optional<CommandLineInfo> info = ParseShellCommand(message.toStdString());
    if (!info || !mainFrame_)
        return;
    // A command from the shell means the user wants to see the program.
    mainFrame_->show();
    mainFrame_->raise();
    mainFrame_->activateWindow();
    if (info->shellCommand == ShellCommand::FileOpen) {
        docManager_->OpenDocumentFile(QString::fromStdString(info->fileName));
    } else {
        PrintDocument(*info, false);
        exitCode_ = 0;
    }
}

void CLogicApp::SetRegisterFileType(bool on) {
    settings_.registerFileType = on ? 1 : 0;
    WriteRegisterFileType(*ini_, on);
    FileAssociation association = Association();
    if (on) {
        association.Register();
    } else {
        association.Unregister();
    }
}

void CLogicApp::SetRecentFileCount(int count) {
    if (count <= 0) {
        ClearRecentFiles();
        return;
    }
    // Through the file, as the list is rebuilt from it: entries beyond the new size are
    // dropped from the next write on.
    recentFiles_.WriteList(*ini_);
    recentFiles_ = RecentFileList(count);
    recentFiles_.ReadList(*ini_);
    settings_.recentFileCount = recentFiles_.Size();
    if (mainFrame_)
        mainFrame_->UpdateRecentFileMenu();
}

void CLogicApp::ClearRecentFiles() {
    recentFiles_.Clear();
    recentFiles_.WriteList(*ini_);
    if (mainFrame_)
        mainFrame_->UpdateRecentFileMenu();
}

void CLogicApp::OnClearRecentFile() {
    if (CurrentPrompter().Ask(Text(text::IdsClearRecentFileAsk), false) == Prompter::Answer::Yes)
        ClearRecentFiles();
}

void CLogicApp::OnSettingsSaved() {
    recentFiles_.WriteList(*ini_);
    if (settings_.previewPages != 0)
        ini_->WriteInt("Settings", "PreviewPages", settings_.previewPages);
}

}  // namespace tessemar
