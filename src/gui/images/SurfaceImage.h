#pragma once

#include "core/images/Surface.h"

#include <QImage>
#include <QPainter>

namespace tessemar {

// A QImage over the pixels of a surface, without copying: valid while the surface lives and
// keeps its size. The surface's pixel layout is Qt's 32-bit layout (0xAARRGGBB per pixel), so
// Format_ARGB32 reads it with straight alpha and Format_RGB32 ignores the alpha.
inline QImage WrapSurface(const Surface& surface, QImage::Format format = QImage::Format_ARGB32) {
    return QImage(reinterpret_cast<const uchar*>(surface.Data()), surface.Width(), surface.Height(),
                  static_cast<qsizetype>(surface.Pitch()), format);
}

}  // namespace tessemar
