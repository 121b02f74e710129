#pragma once

#include <string>
#include <string_view>

namespace tessemar::cli {

// The manual pages, in roff, made from the texts the programs print themselves, so that the
// two cannot tell different stories.
std::string CliManPage(std::string_view version);
std::string ProgramManPage(std::string_view version);

// Text as roff reads it literally: backslashes, minus signs and lines that would start a
// request.
std::string RoffEscape(std::string_view text);

}  // namespace tessemar::cli
