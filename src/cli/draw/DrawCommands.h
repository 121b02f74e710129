#pragma once

#include "cli/Commands.h"

namespace tessemar::cli {

// The commands that draw with Qt. They run in tessemar-cli-draw, a program of their own, so
// that tessemar-cli loads Qt only when one of them is asked for.
int RunRender(const std::vector<std::string>& words, Streams& streams);
int RunPrint(const std::vector<std::string>& words, Streams& streams);

}  // namespace tessemar::cli
