#include "render/SelectionTracker.h"

#include <QBrush>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace tessemar {
namespace {

constexpr int kBand = 4;    // width of the hatched band
constexpr int kHandle = 7;  // side of a handle

std::array<QRect, 8> Handles(const QRect& rect) {
    const QRect outer = rect.adjusted(-kBand, -kBand, kBand, kBand);
    const auto at = [](QPoint centre) { return QRect(centre - QPoint(kHandle / 2, kHandle / 2), QSize(kHandle, kHandle)); };
    const int midX = outer.center().x();
    const int midY = outer.center().y();
    return {at(outer.topLeft()),          at(outer.topRight()),        at(outer.bottomRight()),
            at(outer.bottomLeft()),       at({midX, outer.top()}),     at({outer.right(), midY}),
            at({midX, outer.bottom()}),   at({outer.left(), midY})};
}

}  // namespace

int TrackerHit(const QRect& rect, QPoint point) {
    const std::array<QRect, 8> handles = Handles(rect);
    for (int code = 0; code < 8; ++code) {
        if (handles[static_cast<std::size_t>(code)].contains(point))
            return code;
    }
    return rect.adjusted(-kBand, -kBand, kBand, kBand).contains(point) ? kTrackerInside : -1;
}

void DrawTracker(QPainter& painter, const QRect& rect) {
    painter.save();
    const QRect outer = rect.adjusted(-kBand, -kBand, kBand, kBand);
    QPainterPath band;
    band.addRect(outer);
    band.addRect(rect);
    painter.fillPath(band, QBrush(Qt::black, Qt::BDiagPattern));
    painter.setPen(Qt::white);
    painter.setBrush(Qt::black);
    for (const QRect& handle : Handles(rect))
        painter.drawRect(handle.adjusted(0, 0, -1, -1));
    painter.restore();
}

}  // namespace tessemar
