#pragma once

#include "gui/solver/SolverStatusDisplay.h"

#include <QObject>
#include <QString>

#include <map>

class QIcon;
class QLabel;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace tessemar {

// The panes of the main window's status bar: pane 0 with the messages, its icon and, while a
// solve runs, a progress bar and the busy animation; then the cursor position (57346), the
// cell (57347) and the undo position (57348), each with its icon. A running solve shows itself
// here.
class CStatusPanes : public QObject, public SolverStatusDisplay {
    Q_OBJECT
  public:
    static constexpr int kPaneMessage = 0;
    static constexpr int kPaneCursor = 57346;
    static constexpr int kPaneCell = 57347;
    static constexpr int kPaneUndo = 57348;
    // The busy animation's frames follow each other this fast.
    static constexpr int kAnimationMs = 150;
    static constexpr int kAnimationFrames = 10;

    explicit CStatusPanes(QStatusBar* bar);

    void SetText(int paneId, const QString& text);
    QString Text(int paneId) const;

    // The icon of pane 0 by its name among the action icons ("" for none); "application" is
    // the program icon.
    void SetIcon(const QString& name);
    void SetIcon(const QIcon& icon);
    QString IconName() const { return iconName_; }
    bool HasIcon() const;

    // The progress bar inside pane 0, as wide as 27 spaces of the status bar's font.
    void ShowProgress();
    void SetProgress(int percent, const QString& text);
    void HideProgress();
    QProgressBar* Progress() const { return progress_; }

    void StartAnimation();
    void StopAnimation();
    bool Animating() const;
    int AnimationFrame() const { return frame_; }
    // One frame on: the next busy icon, with the progress text.
    void StepAnimation();

    void SetSolverMessage(const QString& text) override;
    void SetSolverIcon(Icon icon) override;
    void ShowSolverProgress() override { ShowProgress(); }
    void SetSolverProgress(int percent, const QString& text) override {
        SetProgress(percent, text);
    }
    void HideSolverProgress() override { HideProgress(); }
    void StartSolverAnimation() override { StartAnimation(); }
    void StopSolverAnimation() override { StopAnimation(); }

  private:
    QStatusBar* bar_;
    QLabel* messageIcon_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::map<int, QLabel*> panes_;
    QString iconName_;
    QString progressText_;
    QTimer* animation_;
    int frame_ = 0;
};

}  // namespace tessemar
