#pragma once

#include <cstdint>

namespace tessemar {

// The settings file keeps keys as Windows virtual-key codes (letters and digits are their
// upper-case ASCII codes). 0 stands for a key that has no code.
std::uint16_t VirtualKeyFromQtKey(int qtKey);
// Qt's key for a code (the keypad's digits give the digit keys); 0 for a code no key has.
int QtKeyFromVirtualKey(std::uint16_t code);

}  // namespace tessemar
