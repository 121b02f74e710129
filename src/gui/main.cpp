#include "gui/app/CLogicApp.h"
#include "gui/frame/QtTranslation.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tessemar::InstallQtTranslation(tessemar::text::CurrentLanguage());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    tessemar::CLogicApp app;
    if (!app.InitInstance(arguments))
        return app.ExitCode();
    return QApplication::exec();
}
