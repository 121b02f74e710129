#pragma once

#include "core/text/Format.h"
#include "core/text/StringTable.h"

#include <QString>

#include <cerrno>
#include <string>

namespace tessemar {

// The message for a file that could not be written: a full disk, a refusal, or any other
// failure, each naming the file.
inline QString WriteErrorMessage(int error, const QString& path) {
    const unsigned id = error == ENOSPC                                         ? text::IdsDiskFull
                        : (error == EACCES || error == EROFS || error == EPERM) ? text::IdsFileWriteDenied
                                                                                : text::IdsFileWriteError;
    const std::string pathText = path.toStdString();
    return QString::fromStdString(text::FormatInserts(text::LoadString(id), {pathText}));
}

}  // namespace tessemar
