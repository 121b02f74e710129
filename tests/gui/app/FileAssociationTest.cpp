#include "gui/app/FileAssociation.h"

#include "AppTestSupport.h"
#include "core/settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FileAssociationTest : public ::testing::Test {
  protected:
    FileAssociationTest() { association_.SetRunDatabaseTools(false); }
    std::string DefaultApplication() const {
        return IniFile(association_.MimeAppsListPath().toStdString())
            .GetString("Default Applications", FileAssociation::kMimeType, "");
    }

    TempDir dir_;
    FileAssociation association_{*TestAppOptions(dir_).xdg,
                                 QStringLiteral("/opt/Tessemar 1/bin/tessemar")};
};

TEST_F(FileAssociationTest, RegisterInstallsEverythingAndUnregisterRemovesIt) {
    ASSERT_TRUE(association_.Register());
    EXPECT_TRUE(association_.Changed());

    const QString entry = QString::fromUtf8(ReadFile(association_.DesktopEntryPath()));
    EXPECT_TRUE(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=\"/opt/Tessemar 1/bin/tessemar\" %f\n")))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=application/x-tessemar;\n")));
    const QString mime = QString::fromUtf8(ReadFile(association_.MimePackagePath()));
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.tsd\"/>")));
    for (const QString& icon : association_.IconPaths())
        EXPECT_TRUE(QFileInfo(icon).size() > 0) << icon.toStdString();
    EXPECT_EQ(DefaultApplication(), "tessemar.desktop;");

    // A second start with the switch on changes nothing.
    ASSERT_TRUE(association_.Register());
    EXPECT_FALSE(association_.Changed());

    ASSERT_TRUE(association_.Unregister());
    EXPECT_TRUE(association_.Changed());
    EXPECT_FALSE(QFileInfo::exists(association_.DesktopEntryPath()));
    EXPECT_FALSE(QFileInfo::exists(association_.MimePackagePath()));
    for (const QString& icon : association_.IconPaths())
        EXPECT_FALSE(QFileInfo::exists(icon));
    EXPECT_EQ(DefaultApplication(), "");

    ASSERT_TRUE(association_.Unregister());
    EXPECT_FALSE(association_.Changed());
}

TEST_F(FileAssociationTest, AnotherProgramsAssociationIsLeftAlone) {
    // Another program's type claims *.tsd, and the user chose another default for our type.
    const QString foreignPackage = Q(dir_.Path() + "/data/mime/packages/other.xml");
    const QByteArray foreign =
        "<?xml version=\"1.0\"?>\n<mime-info "
        "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-tape-set\"><glob "
        "pattern=\"*.TSD\"/></mime-type>\n</mime-info>\n";
    WriteFile(foreignPackage, foreign);
    IniFile(association_.MimeAppsListPath().toStdString())
        .WriteString("Default Applications", FileAssociation::kMimeType, "viewer.desktop;");

    ASSERT_TRUE(association_.Register());
    const QString mime = QString::fromUtf8(ReadFile(association_.MimePackagePath()));
    EXPECT_TRUE(mime.contains(QStringLiteral("type=\"application/x-tessemar\"")));
    EXPECT_FALSE(mime.contains(QStringLiteral("<glob")))
        << "the extension was taken from the other type";
    EXPECT_EQ(DefaultApplication(), "viewer.desktop;");

    ASSERT_TRUE(association_.Unregister());
    EXPECT_EQ(ReadFile(foreignPackage), foreign);
    EXPECT_EQ(DefaultApplication(), "viewer.desktop;");
}

TEST_F(FileAssociationTest, ClaimsInCompiledDatabasesCountButOurOwnDoNot) {
    WriteFile(Q(dir_.Path() + "/system/mime/globs2"),
              "# comment\n50:application/x-tessemar:*.tsd\n");
    EXPECT_FALSE(association_.GlobClaimedByOtherType());
    WriteFile(Q(dir_.Path() + "/system/mime/globs2"),
              "50:application/x-tessemar:*.tsd\n50:text/x-other:*.tsd\n");
    EXPECT_TRUE(association_.GlobClaimedByOtherType());
}

TEST_F(FileAssociationTest, FilesTheProgramDidNotWriteAreNeverReplacedOrRemoved) {
    const QByteArray users =
        "[Desktop Entry]\nType=Application\nName=My Tessemar\nExec=/home/me/tessemar-dev %f\n";
    WriteFile(association_.DesktopEntryPath(), users);
    const QByteArray usersMime = "<?xml version=\"1.0\"?><mime-info/>\n";
    WriteFile(association_.MimePackagePath(), usersMime);

    association_.Register();
    EXPECT_EQ(ReadFile(association_.DesktopEntryPath()), users);
    EXPECT_EQ(ReadFile(association_.MimePackagePath()), usersMime);
    association_.Unregister();
    EXPECT_EQ(ReadFile(association_.DesktopEntryPath()), users);
    EXPECT_EQ(ReadFile(association_.MimePackagePath()), usersMime);
}

TEST_F(FileAssociationTest, AFailedWriteIsReportedWithoutThrowing) {
    // The data folder is a file: nothing can be created below it.
    WriteFile(Q(dir_.Path() + "/data"), "not a folder");
    EXPECT_FALSE(association_.Register());
    EXPECT_EQ(DefaultApplication(), "") << "nothing after the failed write";
}

TEST_F(FileAssociationTest, AnInstalledPackageReplacesTheUsersOwnCopy) {
    ASSERT_TRUE(association_.Register());  // an earlier run from a build folder
    // Either file alone is no installation: a user copy is still what opens the files.
    WriteFile(Q(dir_.Path() + "/system/applications/tessemar.desktop"), "[Desktop Entry]\n");
    ASSERT_TRUE(association_.Register());
    EXPECT_TRUE(QFileInfo::exists(association_.DesktopEntryPath()));

    WriteFile(Q(dir_.Path() + "/system/mime/packages/application-x-tessemar.xml"), "<mime-info/>");
    ASSERT_TRUE(association_.Register());
    EXPECT_TRUE(association_.Changed());
    EXPECT_FALSE(QFileInfo::exists(association_.DesktopEntryPath()));
    EXPECT_FALSE(QFileInfo::exists(association_.MimePackagePath()));
    for (const QString& icon : association_.IconPaths())
        EXPECT_FALSE(QFileInfo::exists(icon));
    EXPECT_EQ(DefaultApplication(), "tessemar.desktop;") << "names the installed entry";
}

TEST(QuoteExecArgumentTest, QuotesAndEscapesAsDesktopEntriesRequire) {
    struct Case {
        const char* argument;
        const char* quoted;
    } cases[] = {
        {"/usr/bin/tessemar", "/usr/bin/tessemar"},
        {"/opt/a$b/tessemar", "\"/opt/a\\\\$b/tessemar\""},
        {"/opt/100%/tessemar", "/opt/100%%/tessemar"},
        {"/opt/q\"uote/tessemar", "\"/opt/q\\\\\"uote/tessemar\""},
        {"/opt/back\\slash/t", "\"/opt/back\\\\\\\\slash/t\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteExecArgument(QString::fromUtf8(c.argument)).toStdString(), c.quoted);
}

}  // namespace
}  // namespace tessemar
