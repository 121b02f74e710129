#pragma once

#include "core/document/Document.h"
#include "render/LayoutRenderer.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <unordered_map>

class QPainter;

namespace tessemar {

class CLogicDoc;

// The drawing of one document's layout that the panes of its window copy from.
//
// A layout of 250 x 250 cells at cell size 51 is about 25700 pixels square; one bitmap of it
// would take gigabytes. The canvas therefore draws square tiles of the layout on demand and keeps
// the most recently used ones up to a memory limit. A tile is drawn by the same routine as any
// other rectangle of the layout, so the pixels do not depend on how the layout is cut.
//
// It listens to the document: a changed cell or clue slot is redrawn in the tiles that hold it,
// a layout change (size, cell size, colours, font) throws all tiles away. Panes listen to the
// signals to know which part of their window to repaint, and paint their client area with
// Paint(painter, PaneLayoutWindow(pane, Geometry(), view), QPoint(0, 0)).
//
// The canvas listens to the document from construction to destruction, so the document must
// outlive it (the document window owns both). Drawing text needs a QGuiApplication.
class LayoutCanvas : public QObject, public DocumentObserver {
    Q_OBJECT
  public:
    static constexpr int kTileSize = 256;
    static constexpr std::size_t kDefaultCacheBytes = std::size_t{48} << 20;

    explicit LayoutCanvas(CLogicDoc& document, const RenderOptions& options = {},
                          QObject* parent = nullptr);
    ~LayoutCanvas() override;
    LayoutCanvas(const LayoutCanvas&) = delete;
    LayoutCanvas& operator=(const LayoutCanvas&) = delete;

    const LayoutStyle& Style() const { return *style_; }
    const LayoutGeometry& Geometry() const { return style_->Geometry(); }
    const RenderOptions& Options() const { return style_->Options(); }
    // The whole drawing: layout extent plus the graduation margin.
    PixelSize BitmapSize() const { return Geometry().BitmapSize(); }

    // BoldLine and GraduateNumber; a change redraws everything.
    void SetOptions(const RenderOptions& options);

    // Paints the layout rectangle `layoutRect` with its top left at `target`. Parts outside the
    // drawing are background, so a pane can ask for its whole client area.
    void Paint(QPainter& painter, const Rect& layoutRect, QPoint target);

    // Throws away every tile and takes the geometry, colours and font anew from the document.
    void RenderAll();
    // Redraws one cell with its preview pixel, or one clue slot (side 1: line = row, side 2:
    // line = column), from the document's current values, at the latest when the tiles that
    // hold it are painted next. Positions outside the puzzle are ignored.
    void DrawCell(int x, int y);
    void DrawCellBlock(int x1, int y1, int x2, int y2);
    void DrawClueNumber(int side, int line, int slot);

    // The preview, one pixel per cell.
    QImage Preview() const;

    void SetCacheLimit(std::size_t bytes);
    std::size_t CachedBytes() const;
    std::size_t CachedTiles() const { return tiles_.size(); }

    // DocumentObserver
    void OnCellChanged(int x, int y) override;
    void OnClueSlotChanged(int side, int i, int j) override;
    void OnLayoutChanged() override;

  signals:
    // Everything may look different, the size of the layout included.
    void LayoutReset();
    // The pixels of this layout rectangle changed.
    void RegionChanged(int left, int top, int right, int bottom);

  private:
    struct Tile {
        QImage image;
        std::uint64_t lastUse = 0;
        // The part changed since the tile was last drawn, redrawn when the tile is next painted,
        // so that a command changing thousands of cells or slots draws each tile once.
        Rect stale;
    };
    static std::uint64_t Key(int tx, int ty);
    Tile& TileAt(int tx, int ty);
    void Redraw(const Rect& rect);
    void Trim();

    CLogicDoc& document_;
    std::unique_ptr<LayoutStyle> style_;
    RenderOptions options_;
    std::unordered_map<std::uint64_t, Tile> tiles_;
    std::uint64_t clock_ = 0;
    std::size_t cacheLimit_ = kDefaultCacheBytes;
};

}  // namespace tessemar
