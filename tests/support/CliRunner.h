#pragma once

#include "cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace tessemar::cli {

// What one in-process run of tessemar-cli printed and returned.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun RunWords(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    Streams streams{out, err};
    int code = RunCli(words, streams);
    return {code, out.str(), err.str()};
}

}  // namespace tessemar::cli
