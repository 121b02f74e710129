#pragma once

#include "core/images/Surface.h"
#include "gui/app/SplashAnimation.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace tessemar {

// The window shown over the main window while the program starts: gradient bands, the
// version and legal notice, the program icon and the logo animation. Any key or mouse button
// anywhere in the program closes it at once, and that press does nothing else.
class CSplashWnd : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 540;
    static constexpr int kHeight = 320;
    static constexpr int kTickMs = 40;

    // The logo may be an empty surface: the window then shows everything but the logo.
    CSplashWnd(QWidget* mainWindow, const Surface& logo);
    ~CSplashWnd() override;

    // Centres the window on the screen and starts the animation.
    void ShowSplash();
    // The whole window as it is painted now.
    QImage Picture() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnTick();
    void HideSplash();

    QWidget* mainWindow_;
    QImage background_;
    SplashAnimation animation_;
    QTimer timer_;
};

// The logo of the splash window; an empty surface when it cannot be loaded.
Surface LoadSplashLogo();

}  // namespace tessemar
