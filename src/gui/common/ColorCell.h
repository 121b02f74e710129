#pragma once

#include "core/document/Colors.h"

#include <QColor>

class QPainter;
class QRect;

namespace tessemar {

inline QColor ToQColor(ColorRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline ColorRef ToColorRef(const QColor& c) {
    return MakeColorRef(c.red(), c.green(), c.blue());
}

// A colour cell as the menus, swatches and the colour dialog draw it: the shadow along the top
// and the left, the colour in the rest (from a quarter of the width and height in), inside a
// thin dark edge.
void DrawColorCell(QPainter& painter, const QRect& rect, ColorRef color, ColorRef shadow);

}  // namespace tessemar
