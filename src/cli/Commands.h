#pragma once

#include "cli/Cli.h"
#include "core/document/DocumentDefaults.h"

#include <cstdint>
#include <memory>
#include <span>

namespace tessemar {
class CLogicDoc;
}

namespace tessemar::cli {

int RunNew(const std::vector<std::string>& words, Streams& streams);
int RunInfo(const std::vector<std::string>& words, Streams& streams);
int RunConvert(const std::vector<std::string>& words, Streams& streams);
int RunSolve(const std::vector<std::string>& words, Streams& streams);
int RunCalc(const std::vector<std::string>& words, Streams& streams);

// Runs a drawing command (render, print) in tessemar-cli-draw, found beside this program or in
// its libexec folder, and returns that program's exit code. Output written to other streams
// than the process's own is passed on when the program ends.
int RunDrawingCommand(const std::string& command, const std::vector<std::string>& words,
                      Streams& streams);
int RunCheck(const std::vector<std::string>& words, Streams& streams);

// The file a command reads: a puzzle in any format OpenPuzzleFile knows, or a document file.
enum class OpenAs { Puzzle, Document };

// The file opened, or nullptr when it cannot be read or is no puzzle, after ReportFileError
// has printed why; exitCode then holds the code to end with.
std::unique_ptr<CLogicDoc> OpenOrReport(const std::string& path, OpenAs kind, std::ostream& err,
                                        int& exitCode);

// Row y of a solver grid, cell (x, y) at x * height + y, a character a cell: '.' unknown (also
// beyond the cells given), '-' blank, '1'..'8' a colour.
std::string GridRowText(std::span<const std::uint8_t> cells, int width, int height, int y);

// "cannot write PATH: reason" and the exit code that goes with it.
int ReportWriteError(std::ostream& err, const std::string& path, int error);

// The defaults of new documents from the settings file of --ini, or else from the file the
// program itself would use: beside tessemar-cli when writable, else in the user's
// configuration folder.
DocumentDefaults ReadDocumentDefaults(const Arguments& args);

}  // namespace tessemar::cli
