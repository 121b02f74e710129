#include "gui/output/PrintDocument.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "render/PdfFile.h"
#include "render/SheetExport.h"

#include <QPainter>
#include <QPrinter>

namespace tessemar {

DocumentPrint PlanDocumentPrint(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& style,
                                const AppSettings& settings) {
    DocumentPrint print;
    print.sheet = GetSheetRect(style, doc.Model(), settings.cutBlankNum != 0);
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(kPrintPdfResolution);
    const int resolution = printer.resolution();
    print.page = printer.pageLayout().paintRectPixels(resolution).size();
    print.plan = PlanPrint(QSize(print.sheet.Width(), print.sheet.Height()), printer.pageLayout(),
                           resolution,
                           QMargins(settings.marginLeft, settings.marginTop, settings.marginRight,
                                    settings.marginBottom),
                           settings.zoom);
    return print;
}

int PrintDocument(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& style, const AppSettings& settings) {
    const DocumentPrint print = PlanDocumentPrint(printer, doc, style, settings);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    PrintSheet(painter, printer, print.plan, print.sheet, doc.Model(), style);
    painter.end();
    return print.plan.Pages();
}

}  // namespace tessemar
