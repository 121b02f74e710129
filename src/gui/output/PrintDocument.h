#pragma once

#include "core/images/Rect.h"
#include "render/PrintPlan.h"

#include <QSize>

class QPrinter;

namespace tessemar {

class CLogicDoc;
class LayoutStyle;
struct AppSettings;

// How a document goes onto the printer's pages: the sheet (the unused clue slots left out when
// CutBlankNum says so), the page's drawing area in device pixels and the plan of tiles at the
// settings' zoom and margins.
struct DocumentPrint {
    Rect sheet;
    QSize page;
    PrintPlan plan;
};

// Takes the printer's own margins away (the settings' margins are in the plan); a PDF file is
// printed at the resolution tessemar-cli print uses.
DocumentPrint PlanDocumentPrint(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& style,
                                const AppSettings& settings);

// Prints the document through that plan, every page drawing its own tile of the sheet. Returns
// the number of pages, 0 when the printer could not be started.
int PrintDocument(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& style, const AppSettings& settings);

}  // namespace tessemar
