#include "gui/app/FileAssociation.h"

#include "core/io/FileUtil.h"
#include "core/settings/IniFile.h"
#include "core/text/StringTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace tessemar {
namespace {

// Files carrying this line were written by the program and may be rewritten or removed by it.
constexpr const char* kMarker = "Registered by Tessemar for this user";
constexpr const char* kDefaultsSection = "Default Applications";

struct IconFile {
    const char* resource;
    const char* relativePath;
};
// Each file name is the program's own, so the icons need no marker.
constexpr IconFile kIcons[] = {
    {":/icons/tessemar-48.png", "icons/hicolor/48x48/apps/tessemar.png"},
    {":/icons/tessemar-256.png", "icons/hicolor/256x256/apps/tessemar.png"},
    {":/icons/tessemar.svg", "icons/hicolor/scalable/apps/tessemar.svg"},
    {":/icons/application-x-tessemar-48.png",
     "icons/hicolor/48x48/mimetypes/application-x-tessemar.png"},
    {":/icons/application-x-tessemar-256.png",
     "icons/hicolor/256x256/mimetypes/application-x-tessemar.png"},
    {":/icons/application-x-tessemar.svg",
     "icons/hicolor/scalable/mimetypes/application-x-tessemar.svg"},
};

QString EnvironmentPath(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    // A relative value in these variables is invalid and is ignored, as if unset.
    return QDir::isAbsolutePath(value) ? value : fallback;
}

QString Text(unsigned id, text::Language language) {
    return QString::fromUtf8(text::LoadString(id, language));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsOurs(const QString& path) {
    return ReadAll(path).contains(kMarker);
}

bool SameGlob(QStringView a) {
    return a.compare(QLatin1String(FileAssociation::kGlob), Qt::CaseInsensitive) == 0;
}

// globs2 lines are "weight:type:pattern[:flags]".
bool GlobsFileClaims(const QString& path) {
    const QList<QByteArray> lines = ReadAll(path).split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() < 3)
            continue;
        if (SameGlob(QString::fromUtf8(fields[2])) && fields[1] != FileAssociation::kMimeType)
            return true;
    }
    return false;
}

bool PackageClaims(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    QString type;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("mime-type")) {
            type = xml.attributes().value(QLatin1String("type")).toString();
        } else if (xml.name() == QLatin1String("glob") &&
                   SameGlob(xml.attributes().value(QLatin1String("pattern"))) &&
                   type != QLatin1String(FileAssociation::kMimeType)) {
            return true;
        }
    }
    return false;
}

bool SaveFile(const QString& path, const QByteArray& contents) {
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           WriteFileAtomically(QFile::encodeName(path).toStdString(),
                               std::string_view(contents.constData(),
                                                static_cast<std::size_t>(contents.size())))
               .ok;
}

QString EscapeXml(const QString& text) {
    return text.toHtmlEscaped();
}

}  // namespace

XdgLocations XdgLocations::FromEnvironment() {
    XdgLocations locations;
    locations.dataHome =
        EnvironmentPath("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
    locations.configHome =
        EnvironmentPath("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
    const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    locations.dataDirs = dirs.isEmpty() ? QStringList{QStringLiteral("/usr/local/share"),
                                                      QStringLiteral("/usr/share")}
                                        : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return locations;
}

QString QuoteExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString escaped;
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument) {
        if (reserved.contains(c))
            needsQuotes = true;
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            escaped += QLatin1Char('\\');
        }
        // "%" starts a field code of the Exec key.
        if (c == QLatin1Char('%'))
            escaped += QLatin1Char('%');
        escaped += c;
    }
    if (needsQuotes)
        escaped = QLatin1Char('"') + escaped + QLatin1Char('"');
    // The Exec value is itself a string value, whose escape character is the backslash.
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return escaped;
}

FileAssociation::FileAssociation(XdgLocations locations, QString programPath)
    : locations_(std::move(locations)), programPath_(std::move(programPath)) {}

