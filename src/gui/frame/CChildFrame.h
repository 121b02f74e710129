#pragma once

#include "core/document/CLogicDoc.h"

#include <QMdiSubWindow>

#include <functional>

namespace tessemar {

class CDocManager;
class CommandTarget;

// The window of one document inside the main frame. Closing it goes through the document
// manager, which asks to save changes and may keep the window open.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // Size states as the settings store them.
    enum SizeState : int { Restored = 0, Minimized = 1, Maximized = 2 };

    // sizeStateChanged receives the new size state whenever the window changes it.
    CChildFrame(CDocManager& docs, CLogicDoc& doc, std::function<void(int)> sizeStateChanged);

    CLogicDoc& Document() const { return doc_; }
    void UpdateTitle();
    // Closes the window without asking: its document is gone already.
    void Discard();
    bool Discarding() const { return discarding_; }

    // The commands of the window's active view: the first link of the command route while
    // this window is active. Not owned; nullptr while the window has no view.
    CommandTarget* ViewTarget() const { return viewTarget_; }
    void SetViewTarget(CommandTarget* target) { viewTarget_ = target; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    CDocManager& docs_;
    CLogicDoc& doc_;
    std::function<void(int)> sizeStateChanged_;
    bool discarding_ = false;
    CommandTarget* viewTarget_ = nullptr;
};

}  // namespace tessemar
