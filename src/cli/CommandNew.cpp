#include "cli/Commands.h"
#include "core/document/Errors.h"
#include "core/document/TsdFile.h"

#include <ostream>

namespace tessemar::cli {
namespace {

// "WxH" with both in 1..250.
bool ParseSize(const std::string& text, int& columns, int& rows) {
    std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    std::string_view view(text);
    return ParseIntInRange(view.substr(0, x), 1, kMaxLines, columns) &&
           ParseIntInRange(view.substr(x + 1), 1, kMaxLines, rows);
}

}  // namespace

int RunNew(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("new", 1, words, {"--size", "--ini"}, {}, streams.err);
    if (!args)
        return ExitUsage;
    DocumentDefaults defaults = ReadDocumentDefaults(*args);
    if (auto size = args->Value("--size")) {
        if (!ParseSize(*size, defaults.columnCount, defaults.rowCount)) {
            streams.err << "tessemar-cli: --size takes WxH with W and H in 1..250, not " << *size << "\n";
            return ExitUsage;
        }
    }
    try {
        CLogicDoc doc(defaults);
        SaveDocumentFile(doc, args->Positional()[0]);
    } catch (const std::exception&) {
        return ReportFileError(streams.err);
    }
    return ExitOk;
}

}  // namespace tessemar::cli
