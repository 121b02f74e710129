#pragma once

#include "gui/app/CLogicApp.h"
#include "support/DocumentFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <filesystem>

namespace tessemar {

// A program instance whose settings file, socket and desktop folders all lie in dir, and which
// runs no desktop database tools.
inline AppOptions TestAppOptions(const TempDir& dir) {
    std::filesystem::create_directories(dir.Path() + "/system");
    AppOptions options;
    options.iniPath = Q(dir.File("Tessemar.INI"));
    options.socketPath = Q(dir.File("app.socket"));
    options.xdg = XdgLocations{
        Q(dir.Path() + "/data"), Q(dir.Path() + "/config"), {Q(dir.Path() + "/system")}};
    options.programPath = QStringLiteral("/usr/bin/tessemar");
    options.runDatabaseTools = false;
    return options;
}

}  // namespace tessemar
