#pragma once

class QWidget;

namespace tessemar {

class CLogicDoc;
class LayoutCanvas;

// Saves a document's puzzle sheet (as the panes show it, the unused clue slots left out when
// cut), or its preview at one pixel per cell, as a picture file: the user chooses the file, a
// bitmap file by default, PNG or PDF by the filter or the extension. A failure is reported with the
// file's name, and a file that existed is replaced only by a complete one.
void SavePicture(const CLogicDoc& doc, const LayoutCanvas& canvas, bool preview, bool cut);

}  // namespace tessemar