QString FileAssociation::DesktopEntryPath() const {
    return locations_.dataHome + QStringLiteral("/applications/") + QLatin1String(kDesktopFileName);
}

QString FileAssociation::MimePackagePath() const {
    return locations_.dataHome + QStringLiteral("/mime/packages/application-x-tessemar.xml");
}

QString FileAssociation::MimeAppsListPath() const {
    return locations_.configHome + QStringLiteral("/mimeapps.list");
}

QStringList FileAssociation::IconPaths() const {
    QStringList paths;
    for (const IconFile& icon : kIcons)
        paths.push_back(locations_.dataHome + QLatin1Char('/') + QLatin1String(icon.relativePath));
    return paths;
}

QString FileAssociation::DesktopEntryText() const {
    using text::Language;
    QString entry;
    entry += QStringLiteral("[Desktop Entry]\n");
    entry += QStringLiteral("# ") + QLatin1String(kMarker) + QLatin1Char('\n');
    entry += QStringLiteral("Type=Application\n");
    entry +=
        QStringLiteral("Name=") + Text(text::IdsAppTitle, Language::English) + QLatin1Char('\n');
    entry += QStringLiteral("Comment=") + Text(text::IdsDesktopComment, Language::English) +
             QLatin1Char('\n');
    entry += QStringLiteral("Comment[ja]=") + Text(text::IdsDesktopComment, Language::Japanese) +
             QLatin1Char('\n');
    entry += QStringLiteral("Exec=") + QuoteExecArgument(programPath_) + QStringLiteral(" %f\n");
    entry += QStringLiteral("Icon=tessemar\n");
    entry += QStringLiteral("Terminal=false\n");
    entry += QStringLiteral("Categories=Game;LogicGame;\n");
    entry += QStringLiteral("MimeType=") + QLatin1String(kMimeType) + QStringLiteral(";\n");
    return entry;
}

