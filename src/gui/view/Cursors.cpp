#include "gui/view/Cursors.h"

#include "gui/common/ResourceRegistrar.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <map>
#include <utility>

TESSEMAR_RESOURCE_REGISTRAR(InitCursorResources, cursors)

namespace tessemar {
namespace {

// The art is drawn on a 32 x 32 grid; the hot spots are pixels of that grid.
constexpr int kCursorSize = 32;

struct CursorArt {
    int kind;
    const char* file;
    int hotX;
    int hotY;
};

// Opposite handles of the selection frame share one two-headed arrow.
constexpr CursorArt kCursorArt[] = {
    {1, "pen-paint.svg", 1, 30},       {-1, "pen-erase.svg", 1, 30},
    {2, "cross-paint.svg", 15, 15},    {-2, "cross-erase.svg", 15, 15},
    {3, "bucket-paint.svg", 10, 29},   {-3, "bucket-clear.svg", 10, 29},
    {9, "select.svg", 15, 15},         {10, "resize-nwse.svg", 15, 15},
    {11, "resize-nesw.svg", 15, 15},   {12, "resize-nwse.svg", 15, 15},
    {13, "resize-nesw.svg", 15, 15},   {14, "resize-ns.svg", 15, 15},
    {15, "resize-we.svg", 15, 15},     {16, "resize-ns.svg", 15, 15},
    {17, "resize-we.svg", 15, 15},     {18, "move.svg", 15, 15},
    {20, "select-all.svg", 3, 3},      {21, "select-rows.svg", 2, 15},
    {22, "select-columns.svg", 15, 2},
};

constexpr int kIBeamKind = 4;

// A 1x picture scaled up on a 2x screen is blurred, a 2x picture on a 1x screen is only made
// smaller; ratios between are served by the 2x picture.
int PictureScale() {
    return qGuiApp != nullptr && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
}

QCursor Build(const CursorArt& art, int scale) {
    InitCursorResources();
    QSvgRenderer renderer(QStringLiteral(":/cursors/") + QLatin1String(art.file));
    if (!renderer.isValid())
        return QCursor(Qt::ArrowCursor);
    QPixmap pixmap(kCursorSize * scale, kCursorSize * scale);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, pixmap.width(), pixmap.height()));
    }
    pixmap.setDevicePixelRatio(scale);
    return QCursor(pixmap, art.hotX, art.hotY);
}

using CursorCache = std::map<std::pair<int, int>, QCursor>;
CursorCache* cache = nullptr;

// Pixmaps must go while the application (and its platform) still exists, not at exit.
void DropCache() {
    delete cache;
    cache = nullptr;
}

}  // namespace

QCursor CursorOfKind(int kind) {
    for (const CursorArt& art : kCursorArt) {
        if (art.kind != kind)
            continue;
        const int scale = PictureScale();
        if (cache == nullptr) {
            cache = new CursorCache;
            qAddPostRoutine(DropCache);
        }
        auto [it, added] = cache->try_emplace({kind, scale});
        if (added)
            it->second = Build(art, scale);
        return it->second;
    }
    return QCursor(kind == kIBeamKind ? Qt::IBeamCursor : Qt::ArrowCursor);
}

}  // namespace tessemar
