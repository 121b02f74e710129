#pragma once

namespace tessemar {

// The Qt key of a virtual-key code as the settings file stores keys (the desktop-independent
// codes of the original platform: letters and digits are their upper-case ASCII codes, the
// keypad digits 0x60..0x69 stand for the digit keys). 0 for a code without a key here.
int QtKeyOfVirtualKey(int virtualKey);

}  // namespace tessemar
