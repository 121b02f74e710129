#pragma once

#include "core/document/Errors.h"

#include <string>

namespace tessemar {

// A puzzle file of another program that breaks its format or asks more than a document can
// hold. It is a FileFormatError, so the user sees "Unexpected file format."; the detail names
// the line and what is wrong there ("line 12: more than 8 colours") for those who look.
class PuzzleFormatError : public FileFormatError {
  public:
    PuzzleFormatError(int line, const std::string& problem)
        : FileFormatError("line " + std::to_string(line) + ": " + problem),
          line_(line),
          problem_(problem) {}

    int line() const { return line_; }  // 1-based
    const std::string& problem() const { return problem_; }

  private:
    int line_;
    std::string problem_;
};

}  // namespace tessemar
