#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "core/document/CLogicDoc.h"
#include "core/solver/CheckReport.h"
#include "core/solver/UniquenessCheck.h"

#include <cmath>
#include <ostream>

namespace tessemar::cli {
namespace {

// Exit codes of check; 0 is a unique solution.
constexpr int ExitSeveral = 1;
constexpr int ExitNoSolution = 2;
constexpr int ExitUndecided = 4;

int ExitCodeOf(const CheckResult& result) {
    switch (result.verdict) {
    case CheckVerdict::Unique:
        return ExitOk;
    case CheckVerdict::Several:
        return ExitSeveral;
    case CheckVerdict::None:
        return ExitNoSolution;
    case CheckVerdict::Undecided:
        break;
    }
    return result.stopped ? ExitInterrupted : ExitUndecided;
}

const char* VerdictName(const CheckResult& result) {
    switch (result.verdict) {
    case CheckVerdict::Unique:
        return "unique";
    case CheckVerdict::Several:
        return "several";
    case CheckVerdict::None:
        return "none";
    case CheckVerdict::Undecided:
        break;
    }
    return result.stopped ? "stopped" : result.outOfTime ? "time limit" : "undecided";
}

void PrintJson(const CheckResult& r, std::ostream& out) {
    out << "{\"verdict\": \"" << VerdictName(r) << "\", \"elapsedMs\": " << r.elapsedMs
        << ", \"openCells\": " << r.openCells << ", \"width\": " << r.width
        << ", \"height\": " << r.height << ", \"differingCells\": " << r.DifferingCells().size()
        << ", \"solutions\": [";
    bool firstGrid = true;
    for (const CheckGrid* grid : {&r.first, &r.second}) {
        if (grid->empty())
            continue;
        out << (firstGrid ? "[" : ", [");
        firstGrid = false;
        for (int y = 0; y < r.height; ++y)
            out << (y > 0 ? ", \"" : "\"") << GridRowText(*grid, r.width, r.height, y) << '"';
        out << ']';
    }
    out << "]}\n";
}

void PrintText(const CheckResult& r, std::ostream& out) {
    out << ToUnixLineEnds(BuildCheckReport(r, text::CurrentLanguage()).text) << "\n";
    if (r.verdict == CheckVerdict::Undecided)
        return;
    int number = 1;
    for (const CheckGrid* grid : {&r.first, &r.second}) {
        if (grid->empty())
            continue;
        out << "\n" << number++ << ":\n";
        for (int y = 0; y < r.height; ++y)
            out << GridRowText(*grid, r.width, r.height, y) << "\n";
    }
}

}  // namespace

int RunCheck(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("check", 1, words, {"--time-limit", "--lang"}, {"--json"},
                                      streams.err);
    if (!args)
        return ExitUsage;
    CheckOptions options;
    if (auto limit = args->Value("--time-limit")) {
        char* end = nullptr;
        const double seconds = std::strtod(limit->c_str(), &end);
        if (limit->empty() || *end != '\0' || !(seconds > 0) || seconds > 1e6) {
            streams.err << "tessemar-cli: --time-limit takes a number of seconds, not " << *limit
                        << "\n";
            return ExitUsage;
        }
        options.timeLimitMs = std::max(1, static_cast<int>(std::lround(seconds * 1000)));
    }
    int exitCode = ExitOk;
    const auto doc = OpenOrReport(args->Positional()[0], OpenAs::Puzzle, streams.err, exitCode);
    if (!doc)
        return exitCode;

    InterruptScope interrupt;
    options.stop = &InterruptRequest();
    const CheckResult result = CheckUniqueness(doc->Model(), options);
    if (args->Has("--json"))
        PrintJson(result, streams.out);
    else
        PrintText(result, streams.out);
    return ExitCodeOf(result);
}

}  // namespace tessemar::cli
