#pragma once

#include "core/document/Drawing.h"
#include "render/ViewGeometry.h"

#include <QPoint>

#include <vector>

class QPainter;

namespace tessemar {

// Marks picture cells over the layout, for example the cells in which two solutions of a
// puzzle differ: a red frame inside each cell with a dot in its middle, visible over any cell
// colour. painter draws in coordinates where layout point layoutOrigin is (0, 0); cells outside
// the picture are left out.
void PaintCellMarks(QPainter& painter, QPoint layoutOrigin, const LayoutGeometry& geometry,
                    const std::vector<CellPoint>& cells);

}  // namespace tessemar
