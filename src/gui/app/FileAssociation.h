#pragma once

#include <QString>
#include <QStringList>

namespace tessemar {

// The freedesktop.org folders an association is written to and read from.
struct XdgLocations {
    QString dataHome;      // $XDG_DATA_HOME or ~/.local/share
    QString configHome;    // $XDG_CONFIG_HOME or ~/.config
    QStringList dataDirs;  // $XDG_DATA_DIRS or /usr/local/share:/usr/share

    static XdgLocations FromEnvironment();
};

// The association of document files with the program for the current user: a desktop entry
// that opens files with the program, a shared-mime-info type for *.tsd with its icon, and
// the program as the default application of that type.
//
// Only what the program wrote itself is ever replaced or removed: its files carry a marker,
// and the default-application line is touched only while it names the program. When another
// type already claims *.tsd, the program's type is still described but does not take the
// extension away from it.
class FileAssociation {
  public:
    static constexpr const char* kMimeType = "application/x-tessemar";
    static constexpr const char* kDesktopFileName = "tessemar.desktop";
    static constexpr const char* kGlob = "*.tsd";

    FileAssociation(XdgLocations locations, QString programPath);

    // Run update-mime-database and update-desktop-database after a change (when installed).
    void SetRunDatabaseTools(bool run) { runDatabaseTools_ = run; }

    // True when everything is in place afterwards. A failed write skips the rest silently.
    bool Register();
    // True when nothing the program wrote is left.
    bool Unregister();
    // Whether the last Register or Unregister changed any file.
    bool Changed() const { return changed_; }

    QString DesktopEntryPath() const;
    QString MimePackagePath() const;
    QString MimeAppsListPath() const;
    QStringList IconPaths() const;

    QString DesktopEntryText() const;
    QString MimePackageText(bool withGlob) const;
    // True when a type other than ours matches *.tsd in any MIME database or package.
    bool GlobClaimedByOtherType() const;
    // True when a package installed the desktop entry and the MIME type for every user. A copy
    // of our own in the user's folders would then shadow it with a second, older association.
    bool InstalledSystemWide() const;

  private:
    bool WriteOwnedFile(const QString& path, const QByteArray& contents);
    bool RemoveOwnedFile(const QString& path);
    bool RemoveUserCopies();
    void RunDatabaseTools() const;

    XdgLocations locations_;
    QString programPath_;
    bool runDatabaseTools_ = true;
    bool changed_ = false;
};

// Quotes a program path for the Exec key of a desktop entry.
QString QuoteExecArgument(const QString& argument);

}  // namespace tessemar
