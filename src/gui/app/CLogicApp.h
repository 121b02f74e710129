#pragma once

#include "core/settings/AppSettings.h"

#include <QApplication>
#include <QMainWindow>
#include <memory>

namespace tessemar {

// The application object: settings from the INI file and the main window. The full start-up
// (documents, command line, single instance, splash) builds on this.
class CLogicApp : public QApplication {
    Q_OBJECT
public:
    CLogicApp(int& argc, char** argv);
    ~CLogicApp() override;

    int Run();
    const AppSettings& Settings() const { return settings_; }
    const IniFile& Ini() const { return ini_; }

private:
    IniFile ini_;
    AppSettings settings_;
    std::unique_ptr<QMainWindow> mainWindow_;
};

}  // namespace tessemar
