#pragma once

#include "core/document/CLogicDoc.h"

#include <memory>
#include <string>
#include <string_view>

namespace tessemar {

// The puzzle file formats the program reads and writes.
enum class PuzzleFormat {
    Tsd,     // the program's own document
    Webpbn,  // webpbn XML (.xml)
    Non,     // the .non text format
};

// The format a path's extension asks for, ignoring letter case; anything unknown is taken as
// a document file.
PuzzleFormat PuzzleFormatOfPath(std::string_view path);

struct PuzzleReadOptions {
    // Load the solution a community file carries as the picture; otherwise the picture stays
    // blank, as a puzzle to be solved should.
    bool withGoal = false;
};

struct PuzzleWriteOptions {
    // Community formats: store a picture that has filled cells as the puzzle's solution.
    bool writeGoal = true;
};

// Opens a puzzle of any supported format, chosen by the extension. Settings the file does not
// carry (cell size, font, unused colours, title) come from defaults. Throws FileAccessError
// when the file cannot be read and FileFormatError (a PuzzleFormatError with the line for the
// community formats) for a bad file.
//
// A document file takes its path, so that Save writes it back. A community file only lends
// its name to the title of the document's windows: the document has no path, so that saving
// it never overwrites the foreign file with a document.
std::unique_ptr<CLogicDoc> OpenPuzzleFile(const std::string& path,
                                          const DocumentDefaults& defaults = {},
                                          const PuzzleReadOptions& options = {});

// Writes the document in the format the extension asks for, replacing any old file only when
// the new one is complete. Saving as a document file is the document's Save: it takes the
// path and is no longer modified. Writing a community format is an export that leaves the
// document as it was. Throws FileAccessError.
void SavePuzzleFile(CLogicDoc& doc, const std::string& path,
                    const PuzzleWriteOptions& options = {});

}  // namespace tessemar
