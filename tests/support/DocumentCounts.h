#pragma once

#include "core/document/CLogicDoc.h"

namespace tessemar {

// How many picture cells hold a colour or an X mark.
inline int CountSetCells(const CLogicDoc& doc) {
    int set = 0;
    for (int y = 0; y < doc.rowCount(); ++y)
        for (int x = 0; x < doc.columnCount(); ++x)
            set += doc.Cell(x, y) != 0 ? 1 : 0;
    return set;
}

}  // namespace tessemar
