#include "render/LayoutRenderer.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace tessemar {
namespace {

// Writes straight into the pixels of the target image, limited to one layout rectangle.
class PixelWriter {
  public:
    PixelWriter(QImage& image, QPoint origin, const Rect& clip)
        : image_(image), origin_(origin), clip_(clip) {}

    void Fill(const Rect& rect, QRgb color) {
        Rect r = rect.Intersect(clip_);
        if (r.IsEmpty())
            return;
        for (int y = r.top; y < r.bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y - origin_.y()));
            std::fill(line + (r.left - origin_.x()), line + (r.right - origin_.x()), color);
        }
    }

    void Set(int x, int y, QRgb color) {
        if (!clip_.Contains(x, y))
            return;
        reinterpret_cast<QRgb*>(image_.scanLine(y - origin_.y()))[x - origin_.x()] = color;
    }

    // Every other pixel from `from` (inclusive) to `to` (exclusive), starting with one set.
    void DottedRow(int y, int from, int to, QRgb color) {
        if (y < clip_.top || y >= clip_.bottom)
            return;
        int start = std::max(from, clip_.left);
        if ((start - from) % 2 != 0)
            ++start;
        int end = std::min(to, clip_.right);
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y - origin_.y()));
        for (int x = start; x < end; x += 2)
            line[x - origin_.x()] = color;
    }
    void DottedColumn(int x, int from, int to, QRgb color) {
        if (x < clip_.left || x >= clip_.right)
            return;
        int start = std::max(from, clip_.top);
        if ((start - from) % 2 != 0)
            ++start;
        int end = std::min(to, clip_.bottom);
        for (int y = start; y < end; y += 2) {
            reinterpret_cast<QRgb*>(image_.scanLine(y - origin_.y()))[x - origin_.x()] = color;
        }
    }

    // A 45-degree line of `length` pixels from (x, y) going down and dx (+1 or -1) across.
    void Diagonal(int x, int y, int dx, int length, QRgb color) {
        for (int t = 0; t < length; ++t)
            Set(x + t * dx, y + t, color);
    }

    const Rect& Clip() const { return clip_; }

  private:
    QImage& image_;
    QPoint origin_;
    Rect clip_;
};

// The index range [first, last] of grid lines that may touch [from, to) along one axis.
//
// Line i starts i * c pixels plus the extra pixels of the wider lines before it (less than one
// per cell, and three for line 0) from the origin. So no line before index
// (from - 6) / (c + 1) can reach `from`, and none after to / c starts before `to`.
std::pair<int, int> LineRange(const LayoutGeometry& g, int origin, int n, int from, int to) {
    int first = std::clamp((from - origin - 6) / (g.cellSize() + 1) - 1, 0, n);
    int last = std::clamp((to - origin) / g.cellSize() + 1, 0, n);
    return {first, last};
}

// The range of cells (or clue lines) across an axis that may touch [from, to).
std::pair<int, int> CellRange(const LayoutGeometry& g, int origin, int n, int from, int to) {
    auto [first, last] = LineRange(g, origin, n, from, to);
    return {std::min(first, n - 1), std::min(last, n - 1)};
}

// Slots of a clue area counted from the picture edge at `edge` outwards (towards smaller
// coordinates) that may touch [from, to).
std::pair<int, int> SlotRange(const LayoutGeometry& g, int edge, int n, int from, int to) {
    int first = std::clamp((edge - to) / g.cellSize() - 1, 0, n - 1);
    int last = std::clamp((edge - from) / g.cellSize() + 1, 0, n - 1);
    return {first, last};
}

