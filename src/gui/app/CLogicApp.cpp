#include "gui/app/CLogicApp.h"

#include "core/text/StringTable.h"

#include <QPalette>

namespace tessemar {
namespace {

ColorRef ToColorRef(const QColor& colour) { return MakeColorRef(colour.red(), colour.green(), colour.blue()); }

SystemColors DesktopColors() {
    QPalette palette = QApplication::palette();
    return {ToColorRef(palette.color(QPalette::Dark)), ToColorRef(palette.color(QPalette::Base))};
}

}  // namespace

CLogicApp::CLogicApp(int& argc, char** argv)
    : QApplication(argc, argv), ini_(DefaultIniPath(QCoreApplication::applicationDirPath().toStdString())) {
    settings_ = LoadSettings(ini_, DesktopColors());
    mainWindow_ = std::make_unique<QMainWindow>();
    mainWindow_->setWindowTitle(QString::fromUtf8(text::LoadString(text::IdsAppTitle).data(), static_cast<qsizetype>(text::LoadString(text::IdsAppTitle).size())));
    mainWindow_->resize(800, 600);
}

CLogicApp::~CLogicApp() = default;

int CLogicApp::Run() {
    mainWindow_->show();
    return exec();
}

}  // namespace tessemar
