#pragma once

#include "core/text/StringTable.h"

#include <QString>

class QTranslator;

namespace tessemar {

// Qt's own texts (the buttons of message boxes, the file, colour and print dialogs) follow the
// program's language: for Japanese, Qt's translation is loaded from directory and installed in
// the application. Returns the installed translator (owned by the application object), or
// nullptr when the language needs none or the translation is not installed.
QTranslator* InstallQtTranslation(text::Language language, const QString& directory);
// The same from Qt's own translation folder.
QTranslator* InstallQtTranslation(text::Language language);

}  // namespace tessemar
