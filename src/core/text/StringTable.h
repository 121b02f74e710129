#pragma once

#include <string>
#include <string_view>

namespace tessemar::text {

enum class Language { English, Japanese };

// The string identifiers of the program. Each subsystem lists its strings in
// strings/<subsystem>.inc as TESSEMAR_STRING(name, id, English, Japanese).
enum StringId : unsigned {
#define TESSEMAR_STRING(name, id, english, japanese) name = id,
#include "core/text/strings/All.inc"
#undef TESSEMAR_STRING
};

// The language the user's locale asks for: LANGUAGE, then LC_ALL, LC_MESSAGES and LANG;
// Japanese when the first one set names "ja", otherwise English.
Language DetectLanguage();

// The language of LoadString(id); detected from the locale at first use unless set.
Language CurrentLanguage();
void SetLanguage(Language language);

// The text of a string in the current or the given language; an unknown id gives "".
std::string_view LoadString(unsigned id);
std::string_view LoadString(unsigned id, Language language);

}  // namespace tessemar::text
