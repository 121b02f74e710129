#include "render/LayoutCanvas.h"

#include "core/document/CLogicDoc.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace tessemar {
namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

constexpr std::size_t kTileBytes =
    std::size_t{LayoutCanvas::kTileSize} * LayoutCanvas::kTileSize * 4;

}  // namespace

LayoutCanvas::LayoutCanvas(CLogicDoc& document, const RenderOptions& options, QObject* parent)
    : QObject(parent),
      document_(document),
      style_(std::make_unique<LayoutStyle>(document.Model(), options)),
      options_(options) {
    document_.AddObserver(this);
}

LayoutCanvas::~LayoutCanvas() {
    document_.RemoveObserver(this);
}

void LayoutCanvas::SetOptions(const RenderOptions& options) {
    if (options == options_)
        return;
    options_ = options;
    RenderAll();
}

std::uint64_t LayoutCanvas::Key(int tx, int ty) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(tx)) << 32) |
           static_cast<std::uint32_t>(ty);
}

LayoutCanvas::Tile& LayoutCanvas::TileAt(int tx, int ty) {
    auto [it, inserted] = tiles_.try_emplace(Key(tx, ty));
    Tile& tile = it->second;
    if (inserted) {
        tile.image = QImage(kTileSize, kTileSize, QImage::Format_RGB32);
        QPoint origin(tx * kTileSize, ty * kTileSize);
        RenderLayoutRegion(tile.image, origin,
                           {origin.x(), origin.y(), origin.x() + kTileSize, origin.y() + kTileSize},
                           document_.Model(), *style_);
    }
    if (!tile.stale.IsEmpty()) {
        RenderLayoutRegion(tile.image, QPoint(tx * kTileSize, ty * kTileSize), tile.stale,
                           document_.Model(), *style_);
        tile.stale = {};
    }
    tile.lastUse = clock_;
    return tile;
}

void LayoutCanvas::Paint(QPainter& painter, const Rect& layoutRect, QPoint target) {
    if (layoutRect.IsEmpty())
        return;
    ++clock_;
    const PixelSize size = BitmapSize();
    const Rect bitmap{0, 0, size.cx, size.cy};
    const Rect inside = layoutRect.Intersect(bitmap);
    const bool coversAll = !inside.IsEmpty() && inside == layoutRect;
    if (!coversAll) {
        painter.fillRect(QRect(target.x(), target.y(), layoutRect.Width(), layoutRect.Height()),
                         QColor::fromRgb(style_->Background()));
    }
    if (inside.IsEmpty())
        return;
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int ty = FloorDiv(inside.top, kTileSize); ty * kTileSize < inside.bottom; ++ty) {
        for (int tx = FloorDiv(inside.left, kTileSize); tx * kTileSize < inside.right; ++tx) {
            const Tile& tile = TileAt(tx, ty);
            const int left = std::max(inside.left, tx * kTileSize);
            const int top = std::max(inside.top, ty * kTileSize);
            const int right = std::min(inside.right, (tx + 1) * kTileSize);
            const int bottom = std::min(inside.bottom, (ty + 1) * kTileSize);
            painter.drawImage(
                QPoint(target.x() + left - layoutRect.left, target.y() + top - layoutRect.top),
                tile.image,
                QRect(left - tx * kTileSize, top - ty * kTileSize, right - left, bottom - top));
        }
    }
    painter.setCompositionMode(mode);
    Trim();
}

void LayoutCanvas::Trim() {
    if (tiles_.size() * kTileBytes <= cacheLimit_)
        return;
    // Oldest first; the tiles of the paint that just ran are never thrown away, even when one
    // paint needs more than the limit.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ages;
    ages.reserve(tiles_.size());
    for (const auto& [key, tile] : tiles_) {
        if (tile.lastUse != clock_)
            ages.emplace_back(tile.lastUse, key);
    }
    std::sort(ages.begin(), ages.end());
    for (const auto& [age, key] : ages) {
        if (tiles_.size() * kTileBytes <= cacheLimit_)
            break;
        tiles_.erase(key);
    }
}

void LayoutCanvas::SetCacheLimit(std::size_t bytes) {
    cacheLimit_ = bytes;
    ++clock_;  // nothing counts as in use now
    Trim();
}

std::size_t LayoutCanvas::CachedBytes() const {
    return tiles_.size() * kTileBytes;
}

void LayoutCanvas::RenderAll() {
    style_ = std::make_unique<LayoutStyle>(document_.Model(), options_);
    tiles_.clear();
    emit LayoutReset();
}

void LayoutCanvas::Redraw(const Rect& rect) {
    if (rect.IsEmpty())
        return;
    for (int ty = FloorDiv(rect.top, kTileSize); ty * kTileSize < rect.bottom; ++ty) {
        for (int tx = FloorDiv(rect.left, kTileSize); tx * kTileSize < rect.right; ++tx) {
            auto it = tiles_.find(Key(tx, ty));
            // A tile that is not kept is drawn from the document when it is next needed.
            if (it == tiles_.end())
                continue;
            Rect& stale = it->second.stale;
            const Rect part = rect.Intersect(
                {tx * kTileSize, ty * kTileSize, (tx + 1) * kTileSize, (ty + 1) * kTileSize});
            stale =
                stale.IsEmpty()
                    ? part
                    : Rect{std::min(stale.left, part.left), std::min(stale.top, part.top),
                           std::max(stale.right, part.right), std::max(stale.bottom, part.bottom)};
        }
    }
    emit RegionChanged(rect.left, rect.top, rect.right, rect.bottom);
}

void LayoutCanvas::DrawCell(int x, int y) {
    Redraw(CellChangeRect(*style_, x, y));
    Redraw(PreviewPixelRect(*style_, x, y));
}

void LayoutCanvas::DrawCellBlock(int x1, int y1, int x2, int y2) {
    const int xa = std::max(std::min(x1, x2), 0);
    const int xb = std::min(std::max(x1, x2), kMaxLines - 1);
    const int ya = std::max(std::min(y1, y2), 0);
    const int yb = std::min(std::max(y1, y2), kMaxLines - 1);
    for (int x = xa; x <= xb; ++x) {
        for (int y = ya; y <= yb; ++y)
            DrawCell(x, y);
    }
}

void LayoutCanvas::DrawClueNumber(int side, int line, int slot) {
    Redraw(ClueSlotChangeRect(*style_, side, line, slot));
}

QImage LayoutCanvas::Preview() const {
    return RenderPreview(document_.Model());
}

void LayoutCanvas::OnCellChanged(int x, int y) {
    DrawCell(x, y);
}

void LayoutCanvas::OnClueSlotChanged(int side, int i, int j) {
    // Row slots are addressed (k, y), column slots (x, k).
    if (side == SideRow) {
        DrawClueNumber(SideRow, j, i);
    } else if (side == SideColumn) {
        DrawClueNumber(SideColumn, i, j);
    }
}

void LayoutCanvas::OnLayoutChanged() {
    RenderAll();
}

}  // namespace tessemar
