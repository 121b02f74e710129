#include "cli/Commands.h"
#include "core/formats/PuzzleFiles.h"

#include <ostream>

namespace tessemar::cli {

int RunConvert(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("convert", 2, words, {"--ini"}, {"--with-goal", "--no-goal"},
                                      streams.err);
    if (!args)
        return ExitUsage;
    // A community file says nothing of cell size and font, and not every colour: those come
    // from the same defaults a new document gets.
    const DocumentDefaults defaults = ReadDocumentDefaults(*args);
    try {
        auto doc =
            OpenPuzzleFile(args->Positional()[0], defaults, {.withGoal = args->Has("--with-goal")});
        SavePuzzleFile(*doc, args->Positional()[1], {.writeGoal = !args->Has("--no-goal")});
    } catch (const std::exception&) {
        return ReportFileError(streams.err);
    }
    return ExitOk;
}

}  // namespace tessemar::cli
