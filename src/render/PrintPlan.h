#pragma once

#include "render/LayoutRenderer.h"

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QSize>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

namespace tessemar {

// How a sheet goes onto pages: the sheet's pixels at zoom percent, one device pixel each at
// 100 %, inside the page's drawing rectangle less the margins, in tiles across and down.
// Page n (from 1) shows tile ((n - 1) mod across, (n - 1) div across).
struct PrintPlan {
    QRect printable;  // device pixels, the margins taken off
    int zoom = 100;
    int across = 1;
    int down = 1;
    QSize tile;  // sheet pixels per page

    int Pages() const { return across * down; }
    // The part of the sheet page n shows (clipped at the sheet's edge), and where it goes.
    QRect SourceOf(int page, QSize sheet) const;
    QRect TargetOf(const QRect& source) const;
};

// pageRect: the page's drawing rectangle in device pixels, which Qt's printers and PDF writer
// give square; dpiX, dpiY: the device's pixels per inch, for the margins, given in hundredths
// of a millimetre.
PrintPlan PlanPrint(QSize sheet, const QRect& pageRect, int dpiX, int dpiY, const QMargins& margins, int zoom);

// The plan for pages of layout printed at resolution dots per inch, on its drawing rectangle, as
// a printer or the PDF writer set to that resolution prints them.
PrintPlan PlanPrint(QSize sheet, const QPageLayout& layout, int resolution, const QMargins& margins,
                    int zoom);

// Page n as it looks on paper (paper: the page's drawing area in device pixels), shrunk to fit
// into `fit`: white paper with the tile where the printer puts it. The tile is drawn band by
// band at the sheet's own size and each band shrunk, so that the page is never held at the
// printer's resolution.
QImage PagePreview(const PrintPlan& plan, int page, QSize paper, QSize fit, const Rect& sheet,
                   const PuzzleModel& model, const LayoutStyle& style);

// Paints every page of the plan on the device through painter (which is active on it), each
// page's tile drawn from the layout in bands so that neither the sheet nor a page is ever held
// in memory whole.
void PrintSheet(QPainter& painter, QPagedPaintDevice& device, const PrintPlan& plan, const Rect& sheet,
                const PuzzleModel& model, const LayoutStyle& style);

}  // namespace tessemar
