#pragma once

class QPrinter;

namespace tessemar {

class CLogicDoc;
class LayoutStyle;
struct AppSettings;

// Prints a document's sheet on printer at the zoom and inside the margins of the settings,
// leaving out the unused clue slots when CutBlankNum says so; every page draws its own tile of
// the sheet. Returns the number of pages.
int PrintDocument(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& style, const AppSettings& settings);

}  // namespace tessemar
