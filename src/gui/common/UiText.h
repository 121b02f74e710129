#pragma once

#include "core/text/Format.h"
#include "core/text/StringTable.h"

#include <QString>

namespace tessemar {

// A text of the string table in the language of the moment, as the widgets take it.
inline QString Text(unsigned id) {
    return QString::fromUtf8(text::LoadString(id));
}

// A printf-style text of the string table filled with arguments.
inline QString FormatText(unsigned id, std::initializer_list<text::FormatArg> args) {
    return QString::fromStdString(text::Format(text::LoadString(id), args));
}

}  // namespace tessemar
