#pragma once

#include <QString>

namespace tessemar {

// The two lines that the wallpaper, the splash window and the About box show: "Version " and
// the product version, and the legal notice.
QString VersionLine();
QString LegalNoticeLine();

}  // namespace tessemar
