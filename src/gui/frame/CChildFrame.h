#pragma once

#include "core/document/CLogicDoc.h"

#include <QMdiSubWindow>

#include <functional>
#include <memory>

namespace tessemar {

struct AppSettings;
class CClueEditor;
class CDocManager;
class CEditSession;
class CommandTarget;
class CPaneGrid;
class CViewCommands;
class CViewCompanion;

// The window of one document inside the main frame: the four panes of the puzzle in a pane
// grid. Closing it goes through the document manager, which asks to save changes and may keep
// the window open.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // Size states as the settings store them.
    enum SizeState : int { Restored = 0, Minimized = 1, Maximized = 2 };

    // settings are the application's, which the window's editing session reads and changes;
    // sizeStateChanged receives the new size state whenever the window changes it.
    CChildFrame(CDocManager& docs, CLogicDoc& doc, AppSettings& settings, std::function<void(int)> sizeStateChanged);
    ~CChildFrame() override;

    CLogicDoc& Document() const { return doc_; }
    void UpdateTitle();
    // Closes the window without asking: its document goes away right after this call, so
    // the panes let go of it here and the window stays empty until it is deleted.
    void Discard();
    bool Discarding() const { return discarding_; }

    // The commands of the window's active view: the first link of the command route while
    // this window is active. Not owned; nullptr while the window has no view.
    CommandTarget* ViewTarget() const { return viewTarget_; }
    void SetViewTarget(CommandTarget* target) { viewTarget_ = target; }

    // BoldLine and GraduateNumber redraw the layout, ShowPreview shows or hides the corner's
    // preview. Until the first call the defaults apply.
    void ApplyViewSettings(const AppSettings& settings);
    // Sizes the shown window to show its whole puzzle, but no larger than `available`.
    void FitToContent(const QSize& available);

    // nullptr once the window has been discarded.
    CViewCompanion* Companion() const { return companion_.get(); }
    CPaneGrid* PaneGrid() const { return grid_; }
    CViewCommands* ViewCommands() const { return viewCommands_.get(); }
    // nullptr once the window has been discarded.
    CEditSession* Session() const { return session_.get(); }
    CClueEditor* Editor() const { return editor_.get(); }
    // What the in-place box holds goes into the document.
    void FinishEditing();

  signals:
    // The caption button of the corner pane or the preview command asks to switch ShowPreview.
    // The owner of the setting flips it and applies it to every window.
    void showPreviewToggleRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void ReleaseViews();

    CDocManager& docs_;
    CLogicDoc& doc_;
    std::function<void(int)> sizeStateChanged_;
    bool discarding_ = false;
    CommandTarget* viewTarget_ = nullptr;
    std::unique_ptr<CViewCompanion> companion_;
    std::unique_ptr<CEditSession> session_;
    std::unique_ptr<CViewCommands> viewCommands_;
    CPaneGrid* grid_ = nullptr;
    std::unique_ptr<CClueEditor> editor_;
};

}  // namespace tessemar
