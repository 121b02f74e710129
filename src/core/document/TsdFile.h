#pragma once

#include "core/document/CLogicDoc.h"
#include "core/document/PuzzleModel.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessemar {

// The bytes of a .tsd file for a model: version 1.00, only the part inside W x H.
std::vector<std::uint8_t> WriteTsd(const PuzzleModel& model);

// Reads a .tsd file. Throws FileFormatError for a file cut short or one that breaks the bounds
// every written file keeps (W, H in 1..250, a count byte within its line, the clue walk within
// the clue and colour blocks, cell size 11..51); nothing is returned from such a file.
std::unique_ptr<PuzzleModel> ReadTsd(std::span<const std::uint8_t> bytes);

// Opens a document file. An empty file gives a document with the constructed contents.
// Throws FileAccessError when the file cannot be read and FileFormatError for a bad file.
std::unique_ptr<CLogicDoc> OpenDocumentFile(const std::string& path, const DocumentDefaults& defaults = {});

// Saves the document so that the previous file survives any failure; then the document takes
// the path and its file name as title and is no longer modified. Throws FileAccessError.
void SaveDocumentFile(CLogicDoc& doc, const std::string& path);

}  // namespace tessemar
