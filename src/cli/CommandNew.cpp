#include "cli/Commands.h"
#include "core/document/Errors.h"
#include "core/document/TsdFile.h"

#include <charconv>
#include <ostream>

namespace tessemar::cli {
namespace {

// "WxH" with both in 1..250.
bool ParseSize(const std::string& text, int& columns, int& rows) {
    std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    auto parse = [](std::string_view part, int& value) {
        auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        return ec == std::errc() && end == part.data() + part.size() && value >= 1 && value <= kMaxLines;
    };
    std::string_view view(text);
    return parse(view.substr(0, x), columns) && parse(view.substr(x + 1), rows);
}

}  // namespace

int RunNew(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("new", 1, words, {"--size", "--ini"}, {}, streams.err);
    if (!args) return ExitUsage;
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
