#include "render/SheetExport.h"

#include "core/io/AtomicFile.h"
#include "core/io/ByteOrder.h"
#include "render/AtomicFileDevice.h"

#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace tessemar {
namespace {

// Every band of a bitmap file is converted to 24 bits before it is written, so its bands are
// kept short: a band of the widest sheet is still several megabytes.
constexpr int kBandRows = 64;

// A bitmap file is stored bottom-up, so the bands are drawn from the bottom.
int WriteBitmapInBands(const std::string& path, int width, int height, const BandPainter& drawBand) {
    if (width < 1 || height < 1)
        return EINVAL;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint64_t imageSize = std::uint64_t{stride} * static_cast<std::uint64_t>(height);
    if (imageSize + 54 > 0xFFFFFFFFull)
        return EFBIG;
    AtomicFile file(path);
    if (file.Error() != 0)
        return file.Error();

    std::vector<std::uint8_t> header;
    header.push_back('B');
    header.push_back('M');
    bytes::PutU32(header, static_cast<std::uint32_t>(imageSize + 54));
    bytes::PutU32(header, 0);
    bytes::PutU32(header, 54);
    bytes::PutU32(header, 40);
    bytes::PutU32(header, static_cast<std::uint32_t>(width));
    bytes::PutU32(header, static_cast<std::uint32_t>(height));
    bytes::PutU16(header, 1);
    bytes::PutU16(header, 24);
    bytes::PutU32(header, 0);  // no compression
    bytes::PutU32(header, static_cast<std::uint32_t>(imageSize));
    bytes::PutU32(header, 0);
    bytes::PutU32(header, 0);
    bytes::PutU32(header, 0);
    bytes::PutU32(header, 0);
    if (!file.Write(header.data(), header.size()))
        return file.Error();

    const std::size_t pixelBytes = static_cast<std::size_t>(width) * 3;
    DrawInBands(width, height, kBandRows, true, drawBand, [&](const QImage& band, int, int rows) {
        // Qt pads every row of a 24-bit image to four bytes, as a bitmap file does; the padding
        // is written as zeros.
        QImage bgr = band.convertToFormat(QImage::Format_BGR888);
        for (int r = rows - 1; r >= 0; --r) {
            std::uint8_t* row = bgr.scanLine(r);
            std::fill(row + pixelBytes, row + stride, std::uint8_t{0});
            if (!file.Write(row, stride))
                return false;
        }
        return true;
    });
    return file.Commit().error;
}

}  // namespace

Rect GetSheetRect(const LayoutStyle& style, const PuzzleModel& model, bool cut) {
    const LayoutGeometry& g = style.Geometry();
    const PixelSize full = g.BitmapSize();
    if (!cut)
        return {1, 1, 1 + full.cx, 1 + full.cy};
    auto [r, k] = GetUsedClueDepth(model);
    const int x0 = (g.columnCount() - r) * g.cellSize() + 1;
    const int y0 = (g.rowCount() - k) * g.cellSize() + 1;
    return {x0, y0, full.cx, full.cy};
}

void RenderSheetRegion(QImage& image, QPoint imageOrigin, const Rect& region,
                       const PuzzleModel& model, const LayoutStyle& style) {
    RenderLayoutRegion(image, imageOrigin, region, model, style);
    // The preview belongs to the corner pane, not to the sheet; it is blanked even when a cut
    // sheet reaches into the corner (both clue areas in full use).
    const LayoutGeometry& g = style.Geometry();
    const int right = std::min({region.right, g.columnCount(), imageOrigin.x() + image.width()});
    const int bottom = std::min({region.bottom, g.rowCount(), imageOrigin.y() + image.height()});
    const int left = std::max({region.left, 0, imageOrigin.x()});
    const int top = std::max({region.top, 0, imageOrigin.y()});
    for (int y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y - imageOrigin.y()));
        for (int x = left; x < right; ++x)
            line[x - imageOrigin.x()] = style.Background();
    }
}

QImage RenderSheet(const PuzzleModel& model, const LayoutStyle& style, bool cut) {
    const Rect sheet = GetSheetRect(style, model, cut);
    if (std::int64_t{sheet.Width()} * sheet.Height() > kMaxSheetPixelsInMemory)
        return {};
    QImage image(sheet.Width(), sheet.Height(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    RenderSheetRegion(image, QPoint(sheet.left, sheet.top), sheet, model, style);
    return image;
}

BandPainter SheetBands(const PuzzleModel& model, const LayoutStyle& style, const Rect& sheet) {
    return [&model, &style, sheet](QImage& band, int top) {
        const Rect part{sheet.left, sheet.top + top, sheet.right,
                        std::min(sheet.bottom, sheet.top + top + band.height())};
        RenderSheetRegion(band, QPoint(part.left, part.top), part, model, style);
    };
}

BandPainter ImageBands(const QImage& image) {
    return [source = image.convertToFormat(QImage::Format_RGB32)](QImage& band, int top) {
        band.fill(Qt::black);
        QPainter painter(&band);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), source, QRect(0, top, source.width(), band.height()));
    };
}

void DrawInBands(int width, int height, int bandRows, bool bottomUp, const BandPainter& drawBand,
                 const BandUser& use) {
    if (width < 1 || height < 1)
        return;
    QImage band(width, std::min(bandRows, height), QImage::Format_RGB32);
    const int bands = (height + band.height() - 1) / band.height();
    for (int i = 0; i < bands; ++i) {
        const int top = (bottomUp ? bands - 1 - i : i) * band.height();
        drawBand(band, top);
        if (!use(band, top, std::min(band.height(), height - top)))
            return;
    }
}

int WriteSheetBitmapFile(const std::string& path, const PuzzleModel& model,
                         const LayoutStyle& style, bool cut) {
    const Rect sheet = GetSheetRect(style, model, cut);
    return WriteBitmapInBands(path, sheet.Width(), sheet.Height(), SheetBands(model, style, sheet));
}

int WritePngFile(const std::string& path, const QImage& image) {
    if (image.isNull())
        return EFBIG;
    AtomicFile file(path);
    if (file.Error() != 0)
        return file.Error();
    {
        AtomicFileDevice device(file);
        QImageWriter writer(&device, "png");
        if (!writer.write(image))
            return file.Error() != 0 ? file.Error() : EIO;
    }
    return file.Commit().error;
}

int WriteBitmapFile(const std::string& path, const QImage& image) {
    if (image.isNull())
        return EINVAL;
    return WriteBitmapInBands(path, image.width(), image.height(), ImageBands(image));
}

}  // namespace tessemar
