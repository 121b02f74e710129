#include "cli/draw/DrawCommands.h"
#include "cli/draw/HeadlessApplication.h"
#include "core/document/CLogicDoc.h"
#include "core/document/PuzzleModel.h"
#include "render/SheetExport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ostream>

namespace tessemar::cli {
namespace {

std::string LowerExtension(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char ch) { return std::tolower(ch); });
    return ext;
}

}  // namespace

int RunRender(const std::vector<std::string>& words, Streams& streams) {
    auto args = ParseCommandArguments("render", 2, words, {"--cell-size"},
                                      {"--no-bold-line", "--no-graduation", "--cut", "--preview"},
                                      streams.err);
    if (!args)
        return ExitUsage;
    const std::string& input = args->Positional()[0];
    const std::string& output = args->Positional()[1];
    const std::string format = LowerExtension(output);
    if (format != "png" && format != "bmp") {
        streams.err << "tessemar-cli: the output must end in .png or .bmp, not " << output << "\n";
        return ExitUsage;
    }
    int cellSize = 0;
    if (auto value = args->Value("--cell-size");
        value && !ParseIntInRange(*value, kMinCellSize, kMaxCellSize, cellSize)) {
        streams.err << "tessemar-cli: --cell-size takes a number from " << kMinCellSize << " to "
                    << kMaxCellSize << ", not " << *value << "\n";
        return ExitUsage;
    }
    int exitCode = ExitOk;
    const auto doc = OpenOrReport(input, OpenAs::Document, streams.err, exitCode);
    if (!doc)
        return exitCode;
    PuzzleModel model = doc->Model();
    if (cellSize != 0)
        model.cellSize = cellSize;

    HeadlessApplication app;
    RenderOptions options;
    options.boldLine = !args->Has("--no-bold-line");
    options.graduateNumber = !args->Has("--no-graduation");
    const LayoutStyle style(model, options);

    QImage image;
    if (args->Has("--preview")) {
        image = RenderPreview(model);
    } else if (format == "bmp") {
        int error = WriteSheetBitmapFile(output, model, style, args->Has("--cut"));
        return error == 0 ? ExitOk : ReportWriteError(streams.err, output, error);
    } else {
        image = RenderSheet(model, style, args->Has("--cut"));
        if (image.isNull()) {
            streams.err << "tessemar-cli: the sheet is too large for a PNG file made in memory; "
                           "write a .bmp file\n";
            return ExitSoftware;
        }
    }
    const int error = format == "bmp" ? WriteBitmapFile(output, image) : WritePngFile(output, image);
    // The PNG writer returns EIO when the image cannot be encoded (a disk's EIO looks the same
    // there); the bitmap writer encodes nothing, so its EIO is the disk's.
    if (format == "png" && error == EIO) {
        streams.err << "tessemar-cli: cannot encode " << output << "\n";
        return ExitSoftware;
    }
    return error == 0 ? ExitOk : ReportWriteError(streams.err, output, error);
}

}  // namespace tessemar::cli
