#include "render/CellMarks.h"

#include <QPainter>

#include <algorithm>

namespace tessemar {

void PaintCellMarks(QPainter& painter, QPoint layoutOrigin, const LayoutGeometry& geometry,
                    const std::vector<CellPoint>& cells) {
    painter.save();
    // Red with a white inner line reads on dark cells and on light ones alike.
    const QPen red(QColor(220, 30, 30), 2);
    const QPen white(QColor(255, 255, 255), 1);
    for (const CellPoint& cell : cells) {
        if (cell.x < 0 || cell.y < 0 || cell.x >= geometry.columnCount() ||
            cell.y >= geometry.rowCount())
            continue;
        const Rect r = geometry.CellInterior(cell.x, cell.y);
        const QRect box(r.left - layoutOrigin.x(), r.top - layoutOrigin.y(), r.Width(), r.Height());
        painter.setBrush(Qt::NoBrush);
        painter.setPen(red);
        painter.drawRect(box.adjusted(1, 1, -1, -1));
        painter.setPen(white);
        painter.drawRect(box.adjusted(2, 2, -3, -3));
        const int dot = std::max(2, box.width() / 5);
        painter.fillRect(QRect(box.center() - QPoint(dot / 2, dot / 2), QSize(dot, dot)),
                         QColor(220, 30, 30));
    }
    painter.restore();
}

}  // namespace tessemar
