#include "cli/Commands.h"
#include "core/document/CLogicDoc.h"
#include "core/document/PropertyReport.h"

#include <ostream>

namespace tessemar::cli {

int RunInfo(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("info", 1, words, {"--lang"}, {}, streams.err);
    if (!args) return ExitUsage;
    int exitCode = ExitOk;
    const auto doc = OpenOrReport(args->Positional()[0], OpenAs::Document, streams.err, exitCode);
    if (doc)
        streams.out << ToUnixLineEnds(BuildPropertyReport(*doc, text::CurrentLanguage()));
    return exitCode;
}

}  // namespace tessemar::cli
