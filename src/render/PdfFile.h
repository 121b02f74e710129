#pragma once

// PDF files written through Qt's PDF writer: streamed into the target's replacement file, so
// that a large document is never held in memory and an existing file is replaced only by a
// complete one.

#include <QImage>

#include <string>

class QMargins;
class QPageSize;

namespace tessemar {

class LayoutStyle;
struct PrintPlan;
struct PuzzleModel;
struct Rect;

// What a laser printer has: pages printed into a PDF file are made at this resolution, so that
// they look as printed ones and the zoom setting means the same for both.
inline constexpr int kPrintPdfResolution = 600;

// The sheet printed on paper of pageSize at kPrintPdfResolution, inside the margins (in
// hundredths of a millimetre) at zoom percent, as a PDF file; plan receives the page plan.
int WritePrintPdfFile(const std::string& path, const QPageSize& pageSize, const QMargins& margins,
                      int zoom, const Rect& sheet, const PuzzleModel& model,
                      const LayoutStyle& style, PrintPlan& plan);

// The sheet or any image as a single page of its own size in pixels (96 per inch, finer when
// a large sheet would pass the largest page a PDF reader shows), drawn in bands.
int WriteSheetPdfFile(const std::string& path, const PuzzleModel& model, const LayoutStyle& style, bool cut);
int WriteImagePdfFile(const std::string& path, const QImage& image);

}  // namespace tessemar
