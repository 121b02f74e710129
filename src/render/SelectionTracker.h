#pragma once

#include <QPoint>
#include <QRect>

class QPainter;

namespace tessemar {

// The frame drawn around a floating fragment: a hatched band just outside the rectangle with
// eight square handles. Hit codes: 0..7 the handles (top left, top right, bottom right, bottom
// left, top, right, bottom, left), 8 the inside, -1 elsewhere.
inline constexpr int kTrackerInside = 8;

int TrackerHit(const QRect& rect, QPoint point);
void DrawTracker(QPainter& painter, const QRect& rect);

}  // namespace tessemar
