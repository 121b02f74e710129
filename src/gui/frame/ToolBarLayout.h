#pragma once

#include "core/settings/IniFile.h"

class QMainWindow;

namespace tessemar {

// The section that holds the layout of the toolbars, under the prefix of the settings.
inline constexpr const char* kToolBarStateSection = "ToolBarState-Summary";

// Writes where the window's toolbars stand and whether they are shown.
void WriteToolBarState(const IniFile& ini, const QMainWindow& window);
// Puts the toolbars where they were, but only when this version of the program stored the
// layout: a layout from another version may name toolbars or buttons that are gone. False when
// nothing was restored; the window keeps its initial layout then.
bool RestoreToolBarState(const IniFile& ini, QMainWindow& window);

}  // namespace tessemar