QString FileAssociation::MimePackageText(bool withGlob) const {
    using text::Language;
    QString xml;
    xml += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    xml += QStringLiteral("<!-- ") + QLatin1String(kMarker) + QStringLiteral(" -->\n");
    xml += QStringLiteral(
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    xml +=
        QStringLiteral("  <mime-type type=\"") + QLatin1String(kMimeType) + QStringLiteral("\">\n");
    xml += QStringLiteral("    <comment>") +
           EscapeXml(Text(text::IdsMimeComment, Language::English)) +
           QStringLiteral("</comment>\n");
    xml += QStringLiteral("    <comment xml:lang=\"ja\">") +
           EscapeXml(Text(text::IdsMimeComment, Language::Japanese)) +
           QStringLiteral("</comment>\n");
    xml += QStringLiteral("    <icon name=\"application-x-tessemar\"/>\n");
    if (withGlob)
        xml += QStringLiteral("    <glob pattern=\"") + QLatin1String(kGlob) +
               QStringLiteral("\"/>\n");
    xml += QStringLiteral("  </mime-type>\n</mime-info>\n");
    return xml;
}

bool FileAssociation::GlobClaimedByOtherType() const {
    QStringList dirs{locations_.dataHome};
    dirs += locations_.dataDirs;
    for (const QString& dir : dirs) {
        if (GlobsFileClaims(dir + QStringLiteral("/mime/globs2")))
            return true;
        QDirIterator packages(dir + QStringLiteral("/mime/packages"), {QStringLiteral("*.xml")},
                              QDir::Files);
        while (packages.hasNext()) {
            const QString path = packages.next();
            if (path != MimePackagePath() && PackageClaims(path))
                return true;
        }
    }
    return false;
}

bool FileAssociation::InstalledSystemWide() const {
    const auto inSomeDataDir = [this](const QString& relativePath) {
        for (const QString& dir : locations_.dataDirs) {
            if (QFileInfo::exists(dir + QLatin1Char('/') + relativePath))
                return true;
        }
        return false;
    };
    return inSomeDataDir(QStringLiteral("applications/") + QLatin1String(kDesktopFileName)) &&
           inSomeDataDir(QStringLiteral("mime/packages/application-x-tessemar.xml"));
}

bool FileAssociation::WriteOwnedFile(const QString& path, const QByteArray& contents) {
    if (QFileInfo::exists(path)) {
        const QByteArray old = ReadAll(path);
        if (old == contents)
            return true;
        // A file of the same name that the user or another program made is theirs.
        if (!old.contains(kMarker))
            return true;
    }
    if (!SaveFile(path, contents))
        return false;
    changed_ = true;
    return true;
}

bool FileAssociation::RemoveOwnedFile(const QString& path) {
    if (!QFileInfo::exists(path) || !IsOurs(path))
        return true;
    if (!QFile::remove(path))
        return false;
    changed_ = true;
    return true;
}

bool FileAssociation::RemoveUserCopies() {
    bool ok = RemoveOwnedFile(DesktopEntryPath());
    ok = RemoveOwnedFile(MimePackagePath()) && ok;
    for (const QString& path : IconPaths()) {
        if (QFileInfo::exists(path)) {
            if (QFile::remove(path)) {
                changed_ = true;
            } else {
                ok = false;
            }
        }
    }
    return ok;
}

bool FileAssociation::Register() {
    changed_ = false;
    if (InstalledSystemWide()) {
        // The installed entry already opens our files for this user; what an earlier run from a
        // build folder left here would only point the file manager at that other copy. The
        // default-application line names the entry by its id, which stays right either way.
        const bool ok = RemoveUserCopies();
        if (changed_)
            RunDatabaseTools();
        return ok;
    }
    bool ok =
        WriteOwnedFile(DesktopEntryPath(), DesktopEntryText().toUtf8()) &&
        WriteOwnedFile(MimePackagePath(), MimePackageText(!GlobClaimedByOtherType()).toUtf8());
    for (std::size_t i = 0; ok && i < std::size(kIcons); ++i) {
        const QString path = IconPaths()[static_cast<qsizetype>(i)];
        const QByteArray icon = ReadAll(QLatin1String(kIcons[i].resource));
        if (icon.isEmpty())
            continue;
        if (ReadAll(path) == icon)
            continue;
        ok = SaveFile(path, icon);
        if (ok)
            changed_ = true;
    }
    if (ok) {
        // The program becomes the default only where the user has not chosen another one.
        const IniFile mimeApps(MimeAppsListPath().toStdString());
        const std::string current = mimeApps.GetString(kDefaultsSection, kMimeType, "");
        if (current.empty()) {
            QDir().mkpath(locations_.configHome);
            ok = mimeApps.WriteString(kDefaultsSection, kMimeType,
                                      std::string(kDesktopFileName) + ";");
            if (ok)
                changed_ = true;
        }
    }
    if (changed_)
        RunDatabaseTools();
    return ok;
}

bool FileAssociation::Unregister() {
    changed_ = false;
    bool ok = RemoveUserCopies();
    const IniFile mimeApps(MimeAppsListPath().toStdString());
    std::string current = mimeApps.GetString(kDefaultsSection, kMimeType, "");
    if (current == kDesktopFileName || current == std::string(kDesktopFileName) + ";") {
        if (mimeApps.DeleteKey(kDefaultsSection, kMimeType)) {
            changed_ = true;
        } else {
            ok = false;
        }
    }
    if (changed_)
        RunDatabaseTools();
    return ok;
}

void FileAssociation::RunDatabaseTools() const {
    if (!runDatabaseTools_)
        return;
    // The databases only speed up lookups; a missing or failing tool must not stop start-up.
    const struct {
        const char* program;
        QString folder;
    } tools[] = {
        {"update-mime-database", locations_.dataHome + QStringLiteral("/mime")},
        {"update-desktop-database", locations_.dataHome + QStringLiteral("/applications")}};
    for (const auto& tool : tools) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(tool.program));
        if (program.isEmpty() || !QFileInfo::exists(tool.folder))
            continue;
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, {tool.folder});
        if (!process.waitForFinished(15000))
            process.kill();
        process.waitForFinished(1000);
    }
}

}  // namespace tessemar
