#pragma once

#include <QString>

namespace tessemar {

// What a solve shows in the main window's status bar while it runs and when it ends. The main
// window's status panes implement it; tests use a recording fake.
class SolverStatusDisplay {
  public:
    enum class Icon { Application, Stopped, None };

    virtual ~SolverStatusDisplay() = default;
    // Text and icon of the message pane (pane 0).
    virtual void SetSolverMessage(const QString& text) = 0;
    virtual void SetSolverIcon(Icon icon) = 0;
    // The progress bar inside the message pane, range 0..100; showing it twice is harmless.
    virtual void ShowSolverProgress() = 0;
    virtual void SetSolverProgress(int percent, const QString& text) = 0;
    virtual void HideSolverProgress() = 0;
    // The busy animation: every 150 ms the next of ten icon frames, with the last progress text.
    virtual void StartSolverAnimation() = 0;
    virtual void StopSolverAnimation() = 0;
};

}  // namespace tessemar
