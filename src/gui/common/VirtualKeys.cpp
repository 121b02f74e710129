#include "gui/common/VirtualKeys.h"

#include <Qt>

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

struct KeyPair {
    int virtualKey;
    int qtKey;
};

// Keys whose codes differ between the two worlds; letters and digits are the same numbers.
constexpr KeyPair kNamedKeys[] = {
    {0x08, Qt::Key_Backspace},   {0x09, Qt::Key_Tab},       {0x0D, Qt::Key_Return},
    {0x1B, Qt::Key_Escape},      {0x20, Qt::Key_Space},     {0x21, Qt::Key_PageUp},
    {0x22, Qt::Key_PageDown},    {0x23, Qt::Key_End},       {0x24, Qt::Key_Home},
    {0x25, Qt::Key_Left},        {0x26, Qt::Key_Up},        {0x27, Qt::Key_Right},
    {0x28, Qt::Key_Down},        {0x2D, Qt::Key_Insert},    {0x2E, Qt::Key_Delete},
    {0x6A, Qt::Key_Asterisk},    {0x6B, Qt::Key_Plus},      {0x6D, Qt::Key_Minus},
    {0x6E, Qt::Key_Period},      {0x6F, Qt::Key_Slash},     {0xBA, Qt::Key_Semicolon},
    {0xBB, Qt::Key_Equal},       {0xBC, Qt::Key_Comma},     {0xBD, Qt::Key_Minus},
    {0xBE, Qt::Key_Period},      {0xBF, Qt::Key_Slash},     {0xC0, Qt::Key_QuoteLeft},
    {0xDB, Qt::Key_BracketLeft}, {0xDC, Qt::Key_Backslash}, {0xDD, Qt::Key_BracketRight},
    {0xDE, Qt::Key_Apostrophe},
};

}  // namespace

int QtKeyOfVirtualKey(int virtualKey) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return virtualKey;
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return Qt::Key_0 + (virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return Qt::Key_F1 + (virtualKey - 0x70);
    const auto it =
        std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys),
                     [virtualKey](const KeyPair& pair) { return pair.virtualKey == virtualKey; });
    return it == std::end(kNamedKeys) ? 0 : it->qtKey;
}

}  // namespace tessemar