void DrawGridLines(PixelWriter& out, const LayoutStyle& style) {
    const LayoutGeometry& g = style.Geometry();
    const Rect& clip = out.Clip();
    const PixelSize extent = g.GetLayoutExtent();
    const int w = g.columnCount();
    const int h = g.rowCount();
    const int caw = g.clueAreaWidth();
    const int cah = g.clueAreaHeight();
    const int c = g.cellSize();
    const QRgb line = style.Shadow(9);
    const QRgb bold = style.Shadow(0);

    // Slot separators of the clue areas, dotted, under everything else.
    for (int i = std::max(0, (clip.top - 1) / c); i <= h; ++i) {
        int y = 1 + i * c;
        if (y >= clip.bottom)
            break;
        out.DottedRow(y, caw, extent.cx, line);
    }
    for (int i = std::max(0, (clip.left - 1) / c); i <= w; ++i) {
        int x = 1 + i * c;
        if (x >= clip.right)
            break;
        out.DottedColumn(x, cah, extent.cy, line);
    }

    // The picture grid's lines run on through the clue areas. A line two or three pixels wide
    // is wholly in the bold colour and wins where lines cross.
    auto [rowFirst, rowLast] = LineRange(g, cah, h, clip.top, clip.bottom);
    auto [colFirst, colLast] = LineRange(g, caw, w, clip.left, clip.right);
    for (int pass = 0; pass < 2; ++pass) {
        bool thick = pass == 1;
        for (int i = rowFirst; i <= rowLast; ++i) {
            int width = g.LineWidth(i, h);
            if ((width > 1) != thick)
                continue;
            int y = cah + g.LineOffset(i);
            out.Fill({1, y, extent.cx, y + width}, thick ? bold : line);
        }
        for (int i = colFirst; i <= colLast; ++i) {
            int width = g.LineWidth(i, w);
            if ((width > 1) != thick)
                continue;
            int x = caw + g.LineOffset(i);
            out.Fill({x, 1, x + width, extent.cy}, thick ? bold : line);
        }
    }
}

void DrawCellInterior(PixelWriter& out, const LayoutStyle& style, int x, int y, int value) {
    const LayoutGeometry& g = style.Geometry();
    const int c = g.cellSize();
    const Rect cell = g.CellInterior(x, y);
    if (value >= 1 && value <= 8) {
        // A shadow band q pixels wide along the top and left sides.
        int q = (c - 1) / 4;
        out.Fill(cell, style.Shadow(value));
        out.Fill({cell.left + q, cell.top + q, cell.right, cell.bottom}, style.Color(value));
    } else if (value == kCellX) {
        out.Fill(cell, style.Background());
        // Six one-pixel diagonals make an X three pixels thick, inset r from the cell's edges.
        const int r = (c - 1) / 8;
        const int e = c - r;
        const int left = cell.left;
        const int top = cell.top;
        const QRgb ink = style.Color(9);
        out.Diagonal(left + r + 1, top + r + 1, +1, e - 3 - r, ink);
        out.Diagonal(left + e - 3, top + r + 1, -1, e - 3 - r, ink);
        out.Diagonal(left + r + 2, top + r + 1, +1, e - 4 - r, ink);
        out.Diagonal(left + e - 4, top + r + 1, -1, e - 4 - r, ink);
        out.Diagonal(left + r + 1, top + r + 2, +1, e - 4 - r, ink);
        out.Diagonal(left + e - 3, top + r + 2, -1, e - 4 - r, ink);
    } else {
        out.Fill(cell, style.Background());
    }
}

QRgb PreviewColor(const LayoutStyle& style, int value) {
    return value >= 1 && value <= 8 ? style.Color(value) : style.Background();
}

// Text drawn with the painter; clipped to its own box so that each tile that shares a piece of
// the box draws the same pixels.
void DrawText(QPainter& painter, QPoint origin, const Rect& box, const Rect& clip, int x,
              int baseline, const QString& text, const QFont& font, QRgb color) {
    Rect visible = box.Intersect(clip);
    if (visible.IsEmpty())
        return;
    painter.setClipRect(QRect(visible.left - origin.x(), visible.top - origin.y(), visible.Width(),
                              visible.Height()));
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(color));
    painter.drawText(QPoint(x - origin.x(), baseline - origin.y()), text);
}

