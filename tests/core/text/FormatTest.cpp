#include "core/text/Format.h"

#include "core/text/Encoding.h"
#include "core/text/StringTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessemar::text {
namespace {

TEST(FormatTest, FillsPrintfConversions) {
    struct Case {
        std::string_view format;
        std::vector<FormatArg> args;
        std::string expected;
    };
    const Case cases[] = {
        {"100%% %d", {-7}, "100% -7"},
        {"[%5s|%-4d]", {"ab", 12}, "[   ab|12  ]"},
        {"%d and %d", {1}, "1 and %d"},    // missing argument: written as it stands
        {"%s", {5}, "%s"},                 // wrong kind of argument
        {"%q %d", {3}, "%q 3"},            // unknown conversion
        {"ends in %", {}, "ends in %"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
    }
}

TEST(FormatTest, FillsNumberedInserts) {
    EXPECT_EQ(FormatInserts("%2 then %1 and %3", {"a", "b"}), "b then a and %3");
}

TEST(StringTableTest, LanguageFollowsTheLocale) {
    struct Case {
        const char* language;
        const char* all;
        const char* lang;
        Language expected;
    } cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
        {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", Language::Japanese},
        {"en", "ja_JP.UTF-8", nullptr, Language::English},
        {nullptr, nullptr, nullptr, Language::English},
    };
    for (const Case& c : cases) {
        for (auto [name, value] : {std::pair{"LANGUAGE", c.language}, {"LC_ALL", c.all}, {"LANG", c.lang}}) {
            if (value) setenv(name, value, 1); else unsetenv(name);
        }
        unsetenv("LC_MESSAGES");
        EXPECT_EQ(DetectLanguage(), c.expected) << (c.lang ? c.lang : "-");
    }
}

TEST(EncodingTest, DecodesFileText) {
    EXPECT_EQ(DecodeFileText("\xE7\x8C\xAB"), "猫");                  // valid UTF-8 kept
    EXPECT_EQ(DecodeFileText("\x94\x4C\xB1"), "猫ｱ");                  // CP932 with half-width kana
    EXPECT_EQ(DecodeFileText("a\x81"), "a\xEF\xBF\xBD");             // cut-off double byte
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));                           // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));                       // surrogate
    EXPECT_EQ(Utf16ToUtf8({0xD83D, 0xDE00, 0xD800, 'a'}), "\xF0\x9F\x98\x80\xEF\xBF\xBD" "a");
}

}  // namespace
}  // namespace tessemar::text
