#pragma once

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace tessemar::cli {

// Drawing text needs a GUI application object; the command makes its own, on the offscreen
// platform, when it runs without one.
// The command reports its own errors; Qt's notes about the desktop session (a missing runtime
// folder and the like) would only confuse a script reading stderr.
class HeadlessApplication {
  public:
    HeadlessApplication() {
        if (QCoreApplication::instance() != nullptr)
            return;
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        previousHandler_ =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~HeadlessApplication() {
        if (!app_)
            return;
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }
    HeadlessApplication(const HeadlessApplication&) = delete;
    HeadlessApplication& operator=(const HeadlessApplication&) = delete;

  private:
    int argc_ = 1;
    char name_[14] = "tessemar-cli";
    char* argv_[2] = {name_, nullptr};
    QtMessageHandler previousHandler_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace tessemar::cli
