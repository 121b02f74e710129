#include "render/PdfFile.h"

#include "core/io/AtomicFile.h"
#include "render/AtomicFileDevice.h"
#include "render/PrintPlan.h"
#include "render/SheetExport.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cerrno>
#include <functional>

namespace tessemar {
namespace {

// Every band becomes an image of its own in the file, so the bands of a sheet are taller than
// a bitmap file's: fewer images make a smaller file and less work for the writer.
constexpr int kBandRows = 256;
constexpr int kScreenResolution = 96;
// PDF readers show pages of at most 200 inches a side.
constexpr int kLargestPageInches = 200;

// Writes the pages that draw paints (it calls writer.newPage() between them) at resolution
// dots per inch on pages of the given layout. Returns 0, the errno value of the write that
// failed, or EIO when Qt's writer fails.
int WritePdfFile(const std::string& path, const QPageLayout& layout, int resolution,
                 const std::function<void(QPdfWriter& writer, QPainter& painter)>& draw) {
    AtomicFile file(path);
    if (file.Error() != 0)
        return file.Error();
    {
        AtomicFileDevice device(file);
        QPdfWriter writer(&device);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return file.Error() != 0 ? file.Error() : EIO;
        draw(writer, painter);
        if (!painter.end() && file.Error() == 0)
            return EIO;
    }
    if (file.Error() != 0)
        return file.Error();
    return file.Commit().error;
}

// One page of width x height pixels, drawn band by band.
int WritePdfInBands(const std::string& path, int width, int height, const BandPainter& drawBand) {
    if (width < 1 || height < 1)
        return EINVAL;
    const int resolution = std::max(
        kScreenResolution, (std::max(width, height) + kLargestPageInches - 1) / kLargestPageInches);
    const QPageSize size(QSizeF(width * 72.0 / resolution, height * 72.0 / resolution),
                         QPageSize::Point, QString(), QPageSize::ExactMatch);
    return WritePdfFile(path, QPageLayout(size, QPageLayout::Portrait, QMarginsF()), resolution,
                        [&](QPdfWriter&, QPainter& painter) {
                            DrawInBands(width, height, kBandRows, false, drawBand,
                                        [&](const QImage& band, int top, int rows) {
                                            painter.drawImage(QRect(0, top, width, rows), band,
                                                              QRect(0, 0, width, rows));
                                            return true;
                                        });
                        });
}

}  // namespace

int WritePrintPdfFile(const std::string& path, const QPageSize& pageSize, const QMargins& margins,
                      int zoom, const Rect& sheet, const PuzzleModel& model,
                      const LayoutStyle& style, PrintPlan& plan) {
    const QPageLayout layout(pageSize, QPageLayout::Portrait, QMarginsF());
    plan =
        PlanPrint(QSize(sheet.Width(), sheet.Height()), layout, kPrintPdfResolution, margins, zoom);
    return WritePdfFile(path, layout, kPrintPdfResolution,
                        [&](QPdfWriter& writer, QPainter& painter) {
                            PrintSheet(painter, writer, plan, sheet, model, style);
                        });
}

int WriteSheetPdfFile(const std::string& path, const PuzzleModel& model, const LayoutStyle& style, bool cut) {
    const Rect sheet = GetSheetRect(style, model, cut);
    return WritePdfInBands(path, sheet.Width(), sheet.Height(), SheetBands(model, style, sheet));
}

int WriteImagePdfFile(const std::string& path, const QImage& image) {
    if (image.isNull())
        return EINVAL;
    return WritePdfInBands(path, image.width(), image.height(), ImageBands(image));
}

}  // namespace tessemar
