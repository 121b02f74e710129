#include "gui/frame/QtTranslation.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

TEST(QtTranslationTest, EnglishOrAMissingTranslationInstallsNothing) {
    EXPECT_EQ(InstallQtTranslation(text::Language::English), nullptr);
    TempDir empty;
    const QString before = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_EQ(InstallQtTranslation(text::Language::Japanese, QString::fromStdString(empty.Path())),
              nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), before);
}

TEST(QtTranslationTest, JapaneseTranslatesQtsOwnButtons) {
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(directory + QStringLiteral("/qtbase_ja.qm")))
        GTEST_SKIP() << "Qt's Japanese translation is not installed";
    QTranslator* translator = InstallQtTranslation(text::Language::Japanese);
    ASSERT_NE(translator, nullptr);
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    // Deleting the translator takes it out of the application again.
    delete translator;
}

}  // namespace
}  // namespace tessemar
