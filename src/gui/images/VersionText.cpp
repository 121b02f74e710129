#include "gui/images/VersionText.h"

#include "core/settings/AppSettings.h"

namespace tessemar {
namespace {

// The program's copyright statement; the notice line adds the reservation to it.
constexpr const char* kLegalCopyright = "Copyright (C) 2026 The Tessemar authors.";

}  // namespace

QString VersionLine() {
    return QStringLiteral("Version ") + QString::fromStdString(FormatProductVersion());
}

QString LegalNoticeLine() {
    return QString::fromUtf8(kLegalCopyright) + QStringLiteral(" All Rights Reserved");
}

}  // namespace tessemar
