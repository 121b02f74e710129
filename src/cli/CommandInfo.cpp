#include "cli/Commands.h"
#include "core/document/Errors.h"
#include "core/document/PropertyReport.h"
#include "core/document/TsdFile.h"

#include <ostream>

namespace tessemar::cli {

int RunInfo(const std::vector<std::string>& words, Streams& streams) {
    auto args = Arguments::Parse(words, {"--lang"}, {}, streams.err);
    if (!args) return ExitUsage;
    if (args->Positional().size() != 1) {
        streams.err << "usage: tessemar-cli info FILE.tsd [--lang en|ja]\n";
        return ExitUsage;
    }
    if (!ApplyLanguageOption(*args, streams.err)) return ExitUsage;
    try {
        auto doc = OpenDocumentFile(args->Positional()[0]);
        streams.out << ToUnixLineEnds(BuildPropertyReport(*doc, text::CurrentLanguage()));
    } catch (const std::exception&) {
        return ReportFileError(streams.err);
    }
    return ExitOk;
}

}  // namespace tessemar::cli
