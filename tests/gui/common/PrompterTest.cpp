#include "gui/common/Prompter.h"

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

TEST(ConvertFilterTest, TurnsStringTableFiltersIntoQtFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"Bitmap (*.bmp)|*.bmp|All Files (*.*)|*.*||", {"Bitmap (*.bmp)", "All Files (*)"}},
        {"Pictures|*.bmp;*.jpg; *.qga||", {"Pictures (*.bmp *.jpg *.qga)"}},
        {"Text (*.txt)|*.txt", {"Text (*.txt)"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertFilter(QString::fromUtf8(c.filter)), c.expected) << c.filter;
}

TEST(ConvertFilterTest, AnEntryGivesTheExtensionOfItsFirstPattern) {
    EXPECT_EQ(DefaultSuffixOf(QStringLiteral("PNG File (*.png)"), QStringLiteral("bmp")), QStringLiteral("png"));
    EXPECT_EQ(DefaultSuffixOf(QStringLiteral("Pictures (*.jpg *.qga)"), QStringLiteral("bmp")), QStringLiteral("jpg"));
    EXPECT_EQ(DefaultSuffixOf(QStringLiteral("All Files (*)"), QStringLiteral("bmp")), QStringLiteral("bmp"));
}

TEST(PromptFileNameTest, PassesTheRequestAndReturnsTheChoice) {
    ScriptedPrompter prompter;
    prompter.files = {QStringLiteral("/tmp/out.bmp"), std::nullopt};
    QString path = QStringLiteral("Logic1.bmp");
    EXPECT_TRUE(PromptFileName(false, path, QStringLiteral("bmp"), QStringLiteral("Export"),
                               QStringLiteral("Bitmap (*.bmp)|*.bmp||")));
    EXPECT_EQ(path, QStringLiteral("/tmp/out.bmp"));
    EXPECT_EQ(prompter.requests[0].path, QStringLiteral("Logic1.bmp"));
    EXPECT_FALSE(prompter.requests[0].open);
    EXPECT_FALSE(
        PromptFileName(true, path, {}, QStringLiteral("Open"), QStringLiteral("All|*.*||")));
    EXPECT_EQ(path, QStringLiteral("/tmp/out.bmp")) << "a cancelled dialog leaves the path alone";
}

}  // namespace
}  // namespace tessemar
