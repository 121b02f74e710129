#pragma once

#include "core/text/StringTable.h"

#include <QString>

namespace tessemar {

// A text of the string table in the language of the moment, as the widgets take it.
inline QString Text(unsigned id) {
    return QString::fromUtf8(text::LoadString(id));
}

}  // namespace tessemar
