#include "gui/frame/CMainFrame.h"

#include "gui/commands/CommandMap.h"
#include "gui/dialogs/CAboutDialog.h"
#include "gui/dialogs/COptionSheet.h"
#include "gui/document/CDocManager.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/StatusPanes.h"
#include "gui/view/CViewCompanion.h"

// The option sheet and how the main window takes over what it changed; the About box.
namespace tessemar {

void CMainFrame::AddOptionCommands() {
    struct PageCommand {
        int id;
        int page;
    };
    const PageCommand kPages[] = {
        {cmd::Options, COptionSheet::General},
        {cmd::ChangeWallpaper, COptionSheet::Wallpaper},
    };
    for (const PageCommand& command : kPages)
        frameTarget_->Add(command.id, [this, page = command.page] { OpenOptions(page); });
    frameTarget_->Add(cmd::PrintZoom, [this] {
        // The zoom is about what gets printed: what the number box holds and what floats
        // belong to the puzzle.
        if (CLogicDoc* doc = ActiveDocument())
            docs_.CompleteEditing(*doc);
        OpenOptions(COptionSheet::Print);
    });
    for (int page = 0; page < cmd::OptionPageCount; ++page)
        frameTarget_->Add(cmd::FirstOptionPage + page, [this, page] { OpenOptions(page); });
    frameTarget_->Add(cmd::About, [this] {
        CAboutDialog about(
            [this](const QString& text) { SetPaneText(CStatusPanes::kPaneMessage, text); }, this);
        about.exec();
    });
}

void CMainFrame::OpenOptions(int page) {
    COptionSheet sheet(settings_, ini_, this);
    sheet.SetActivePage(page);
    connect(&sheet, &COptionSheet::applied, this, &CMainFrame::ApplyOptions);
    sheet.exec();
}

void CMainFrame::ApplyOptions(const AppSettings& chosen) {
    if (chosen.recentFileCount != settings_.recentFileCount) {
        settings_.recentFileCount = chosen.recentFileCount;
        if (hooks_.setRecentFileCount)
            hooks_.setRecentFileCount(chosen.recentFileCount);
    }
    ApplyViewOptions(chosen);
    if (hooks_.setRegisterFileType)
        hooks_.setRegisterFileType(chosen.registerFileType != 0);

    const bool backgroundChanged = chosen.backDrawMode != settings_.backDrawMode;
    settings_.createNewFile = chosen.createNewFile;
    settings_.shiftDirection = chosen.shiftDirection;
    settings_.backDrawMode = chosen.backDrawMode;
    settings_.updateView = chosen.updateView;
    settings_.resultMode = chosen.resultMode;
    settings_.zoom = chosen.zoom;
    settings_.cutBlankNum = chosen.cutBlankNum;
    settings_.editKeyUp = chosen.editKeyUp;
    settings_.editKeyDown = chosen.editKeyDown;
    settings_.editKeyLeft = chosen.editKeyLeft;
    settings_.editKeyRight = chosen.editKeyRight;
    settings_.brush = chosen.brush;
    settings_.path = chosen.path;
    settings_.wallpaperColor1 = chosen.wallpaperColor1;
    settings_.wallpaperColor2 = chosen.wallpaperColor2;
    settings_.direction = chosen.direction;
    if (backgroundChanged) {
        // What floats shows its new background.
        for (const auto& [doc, frame] : frames_) {
            if (frame->Companion() != nullptr)
                emit frame->Companion()->SelectionChanged();
        }
    }
    UpdateWallpaper();
    commands_->UpdateAll();
}

void CMainFrame::ApplyViewOptions(const AppSettings& chosen) {
    if (chosen.boldLine == settings_.boldLine &&
        chosen.graduateNumber == settings_.graduateNumber &&
        chosen.showPreview == settings_.showPreview)
        return;
    settings_.boldLine = chosen.boldLine;
    settings_.graduateNumber = chosen.graduateNumber;
    settings_.showPreview = chosen.showPreview;
    // Each window lays itself out again only if the preview changed, and draws itself anew
    // only if the lines or the numbers did.
    for (const auto& [doc, frame] : frames_)
        frame->ApplyViewSettings(settings_);
}

}  // namespace tessemar
