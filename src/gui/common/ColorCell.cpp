#include "gui/common/ColorCell.h"

#include <QPainter>
#include <QRect>

#include <algorithm>

namespace tessemar {

void DrawColorCell(QPainter& painter, const QRect& rect, ColorRef color, ColorRef shadow) {
    painter.fillRect(rect, QColor(96, 96, 96));
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    painter.fillRect(inner, ToQColor(shadow));
    const int bandX = std::max(1, inner.width() / 4);
    const int bandY = std::max(1, inner.height() / 4);
    painter.fillRect(inner.adjusted(bandX, bandY, 0, 0), ToQColor(color));
}

}  // namespace tessemar
