#include "gui/output/PrintDocument.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "render/PrintPlan.h"
#include "render/SheetExport.h"

#include <QPainter>
#include <QPrinter>

namespace tessemar {

int PrintDocument(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& style, const AppSettings& settings) {
    const Rect sheet = GetSheetRect(style, doc.Model(), settings.cutBlankNum != 0);
    // The settings' margins are taken off the page here, not by the printer a second time.
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    const int resolution = printer.resolution();
    const PrintPlan plan = PlanPrint(QSize(sheet.Width(), sheet.Height()), printer.pageLayout().paintRectPixels(resolution),
                                     resolution, resolution,
                                     QMargins(settings.marginLeft, settings.marginTop, settings.marginRight,
                                              settings.marginBottom),
                                     settings.zoom);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    PrintSheet(painter, printer, plan, sheet, doc.Model(), style);
    painter.end();
    return plan.Pages();
}

}  // namespace tessemar
