#include "core/text/StringTable.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>

namespace tessemar::text {
namespace {

struct Entry {
    unsigned id;
    std::string_view english;
    std::string_view japanese;
};

constexpr Entry kUnsortedEntries[] = {
#define TESSEMAR_STRING(name, id, english, japanese) {id, english, japanese},
#include "core/text/strings/All.inc"
#undef TESSEMAR_STRING
};

constexpr auto kEntries = [] {
    std::array<Entry, std::size(kUnsortedEntries)> sorted{};
    std::copy(std::begin(kUnsortedEntries), std::end(kUnsortedEntries), sorted.begin());
    std::sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    return sorted;
}();

static_assert(std::adjacent_find(kEntries.begin(), kEntries.end(),
                                 [](const Entry& a, const Entry& b) { return a.id == b.id; }) ==
                  kEntries.end(),
              "two strings share one id");
static_assert(std::none_of(kEntries.begin(), kEntries.end(),
                           [](const Entry& e) { return !e.english.empty() && e.japanese.empty(); }),
              "a string has no Japanese text");

// -1 = not yet decided; otherwise the Language value.
std::atomic<int> currentLanguage{-1};

}  // namespace

Language DetectLanguage() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
        }
    }
    return Language::English;
}

Language CurrentLanguage() {
    int language = currentLanguage.load();
    if (language < 0) {
        language = static_cast<int>(DetectLanguage());
        currentLanguage.store(language);
    }
    return static_cast<Language>(language);
}

void SetLanguage(Language language) { currentLanguage.store(static_cast<int>(language)); }

std::string_view LoadString(unsigned id, Language language) {
    auto it = std::lower_bound(kEntries.begin(), kEntries.end(), id,
                               [](const Entry& e, unsigned key) { return e.id < key; });
    if (it == kEntries.end() || it->id != id) {
        return {};
    }
    return language == Language::Japanese ? it->japanese : it->english;
}

std::string_view LoadString(unsigned id) { return LoadString(id, CurrentLanguage()); }

}  // namespace tessemar::text