QString GraduationText(int i) {
    return i < 10 ? QStringLiteral(" %1").arg(i) : QString::number(i);
}

void DrawGraduationNumbers(QPainter& painter, QPoint origin, const Rect& clip,
                           const LayoutStyle& style) {
    const LayoutGeometry& g = style.Geometry();
    const PixelSize extent = g.GetLayoutExtent();
    const NumberFont& numbers = style.Numbers();
    const int c = g.cellSize();
    const Rect bitmap = style.BitmapRect();
    auto draw = [&](int x, int y, int i) {
        QString text = GraduationText(i);
        Rect box = Rect{x, y, x + numbers.TextWidth(text), y + numbers.Height()}.Intersect(bitmap);
        if (!box.Intersects(clip))
            return;
        DrawText(painter, origin, box, clip, x, y + numbers.Ascent(), text, numbers.Font(),
                 style.Shadow(0));
    };
    // Beside every fifth row right of the picture, 4/5 of a cell above the line that ends it;
    // below every fifth column, 4/5 of a cell left of its line.
    for (int i = 5; i <= g.rowCount(); i += 5) {
        draw(extent.cx + c * 1 / 5, g.clueAreaHeight() + g.LineOffset(i) + c * -4 / 5, i);
    }
    for (int i = 5; i <= g.columnCount(); i += 5) {
        draw(g.clueAreaWidth() + g.LineOffset(i) + c * -4 / 5, extent.cy + c * 1 / 5, i);
    }
}

void DrawClueText(QPainter& painter, QPoint origin, const Rect& clip, const LayoutStyle& style,
                  const Rect& box, int number, int colour) {
    if (number == kEmptySlot)
        return;  // the background already stands in the box
    const NumberFont::Fitted& fitted = style.Numbers().Fit(number);
    // Centred across, hanging from the box's top.
    int x = box.left + (box.Width() - fitted.width) / 2;
    DrawText(painter, origin, box, clip, x, box.top + style.Numbers().Ascent(),
             QString::number(number), fitted.font, style.ClueTextColor(colour));
}

}  // namespace

NumberFont::NumberFont(const std::string& faceName, int weight, int cellSize)
    : font_(QString::fromStdString(faceName)), cellSize_(cellSize) {
    font_.setWeight(static_cast<QFont::Weight>(std::clamp(weight <= 0 ? 400 : weight, 1, 1000)));
    font_.setStyleStrategy(QFont::PreferAntialias);
    // The height asked for is that of the character cell; find the em size that gives it.
    constexpr int kProbe = 256;
    font_.setPixelSize(kProbe);
    QFontMetricsF probe(font_);
    double cell = probe.ascent() + probe.descent();
    int wanted = std::max(1, cellSize - 4);
    font_.setPixelSize(std::max(1, cell > 0 ? qRound(wanted * kProbe / cell) : wanted));
    QFontMetrics metrics(font_);
    ascent_ = metrics.ascent();
    height_ = metrics.ascent() + metrics.descent();
    averageWidth_ = std::max(1, metrics.averageCharWidth());
}

int NumberFont::TextWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

const NumberFont::Fitted& NumberFont::Fit(int number) const {
    number = std::clamp(number, 0, 254);
    std::optional<Fitted>& slot = fitted_[static_cast<std::size_t>(number)];
    if (slot)
        return *slot;
    QString text = QString::number(number);
    Fitted fitted{font_, TextWidth(text), 100};
    const int limit = cellSize_ - 2;
    const int chars = static_cast<int>(text.size());
    // Narrower average widths until the text fits. One pixel is the narrowest there is, so the
    // search always ends.
    for (int j = 0; fitted.width > limit; ++j) {
        int averageWidth = cellSize_ / chars - j;
        if (averageWidth < 1)
            break;
        int stretch = std::clamp(qRound(100.0 * averageWidth / averageWidth_), 1, 4000);
        QFont narrow = font_;
        narrow.setStretch(stretch);
        fitted = {narrow, QFontMetrics(narrow).horizontalAdvance(text), stretch};
    }
    slot = fitted;
    return *slot;
}

