#include "gui/frame/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tessemar {

QTranslator* InstallQtTranslation(text::Language language, const QString& directory) {
    if (language != text::Language::Japanese || !QCoreApplication::instance())
        return nullptr;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"), directory) ||
        !QCoreApplication::installTranslator(translator)) {
        // Without the translation Qt's dialogs stay English; the program's own texts do not
        // depend on it.
        delete translator;
        return nullptr;
    }
    return translator;
}

QTranslator* InstallQtTranslation(text::Language language) {
    return InstallQtTranslation(language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace tessemar
