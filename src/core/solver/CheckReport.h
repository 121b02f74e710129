#pragma once

#include "core/solver/UniquenessCheck.h"
#include "core/text/StringTable.h"

#include <string>

namespace tessemar {

// The texts that report a finished uniqueness check, in one language.
struct CheckReport {
    // Unique, several (with the number of differing cells), no solution, or undecided and why.
    std::string headline;
    std::string timeText;
    // headline, an empty line and the time.
    std::string text;
};
CheckReport BuildCheckReport(const CheckResult& result, text::Language language);

// What a running check is doing.
std::string CheckPhaseText(CheckPhase phase, text::Language language);

}  // namespace tessemar
