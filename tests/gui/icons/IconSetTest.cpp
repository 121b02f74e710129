// The command icons: every name the toolbars, menus and status bar ask for is compiled in and
// draws something, and no drawn icon is left out of the resource file.
#include "gui/commands/CommandDefs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>

static void InitActionResources() {
    Q_INIT_RESOURCE(actions);
}

namespace {

// The icon of every command, the status bar's own icons and the frames of its busy animation.
QStringList Names() {
    QStringList names = {QStringLiteral("status-position"), QStringLiteral("status-cell"),
                         QStringLiteral("status-undo"), QStringLiteral("solver-stopped")};
    for (const tessemar::CommandDef& def : tessemar::CommandDefs()) {
        if (def.icon != nullptr && *def.icon != '\0')
            names += QString::fromLatin1(def.icon);
    }
    for (int frame = 0; frame < 10; ++frame)
        names += QStringLiteral("solver-busy-%1").arg(frame);
    return names;
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    return count;
}

TEST(IconSet, EveryNamedIconLoadsAndDrawsAtToolbarSizes) {
    InitActionResources();
    for (const QString& name : Names()) {
        SCOPED_TRACE(name.toStdString());
        const QString path = QStringLiteral(":/actions/%1.svg").arg(name);
        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid());
        // The art is laid out on a 16-pixel grid; another view box would blur every line.
        EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 16, 16));
        // Toolbars go through QIcon, which draws SVG only when Qt's SVG plug-ins are installed.
        EXPECT_GT(OpaquePixels(QIcon(path).pixmap(24).toImage()), 0);
    }
}

TEST(IconSet, BusyAnimationChangesOnEveryFrameIncludingTheWrapAround) {
    InitActionResources();
    const auto frame = [](int i) {
        const QString path = QStringLiteral(":/actions/solver-busy-%1.svg").arg(i % 10);
        return QIcon(path).pixmap(16).toImage();
    };
    for (int i = 0; i < 10; ++i)
        EXPECT_NE(frame(i), frame(i + 1)) << i;
}

TEST(IconSet, EveryDrawnIconIsInTheResourceFileUnderItsOwnName) {
    QFile qrc(QStringLiteral(TESSEMAR_SOURCE_DIR "/resources/actions.qrc"));
    ASSERT_TRUE(qrc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(qrc.readAll());
    QSet<QString> listed;
    const QRegularExpression entry(
        QStringLiteral("<file alias=\"([^\"]+)\">icons/actions/([^<]+)</file>"));
    for (auto it = entry.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        EXPECT_EQ(match.captured(1), match.captured(2)) << "the code looks icons up by file name";
        listed.insert(match.captured(2));
    }

    const QDir folder(QStringLiteral(TESSEMAR_SOURCE_DIR "/resources/icons/actions"));
    const QStringList files = folder.entryList({QStringLiteral("*.svg")}, QDir::Files);
    EXPECT_GE(files.size(), Names().size());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(listed.contains(file));
        // Icons must stand alone: no linked or embedded pictures, filters or font-dependent text.
        QFile svg(folder.filePath(file));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        const QByteArray source = svg.readAll();
        for (const char* banned : {"<image", "href", "<filter", "<text"})
            EXPECT_FALSE(source.contains(banned)) << banned;
    }
}

}  // namespace
