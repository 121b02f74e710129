// tessemar-cli render, run as the program it is: the sheet through the same drawing as the
// windows, written as PNG or bitmap file.
#include "RenderTestSupport.h"

#include "core/document/TsdFile.h"
#include "core/io/FileUtil.h"
#include "render/SheetExport.h"
#include "support/ByteFiles.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <fstream>

namespace tessemar {
namespace {

int RunCli(const std::string& arguments) {
    std::string command = std::string(TESSEMAR_CLI_PATH) + " " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string SaveModel(const TempDir& dir, const PuzzleModel& model, const std::string& name) {
    WriteBytes(dir.File(name), WriteTsd(model));
    return dir.File(name);
}

// Each form of the sheet and the preview, as PNG and as bitmap file, is the drawing of the same
// options made here. The bitmap file is written band by band from the bottom, so the sheet is
// much taller than one band.
TEST(RenderCommand, WritesTheDrawingOfItsOptionsAsPngAndBitmapFile) {
    TempDir dir;
    const PuzzleModel model = test::RandomModel(23, 19, 13, 21);
    const std::string tsd = SaveModel(dir, model, "random.tsd");
    const PuzzleModel loaded = *ReadTsd(WriteTsd(model));
    PuzzleModel small = loaded;
    small.cellSize = 11;
    const struct {
        std::string options;
        QImage expected;
    } cases[] = {
        {"", RenderSheet(loaded, LayoutStyle(loaded, {true, true}), false)},
        {" --cut --no-graduation", RenderSheet(loaded, LayoutStyle(loaded, {true, false}), true)},
        {" --cell-size 11 --no-bold-line",
         RenderSheet(small, LayoutStyle(small, {false, true}), false)},
        {" --preview", RenderPreview(loaded)},
    };
    for (const auto& c : cases) {
        for (const char* name : {"a.png", "a.bmp"}) {
            ASSERT_EQ(RunCli("render " + tsd + " " + dir.File(name) + c.options), 0) << c.options;
            const QImage written(QString::fromStdString(dir.File(name)));
            EXPECT_EQ(test::DifferentPixels(written, c.expected), 0) << name << c.options;
        }
    }
}

TEST(RenderCommand, BadInputIsRefusedWithTheRightExitCode) {
    TempDir dir;
    std::string tsd = SaveModel(dir, test::MakeModel(5, 5), "ok.tsd");
    std::ofstream(dir.File("bad.tsd")) << "not a puzzle";
    struct Case {
        std::string arguments;
        int exitCode;
    };
    const Case cases[] = {
        {"render " + tsd, 64},
        {"render " + tsd + " " + dir.File("x.gif"), 64},
        {"render " + tsd + " " + dir.File("x.png") + " --cell-size 10", 64},
        {"render " + tsd + " " + dir.File("x.png") + " --cell-size 1x", 64},
        {"render " + tsd + " " + dir.File("x.png") + " --zoom", 64},
        {"render " + dir.File("missing.tsd") + " " + dir.File("x.png"), 66},
        {"render " + dir.File("bad.tsd") + " " + dir.File("x.png"), 65},
        {"render " + tsd + " " + dir.File("no/such/folder/x.png"), 73},
        {"render " + tsd + " " + dir.File("no/such/folder/x.bmp"), 73},
    };
    for (const Case& k : cases)
        EXPECT_EQ(RunCli(k.arguments), k.exitCode) << k.arguments;
}

TEST(RenderCommand, PrintWritesThePagesOfTheSheetAsPdf) {
    TempDir dir;
    const std::string puzzle = SaveModel(dir, test::MakeModel(250, 250), "large.tsd");
    const std::string pdf = dir.File("large.pdf");
    EXPECT_EQ(RunCli("print " + puzzle + " --pdf " + pdf + " --zoom 100 --page Letter --margins 0,0,0,0"), 0);
    EXPECT_TRUE(ReadWholeFile(pdf).value_or("").starts_with("%PDF"));
    for (const char* bad : {" --zoom 0", " --margins 1,2,3", " --page A3", ""}) {
        const std::string pdfArgument = *bad == '\0' ? "" : " --pdf " + pdf;
        EXPECT_EQ(RunCli("print " + puzzle + pdfArgument + bad), 64) << bad;
    }
}

}  // namespace
}  // namespace tessemar
