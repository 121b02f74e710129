#include "render/PrintPlan.h"

#include "render/SheetExport.h"

#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessemar {
namespace {

constexpr int kMinBandRows = 64;
// A page is printed in bands of this many sheet rows, so that a page at a printer's resolution
// is never held in memory whole. A tile is at most a page wide, far narrower than the widest
// sheet, so its bands can be taller than a sheet's and make fewer images for the printer.
constexpr int kPrintBandRows = 512;

int CeilDiv(std::int64_t a, std::int64_t b) { return static_cast<int>((a + b - 1) / b); }

// Draws the sheet's pixels of page n band by band and hands each band to use with the band's
// first row within the page's tile and its number of rows.
void DrawPageInBands(const PrintPlan& plan, int page, const Rect& sheet, const PuzzleModel& model,
                     const LayoutStyle& style, int bandRows, const BandUser& use) {
    const QRect source = plan.SourceOf(page, QSize(sheet.Width(), sheet.Height()));
    const QPoint at(sheet.left + source.left(), sheet.top + source.top());
    const Rect tile{at.x(), at.y(), at.x() + source.width(), at.y() + source.height()};
    DrawInBands(source.width(), source.height(), bandRows, false, SheetBands(model, style, tile),
                use);
}

}  // namespace

PrintPlan PlanPrint(QSize sheet, const QRect& pageRect, int dpiX, int dpiY, const QMargins& margins, int zoom) {
    PrintPlan plan;
    plan.zoom = std::clamp(zoom, 1, 1000);
    const int left = pageRect.left() + margins.left() * dpiX / 2540;
    const int top = pageRect.top() + margins.top() * dpiY / 2540;
    const int right = pageRect.right() + 1 - margins.right() * dpiX / 2540;
    const int bottom = pageRect.bottom() + 1 - margins.bottom() * dpiY / 2540;
    plan.printable = QRect(QPoint(left, top), QSize(std::max(1, right - left), std::max(1, bottom - top)));
    plan.across = std::max(1, CeilDiv(std::int64_t{sheet.width()} * plan.zoom / 100, plan.printable.width()));
    plan.down = std::max(1, CeilDiv(std::int64_t{sheet.height()} * plan.zoom / 100, plan.printable.height()));
    plan.tile = QSize(std::max(1, std::min(sheet.width(), plan.printable.width() * 100 / plan.zoom)),
                      std::max(1, std::min(sheet.height(), plan.printable.height() * 100 / plan.zoom)));
    return plan;
}

PrintPlan PlanPrint(QSize sheet, const QPageLayout& layout, int resolution, const QMargins& margins,
                    int zoom) {
    return PlanPrint(sheet, layout.paintRectPixels(resolution), resolution, resolution, margins,
                     zoom);
}

QRect PrintPlan::SourceOf(int page, QSize sheet) const {
    const int column = (page - 1) % across;
    const int row = (page - 1) / across;
    return QRect(QPoint(column * tile.width(), row * tile.height()), tile) & QRect(QPoint(0, 0), sheet);
}

QRect PrintPlan::TargetOf(const QRect& source) const {
    return QRect(printable.topLeft(), source.size() * zoom / 100);
}

QImage PagePreview(const PrintPlan& plan, int page, QSize paper, QSize fit, const Rect& sheet,
                   const PuzzleModel& model, const LayoutStyle& style) {
    const QSize shown = paper.scaled(fit, Qt::KeepAspectRatio);
    if (shown.isEmpty())
        return {};
    QImage picture(shown, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QRect source = plan.SourceOf(page, QSize(sheet.Width(), sheet.Height()));
    if (source.isEmpty())
        return picture;
    const double scale = static_cast<double>(shown.width()) / paper.width();
    const QRect target = plan.TargetOf(source);
    const int left = qRound(target.left() * scale);
    const int width = std::max(1, qRound((target.x() + target.width()) * scale) - left);
    const double rowHeight = target.height() * scale / source.height();
    const Qt::TransformationMode mode = rowHeight < 1 ? Qt::SmoothTransformation : Qt::FastTransformation;
    // Bands tall enough to shrink to a few rows each, so that rounding stays small.
    const int bandRows = std::max(static_cast<int>(std::ceil(4 / rowHeight)), kMinBandRows);
    QPainter painter(&picture);
    DrawPageInBands(plan, page, sheet, model, style, bandRows, [&](const QImage& band, int top, int rows) {
        const int y0 = qRound(target.top() * scale + top * rowHeight);
        const int y1 = std::max(y0 + 1, qRound(target.top() * scale + (top + rows) * rowHeight));
        // The band's rows are shrunk without a copy of them. Not QPainter's scaling: it shrinks
        // by interpolating between neighbouring pixels instead of averaging, and loses thin lines.
        const QImage used(band.constBits(), band.width(), rows, band.bytesPerLine(), band.format());
        painter.drawImage(QPoint(left, y0),
                          used.scaled(width, y1 - y0, Qt::IgnoreAspectRatio, mode));
        return true;
    });
    return picture;
}

void PrintSheet(QPainter& painter, QPagedPaintDevice& device, const PrintPlan& plan, const Rect& sheet,
                const PuzzleModel& model, const LayoutStyle& style) {
    const double zoom = plan.zoom / 100.0;
    for (int page = 1; page <= plan.Pages(); ++page) {
        if (page > 1)
            device.newPage();
        const QPoint at = plan.printable.topLeft();
        DrawPageInBands(plan, page, sheet, model, style, kPrintBandRows, [&](const QImage& band, int top, int rows) {
            painter.drawImage(QRectF(at.x(), at.y() + top * zoom, band.width() * zoom, rows * zoom), band,
                              QRectF(0, 0, band.width(), rows));
            return true;
        });
    }
}

}  // namespace tessemar