LayoutStyle::LayoutStyle(const PuzzleModel& model, const RenderOptions& options)
    : geometry_(model.columnCount, model.rowCount, model.cellSize, options.boldLine),
      options_(options),
      numbers_(model.fontFaceName, model.fontWeight, geometry_.cellSize()) {
    for (std::size_t i = 0; i < 10; ++i) {
        colors_[i] = ToQRgb(model.colors[i]);
        shadows_[i] = ToQRgb(model.shadowColors[i]);
    }
}

QRgb LayoutStyle::ClueTextColor(int colourIndex) const {
    if (colourIndex >= 0 && colourIndex <= 9)
        return Color(colourIndex);
    if (colourIndex == 255 || colourIndex == -1)
        return Color(9);
    return Color(0);
}

Rect LayoutStyle::BitmapRect() const {
    PixelSize size = geometry_.BitmapSize();
    return {0, 0, size.cx, size.cy};
}

void RenderLayoutRegion(QImage& image, QPoint imageOrigin, const Rect& region,
                        const PuzzleModel& model, const LayoutStyle& style) {
    const Rect imageRect{imageOrigin.x(), imageOrigin.y(), imageOrigin.x() + image.width(),
                         imageOrigin.y() + image.height()};
    const Rect clip = region.Intersect(imageRect);
    if (clip.IsEmpty())
        return;
    PixelWriter out(image, imageOrigin, clip);
    out.Fill(clip, style.Background());
    const Rect draw = clip.Intersect(style.BitmapRect());
    if (draw.IsEmpty())
        return;
    PixelWriter in(image, imageOrigin, draw);

    DrawGridLines(in, style);

    const LayoutGeometry& g = style.Geometry();
    const int w = g.columnCount();
    const int h = g.rowCount();
    auto [x0, x1] = CellRange(g, g.clueAreaWidth(), w, draw.left, draw.right);
    auto [y0, y1] = CellRange(g, g.clueAreaHeight(), h, draw.top, draw.bottom);
    bool gridVisible = draw.right > g.clueAreaWidth() && draw.bottom > g.clueAreaHeight();
    if (gridVisible) {
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) {
                if (g.CellInterior(x, y).Intersects(draw))
                    DrawCellInterior(in, style, x, y, model.cells[x][y]);
            }
        }
    }
    // The preview: the top left W x H pixels, one per cell.
    for (int y = draw.top; y < std::min(draw.bottom, h); ++y) {
        for (int x = draw.left; x < std::min(draw.right, w); ++x)
            in.Set(x, y, PreviewColor(style, model.cells[x][y]));
    }

    QPainter painter(&image);
    if (style.Options().graduateNumber)
        DrawGraduationNumbers(painter, imageOrigin, draw, style);
    if (draw.left < g.clueAreaWidth() && draw.bottom > g.clueAreaHeight()) {
        auto [k0, k1] = SlotRange(g, g.clueAreaWidth(), w, draw.left, draw.right);
        for (int y = y0; y <= y1; ++y) {
            for (int k = k0; k <= k1; ++k) {
                Rect box = g.ClueBox(SideRow, y, k);
                if (!box.Intersects(draw))
                    continue;
                DrawClueText(painter, imageOrigin, draw, style, box, model.rowClueNumbers[k][y],
                             model.rowClueColors[k][y]);
            }
        }
    }
    if (draw.top < g.clueAreaHeight() && draw.right > g.clueAreaWidth()) {
        auto [k0, k1] = SlotRange(g, g.clueAreaHeight(), h, draw.top, draw.bottom);
        for (int x = x0; x <= x1; ++x) {
            for (int k = k0; k <= k1; ++k) {
                Rect box = g.ClueBox(SideColumn, x, k);
                if (!box.Intersects(draw))
                    continue;
                DrawClueText(painter, imageOrigin, draw, style, box, model.columnClueNumbers[x][k],
                             model.columnClueColors[x][k]);
            }
        }
    }
}

