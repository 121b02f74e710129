#include "gui/frame/CMainFrame.h"

#include "core/document/PropertyReport.h"
#include "gui/commands/CommandDefs.h"
#include "gui/common/UiText.h"
#include "gui/output/CTextPreviewDialog.h"
#include "gui/output/PictureExport.h"
#include "gui/output/CPrintPreviewDialog.h"
#include "gui/output/PrintDocument.h"
#include "gui/view/CViewCompanion.h"
#include "gui/commands/CommandMap.h"
#include "gui/document/CDocManager.h"
#include "gui/document/RecentFileList.h"
#include "gui/frame/CChildFrame.h"
#include "gui/frame/CHelpWindow.h"
#include "gui/frame/ColorBars.h"
#include "gui/frame/PageSetup.h"
#include "gui/frame/ToolBarSet.h"

#include <QMdiArea>
#include <QPrintDialog>
#include <QPrinter>
#include <QMdiSubWindow>

#include <algorithm>

// The command route of the main window: the application's, the active document's and the
// frame's own commands, and the order in which the route asks them.
namespace tessemar {

void CMainFrame::CreateCommands() {
    commands_ = new CCommandTable(this, [this] { return Route(); });

    // The application's commands: they need no window.
    appTarget_->Add(cmd::FileNew, [this] { docs_.OnFileNew(); });
    appTarget_->Add(cmd::FileOpen, [this] { docs_.OnFileOpen(); });
    appTarget_->Add(
        cmd::ClearRecentFile,
        [this] {
            if (hooks_.clearRecentFile)
                hooks_.clearRecentFile();
        },
        [this](CommandState& state) {
            state.enabled =
                static_cast<bool>(hooks_.clearRecentFile) && !recentFiles_.Entries().empty();
        });
    for (int i = 0; i < RecentFileList::kMaxSize; ++i) {
        appTarget_->Add(
            cmd::FirstRecentFile + i,
            [this, i] { docs_.OpenRecentFile(static_cast<std::size_t>(i)); },
            [this, i](CommandState& state) {
                state.enabled = static_cast<std::size_t>(i) < recentFiles_.Entries().size();
            });
    }
    appTarget_->Add(cmd::AppExit, [this] { close(); });

    // The active document's commands.
    documentTarget_->Add(cmd::FileSave, [this] {
        if (CLogicDoc* doc = ActiveDocument())
            docs_.SaveDocument(*doc);
    });
    documentTarget_->Add(cmd::FileSaveAs, [this] {
        if (CLogicDoc* doc = ActiveDocument())
            docs_.SaveDocumentAs(*doc);
    });
    documentTarget_->Add(cmd::Property, [this] {
        if (CLogicDoc* doc = ActiveDocument()) {
            docs_.FinishEditing(*doc);
            ShowProperty(*doc);
        }
    });
    documentTarget_->Add(cmd::FilePrint, [this] {
        CChildFrame* child = ActiveChild();
        if (child == nullptr || child->Companion() == nullptr)
            return;
        docs_.CompleteEditing(child->Document());
        QPrintDialog dialog(&Printer(), this);
        if (dialog.exec() == QDialog::Accepted)
            PrintDocument(Printer(), child->Document(), child->Companion()->Canvas().Style(), settings_);
    });
    documentTarget_->Add(cmd::FilePrintPreview, [this] {
        CChildFrame* child = ActiveChild();
        if (child == nullptr || child->Companion() == nullptr)
            return;
        docs_.CompleteEditing(child->Document());
        CPrintPreviewDialog preview(Printer(), child->Document(), child->Companion()->Canvas().Style(), settings_,
                                    this);
        if (preview.exec() == CPrintPreviewDialog::kPrintRequested)
            Commands().Execute(cmd::FilePrint);
    });
    for (int id : {cmd::SaveBitmap, cmd::SavePreview}) {
        documentTarget_->Add(id, [this, id] {
            CChildFrame* child = ActiveChild();
            if (child == nullptr || child->Companion() == nullptr)
                return;
            docs_.CompleteEditing(child->Document());
            SavePicture(child->Document(), child->Companion()->Canvas(), id == cmd::SavePreview,
                        settings_.cutBlankNum != 0);
        });
    }

    // The frame's commands, on its document windows.
    const auto hasWindows = [this](CommandState& state) {
        state.enabled = !area_->subWindowList().isEmpty();
    };
    frameTarget_->Add(
        cmd::FileClose,
        [this] {
            if (QMdiSubWindow* window = area_->activeSubWindow())
                window->close();
        },
        [this](CommandState& state) { state.enabled = ActiveDocument() != nullptr; });
    frameTarget_->Add(
        cmd::WindowCascade, [this] { area_->cascadeSubWindows(); }, hasWindows);
    frameTarget_->Add(
        cmd::WindowTile, [this] { area_->tileSubWindows(); }, hasWindows);

    AddFrameCommands();
    AddCommands(*commands_, AvailableCommandIds());
}

void CMainFrame::AddFrameCommands() {
    // The toolbars and the colour bar: the menu item carries a check while the bar is shown.
    // The actions are made before the bars, so their first update finds none yet.
    for (int toggle : {cmd::ViewStandardBar, cmd::ViewToolBar, cmd::ViewImageBar,
                       cmd::ViewNumberBar, cmd::ViewOptionBar, cmd::ViewCommandBar}) {
        frameTarget_->Add(
            toggle,
            [this, toggle] {
                if (toolBars_)
                    CToolBarSet::Toggle(toolBars_->BarOfToggle(toggle));
            },
            [this, toggle](CommandState& state) {
                state.checked = toolBars_ && CToolBarSet::IsShown(toolBars_->BarOfToggle(toggle));
            });
    }
    frameTarget_->Add(
        cmd::ViewColorBar,
        [this] {
            if (colorBars_)
                colorBars_->ToggleShown();
        },
        [this](CommandState& state) { state.checked = colorBars_ && colorBars_->IsShown(); });
    frameTarget_->Add(
        cmd::FullColorBar,
        [this] {
            if (colorBars_)
                colorBars_->Choose(true);
        },
        [this](CommandState& state) { state.checked = settings_.fullColorBar != 0; });
    frameTarget_->Add(
        cmd::SimpleColorBar,
        [this] {
            if (colorBars_)
                colorBars_->Choose(false);
        },
        [this](CommandState& state) { state.checked = settings_.fullColorBar == 0; });

    // The current colour (Alt+1 .. Alt+8), marked in the Color menu.
    for (int i = 0; i < cmd::ColorCount; ++i) {
        frameTarget_->Add(
            cmd::FirstColor + i,
            [this, i] {
                settings_.color = i + 1;
                RefreshColorDisplays();
            },
            [this, i](CommandState& state) { state.checked = settings_.color == i + 1; });
    }
    frameTarget_->Add(cmd::ChooseColor, [this] {
        if (colorBars_)
            colorBars_->ShowColorPopup();
    });
    frameTarget_->Add(cmd::PageSetup, [this] { RunPageSetup(this, Printer(), settings_); });
    AddOptionCommands();
    // A missing manual simply shows nothing.
    frameTarget_->Add(cmd::Help, [this] { CHelpWindow::ShowHelp(this); });
}

void CMainFrame::ShowProperty(const CLogicDoc& doc) {
    // The report window of the solver, without a modal loop: it stays open beside the puzzle.
    auto* window = new CTextPreviewDialog(ini_, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("property"));
    window->SetIcon(windowIcon());
    window->SetCaptionPrefix(Text(text::IdsPropertyCaption));
    window->SetDocumentName(QString::fromStdString(doc.GetDocumentFileName()));
    window->SetText(BuildPropertyReport(doc, text::CurrentLanguage()));
    window->show();
}

void CMainFrame::AddRouteTarget(CommandTarget* target) {
    if (target &&
        std::find(extraTargets_.begin(), extraTargets_.end(), target) == extraTargets_.end())
        extraTargets_.push_back(target);
}

void CMainFrame::RemoveRouteTarget(CommandTarget* target) {
    extraTargets_.erase(std::remove(extraTargets_.begin(), extraTargets_.end(), target),
                        extraTargets_.end());
}

std::vector<CommandTarget*> CMainFrame::Route() const {
    // The further targets first, then the active document window's view and the document,
    // then the frame, then the application.
    CChildFrame* child = ActiveChild();
    if (!child)
        return {frameTarget_.get(), appTarget_.get()};
    std::vector<CommandTarget*> route(extraTargets_.begin(), extraTargets_.end());
    route.insert(route.end(), {child->ViewTarget(), documentTarget_.get(), frameTarget_.get(),
                               appTarget_.get()});
    return route;
}

}  // namespace tessemar
