#pragma once

// The puzzle sheet as a picture: the layout with its clues and graduation numbers, without the
// preview pixels, optionally without the unused outer clue slots. Used by the bitmap export,
// printing and tessemar-cli render.

#include "render/LayoutRenderer.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>

namespace tessemar {

// The layout rectangle of the sheet. Without cutting it starts at (1, 1) and is as large as the
// whole drawing; with cutting it starts at the first used clue slot of each clue area (the used
// depth without the extra empty slot) and ends where the drawing ends.
Rect GetSheetRect(const LayoutStyle& style, const PuzzleModel& model, bool cut);

// Draws part of the sheet (in layout coordinates) into image, whose pixel (0, 0) shows layout
// point imageOrigin. The preview pixels of the top left corner are left out.
void RenderSheetRegion(QImage& image, QPoint imageOrigin, const Rect& region,
                       const PuzzleModel& model, const LayoutStyle& style);

// Draws the rows from `top` on of a picture into band (Format_RGB32, as many rows as it has, up
// to the picture's last), so that a file can be written band by band.
using BandPainter = std::function<void(QImage& band, int top)>;
BandPainter SheetBands(const PuzzleModel& model, const LayoutStyle& style, const Rect& sheet);
BandPainter ImageBands(const QImage& image);

// Walks a picture of width x height pixels in bands of bandRows (the last one shorter), from the
// top or, bottomUp, from the bottom. One band image is drawn by drawBand for each band and handed
// to use with the band's first row and its number of rows; use returns false to stop.
using BandUser = std::function<bool(const QImage& band, int top, int rows)>;
void DrawInBands(int width, int height, int bandRows, bool bottomUp, const BandPainter& drawBand,
                 const BandUser& use);

// The largest sheet that is made as one picture in memory (pixels). A larger one can still be
// written as a bitmap file, which is drawn band by band.
inline constexpr std::int64_t kMaxSheetPixelsInMemory = std::int64_t{100} * 1000 * 1000;

// The whole sheet as one picture; a null image when it has more than kMaxSheetPixelsInMemory.
QImage RenderSheet(const PuzzleModel& model, const LayoutStyle& style, bool cut);

// Writes the sheet as a 24-bit bitmap file, drawn in bands so that memory stays small whatever
// the size. The file is written beside the target and renamed over it only when complete.
// Returns 0 or the errno value of the step that failed.
int WriteSheetBitmapFile(const std::string& path, const PuzzleModel& model,
                         const LayoutStyle& style, bool cut);

// Writes any image as a 24-bit bitmap file in the same way; 0 or an errno value.
int WriteBitmapFile(const std::string& path, const QImage& image);

// Writes an image as a PNG file, streamed into the target's replacement file so that an existing
// file is replaced only by a complete one; 0, EFBIG for a null image (a sheet too large to be
// made in memory), EIO when it cannot be encoded, or the errno value of the write.
int WritePngFile(const std::string& path, const QImage& image);

}  // namespace tessemar