Rect CellChangeRect(const LayoutStyle& style, int x, int y) {
    const LayoutGeometry& g = style.Geometry();
    if (x < 0 || y < 0 || x >= g.columnCount() || y >= g.rowCount())
        return {};
    return g.CellInterior(x, y);
}

Rect PreviewPixelRect(const LayoutStyle& style, int x, int y) {
    const LayoutGeometry& g = style.Geometry();
    if (x < 0 || y < 0 || x >= g.columnCount() || y >= g.rowCount())
        return {};
    return {x, y, x + 1, y + 1};
}

Rect ClueSlotChangeRect(const LayoutStyle& style, int side, int line, int slot) {
    const LayoutGeometry& g = style.Geometry();
    if (line < 0 || slot < 0)
        return {};
    if (side == SideRow && line < g.rowCount() && slot < g.columnCount())
        return g.ClueBox(side, line, slot);
    if (side == SideColumn && line < g.columnCount() && slot < g.rowCount())
        return g.ClueBox(side, line, slot);
    return {};
}

void PaintFragment(QImage& image, QPoint imageOrigin, const LayoutStyle& style, const Fragment& fragment, int left,
                   int top, bool opaque) {
    const Rect imageRect{imageOrigin.x(), imageOrigin.y(), imageOrigin.x() + image.width(),
                         imageOrigin.y() + image.height()};
    PixelWriter out(image, imageOrigin, imageRect);
    const LayoutGeometry& geometry = style.Geometry();
    const int firstX = std::max({left, geometry.PictureColumnAt(imageRect.left), 0});
    const int lastX = std::min({left + fragment.width - 1, geometry.PictureColumnAt(imageRect.right), geometry.columnCount() - 1});
    const int firstY = std::max({top, geometry.PictureRowAt(imageRect.top), 0});
    const int lastY = std::min({top + fragment.height - 1, geometry.PictureRowAt(imageRect.bottom), geometry.rowCount() - 1});
    for (int y = firstY; y <= lastY; ++y) {
        for (int x = firstX; x <= lastX; ++x) {
            const int value = fragment.At(x - left, y - top);
            if (opaque || value != kCellBlank)
                DrawCellInterior(out, style, x, y, value);
        }
    }
}

void PaintLinePreview(QPainter& painter, QPoint layoutOrigin, const LayoutGeometry& geometry, CellPoint a, CellPoint b) {
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(QColor(255, 255, 192));
    for (const CellPoint& cell : StraightLineCells(a.x, a.y, b.x, b.y, geometry.columnCount(), geometry.rowCount())) {
        const Rect r = geometry.CellInterior(cell.x, cell.y);
        painter.drawRect(r.left - layoutOrigin.x(), r.top - layoutOrigin.y(), r.Width() - 1, r.Height() - 1);
    }
    painter.restore();
}

QImage RenderPreview(const PuzzleModel& model) {
    const int w = std::clamp(model.columnCount, 1, kMaxLines);
    const int h = std::clamp(model.rowCount, 1, kMaxLines);
    QImage preview(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(preview.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int v = model.cells[x][y];
            line[x] = ToQRgb(v >= 1 && v <= 8 ? model.colors[static_cast<std::size_t>(v)]
                                              : model.colors[0]);
        }
    }
    return preview;
}

QImage RenderLayoutImage(const PuzzleModel& model, const LayoutStyle& style, const Rect& region) {
    QImage image(std::max(1, region.Width()), std::max(1, region.Height()), QImage::Format_RGB32);
    RenderLayoutRegion(image, QPoint(region.left, region.top), region, model, style);
    return image;
}

}  // namespace tessemar
