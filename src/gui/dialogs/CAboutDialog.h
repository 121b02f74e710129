#pragma once

#include "gui/dialogs/AboutLogoAnimation.h"

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <functional>

class QLabel;

namespace tessemar {

// The About box: the program's name and version, the legal notice, the author's e-mail and
// home page as links, and the logo changing its colour over a shadow that circles under it.
// The animation runs every 50 ms while the box is open.
class CAboutDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kTickMilliseconds = 50;
    // The room around the logo in which its shadow moves.
    static constexpr int kMargin = 8;

    // showStatus receives what the main window's message pane says while the mouse is over a
    // link (" " when it leaves).
    explicit CAboutDialog(std::function<void(const QString&)> showStatus,
                          QWidget* parent = nullptr);

    bool AnimationRunning() const { return timer_.isActive(); }

    void done(int result) override;

  private:
    void Tick();
    void DrawLogo();

    QLabel* logo_;
    QImage logoImage_;
    QImage shadow_;
    LogoColorCycle color_;
    ShadowOrbit orbit_;
    QTimer timer_;
};

}  // namespace tessemar
