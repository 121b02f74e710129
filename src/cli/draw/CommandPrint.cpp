#include "cli/draw/DrawCommands.h"
#include "cli/draw/HeadlessApplication.h"
#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "render/PdfFile.h"
#include "render/PrintPlan.h"
#include "render/SheetExport.h"

#include <QPageSize>

#include <ostream>
#include <sstream>

namespace tessemar::cli {
namespace {

// "L,T,R,B" in hundredths of a millimetre.
bool ParseMargins(const std::string& text, int (&margins)[4]) {
    std::istringstream in(text);
    std::string part;
    int count = 0;
    while (std::getline(in, part, ',')) {
        if (count == 4 || !ParseIntInRange(part, 0, 10000, margins[count]))
            return false;
        ++count;
    }
    return count == 4;
}

}  // namespace

int RunPrint(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("print", 1, words, {"--pdf", "--zoom", "--margins", "--page"},
                                      {"--cut"}, streams.err);
    if (!args)
        return ExitUsage;
    const auto output = args->Value("--pdf");
    if (!output)
        return ReportUsage("print", streams.err);
    const AppSettings defaults;
    int zoom = defaults.zoom;
    if (auto value = args->Value("--zoom"); value && !ParseIntInRange(*value, 1, 1000, zoom)) {
        streams.err << "tessemar-cli: --zoom takes a percentage from 1 to 1000, not " << *value << "\n";
        return ExitUsage;
    }
    int margins[4] = {defaults.marginLeft, defaults.marginTop, defaults.marginRight, defaults.marginBottom};
    if (auto value = args->Value("--margins"); value && !ParseMargins(*value, margins)) {
        streams.err << "tessemar-cli: --margins takes L,T,R,B in hundredths of a millimetre (0..10000), not "
                    << *value << "\n";
        return ExitUsage;
    }
    const std::string page = args->Value("--page").value_or("A4");
    if (page != "A4" && page != "Letter") {
        streams.err << "tessemar-cli: --page takes A4 or Letter, not " << page << "\n";
        return ExitUsage;
    }
    int exitCode = ExitOk;
    const auto doc = OpenOrReport(args->Positional()[0], OpenAs::Puzzle, streams.err, exitCode);
    if (!doc)
        return exitCode;
    HeadlessApplication app;
    const PuzzleModel& model = doc->Model();
    const LayoutStyle style(model, {});
    const Rect sheet = GetSheetRect(style, model, args->Has("--cut"));
    PrintPlan plan;
    const int error = WritePrintPdfFile(
        *output, QPageSize(page == "A4" ? QPageSize::A4 : QPageSize::Letter),
        QMargins(margins[0], margins[1], margins[2], margins[3]), zoom, sheet, model, style, plan);
    if (error != 0)
        return ReportWriteError(streams.err, *output, error);
    streams.out << "pages: " << plan.Pages() << " (" << plan.across << " across, " << plan.down << " down)\n";
    return ExitOk;
}

}  // namespace tessemar::cli
