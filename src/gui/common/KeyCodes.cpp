#include "gui/common/KeyCodes.h"

#include <Qt>

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

struct KeyCode {
    int qtKey;
    std::uint16_t code;
};

// The keys beyond letters, digits and function keys.
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Pause, 19},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
    // The keypad's operators; the main keyboard's codes above win for the Qt key.
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Slash, 111},
};

}  // namespace

std::uint16_t VirtualKeyFromQtKey(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<std::uint16_t>(112 + (qtKey - Qt::Key_F1));
    const auto it = std::find_if(std::begin(kKeyCodes), std::end(kKeyCodes),
                                 [qtKey](const KeyCode& k) { return k.qtKey == qtKey; });
    return it == std::end(kKeyCodes) ? 0 : it->code;
}

int QtKeyFromVirtualKey(std::uint16_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return code;
    if (code >= 96 && code <= 105)  // the keypad's digits
        return Qt::Key_0 + (code - 96);
    if (code >= 112 && code <= 135)
        return Qt::Key_F1 + (code - 112);
    const auto it = std::find_if(std::begin(kKeyCodes), std::end(kKeyCodes),
                                 [code](const KeyCode& k) { return k.code == code; });
    return it == std::end(kKeyCodes) ? 0 : it->qtKey;
}

}  // namespace tessemar
