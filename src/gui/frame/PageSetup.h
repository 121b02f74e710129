#pragma once

#include "core/settings/AppSettings.h"

class QPrinter;
class QWidget;

namespace tessemar {

// "Page setup": the system's page-setup dialog on printer, starting from the margins of the
// settings (hundredths of a millimetre). On OK the margins go back into the settings, and the
// printer keeps what the dialog chose. False when the user cancelled.
bool RunPageSetup(QWidget* parent, QPrinter& printer, AppSettings& settings);

}  // namespace tessemar
