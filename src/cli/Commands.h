#pragma once

#include "cli/Cli.h"
#include "core/document/DocumentDefaults.h"

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

// "cannot write PATH: reason" and the exit code that goes with it.
int ReportWriteError(std::ostream& err, const std::string& path, int error);

// The defaults of new documents from the settings file of --ini, or else from the file the
// program itself would use: beside tessemar-cli when writable, else in the user's
// configuration folder.
DocumentDefaults ReadDocumentDefaults(const Arguments& args);

}  // namespace tessemar::cli
