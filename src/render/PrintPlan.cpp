#include "render/PrintPlan.h"

#include "render/SheetExport.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessemar {
namespace {

constexpr int kMinPreviewBandRows = 64;

int CeilDiv(std::int64_t a, std::int64_t b) { return static_cast<int>((a + b - 1) / b); }

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

QRect PrintPlan::SourceOf(int page, QSize sheet) const {
    const int column = (page - 1) % across;
    const int row = (page - 1) / across;
    return QRect(QPoint(column * tile.width(), row * tile.height()), tile) & QRect(QPoint(0, 0), sheet);
}

QRect PrintPlan::TargetOf(const QRect& source) const {
    return QRect(printable.topLeft(), source.size() * zoom / 100);
}

QImage PageTile(const PrintPlan& plan, int page, const Rect& sheet, const PuzzleModel& model, const LayoutStyle& style) {
    const QRect source = plan.SourceOf(page, QSize(sheet.Width(), sheet.Height()));
    if (source.isEmpty())
        return {};
    QImage tile(source.size(), QImage::Format_RGB32);
    const QPoint origin(sheet.left + source.left(), sheet.top + source.top());
    RenderSheetRegion(tile, origin, {origin.x(), origin.y(), origin.x() + source.width(), origin.y() + source.height()},
                      model, style);
    return tile;
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
    const int bandRows =
        std::min(std::max(static_cast<int>(std::ceil(4 / rowHeight)), kMinPreviewBandRows), source.height());
    QImage band(source.width(), bandRows, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int top = 0; top < source.height(); top += bandRows) {
        const int rows = std::min(bandRows, source.height() - top);
        const QPoint origin(sheet.left + source.left(), sheet.top + source.top() + top);
        RenderSheetRegion(band, origin, {origin.x(), origin.y(), origin.x() + source.width(), origin.y() + rows},
                          model, style);
        const int y0 = qRound(target.top() * scale + top * rowHeight);
        const int y1 = std::max(y0 + 1, qRound(target.top() * scale + (top + rows) * rowHeight));
        painter.drawImage(QPoint(left, y0), band.copy(0, 0, source.width(), rows)
                                                .scaled(width, y1 - y0, Qt::IgnoreAspectRatio, mode));
    }
    return picture;
}

void PrintSheet(QPainter& painter, QPagedPaintDevice& device, const PrintPlan& plan, const Rect& sheet,
                const PuzzleModel& model, const LayoutStyle& style) {
    for (int page = 1; page <= plan.Pages(); ++page) {
        if (page > 1)
            device.newPage();
        const QImage tile = PageTile(plan, page, sheet, model, style);
        if (!tile.isNull())
            painter.drawImage(plan.TargetOf(tile.rect()), tile);
    }
}

}  // namespace tessemar
