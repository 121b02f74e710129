#pragma once

#include "core/document/CLogicDoc.h"
#include "core/document/TsdFile.h"

#include <fstream>
#include <string>

namespace tessemar {

// Writes a small valid document file.
inline void WriteSampleDocument(const std::string& path, int columns = 5, int rows = 4) {
    CLogicDoc doc(DocumentDefaults{.columnCount = columns, .rowCount = rows});
    doc.WriteCell(1, 1, 1);
    SaveDocumentFile(doc, path);
}

// Writes bytes that are no document.
inline void WriteBadFile(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "this is not a puzzle";
}

}  // namespace tessemar
