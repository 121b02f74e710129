#include "cli/Commands.h"

#include "core/document/TsdFile.h"
#include "core/formats/PuzzleFiles.h"
#include "core/io/FileUtil.h"
#include "core/settings/AppSettings.h"
#include "core/solver/SolveResult.h"

#include <cstring>
#include <ostream>

namespace tessemar::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"new", "new OUT.tsd [--size WxH] [--ini PATH]",
         "Writes a new empty puzzle as the program makes it from the settings file's defaults\n"
         "      (section Default); --size sets W columns and H rows (1..250).",
         RunNew},
        {"info", "info FILE.tsd [--lang en|ja]", "Prints the document's property report.", RunInfo},
        {"render", "render FILE OUT.png|OUT.bmp [--cell-size N] [--no-bold-line] [--no-graduation] [--cut] [--preview]",
         "Draws the puzzle sheet as the program's window shows it: grid, clue numbers and\n"
         "      graduation numbers, without cutting unless --cut leaves out the unused clue slots.\n"
         "      --preview writes the one-pixel-per-cell preview instead. Large sheets need .bmp.",
         [](const std::vector<std::string>& words, Streams& streams) {
             return RunDrawingCommand("render", words, streams);
         }},
        {"convert", "convert IN OUT [--with-goal] [--no-goal] [--ini PATH]",
         "Converts a puzzle between .tsd, webpbn XML (.xml) and .non, the formats chosen by\n"
         "      extension. --with-goal loads the solution an .xml or .non file carries as the\n"
         "      picture; --no-goal leaves the picture out of an .xml or .non file written.",
         RunConvert},
        {"solve", "solve FILE [--hint] [--json] [--force] [--lang en|ja] [--output OUT.tsd]",
         "Solves the puzzle of a .tsd, .xml or .non file from its clues (the picture it holds is\n"
         "      the starting point) and prints the report: headline, time and statistics; --json\n"
         "      prints them and the grid as one JSON object. --hint makes one hint step. The clues\n"
         "      are checked first: a failed check ends with exit code 3 unless --force is given.\n"
         "      --output writes the result into a document. Exit codes: 0 complete, 1 cells left\n"
         "      open, 2 contradiction, 3 clue check failed, 130 stopped by Ctrl+C.",
         RunSolve},
        {"calc", "calc IN.tsd OUT.tsd", "Computes every clue line from the picture (\"Calculate number\").",
         RunCalc},
        {"print", "print FILE --pdf OUT.pdf [--zoom N] [--margins L,T,R,B] [--page A4|Letter] [--cut]",
         "Prints the puzzle sheet into a PDF file as the program prints it: at N percent (1..1000,\n"
         "      default 300) of one printer pixel per sheet pixel at 600 dots per inch, inside the\n"
         "      margins (hundredths of a millimetre, default 1250,1000,1250,1000), in as many pages\n"
         "      across and down as it needs; --cut leaves out the unused clue slots. Prints the page count.",
         [](const std::vector<std::string>& words, Streams& streams) {
             return RunDrawingCommand("print", words, streams);
         }},
        {"check", "check FILE [--json] [--time-limit SECONDS] [--lang en|ja]",
         "Decides whether the clues of a .tsd, .xml or .non file have exactly one solution, several\n"
         "      or none (the picture it holds does not count) and prints the verdict, the time and\n"
         "      the solutions found: one when unique, two that differ when several; --json prints\n"
         "      them as one JSON object. --time-limit ends an undecided check after SECONDS.\n"
         "      Exit codes: 0 unique, 1 several, 2 none, 4 undecided, 130 stopped by Ctrl+C.",
         RunCheck},
    };
    return commands;
}

std::unique_ptr<CLogicDoc> OpenOrReport(const std::string& path, OpenAs kind, std::ostream& err,
                                        int& exitCode) {
    try {
        return kind == OpenAs::Puzzle ? OpenPuzzleFile(path) : OpenDocumentFile(path);
    } catch (const std::exception&) {
        exitCode = ReportFileError(err);
        return nullptr;
    }
}

namespace {

char CellChar(std::uint8_t value) {
    if (value == kSolverUnknown)
        return '.';
    if (value == kSolverBlank)
        return '-';
    return value <= 8 ? static_cast<char>('0' + value) : '?';
}

}  // namespace

std::string GridRowText(std::span<const std::uint8_t> cells, int width, int height, int y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
        const std::size_t i = static_cast<std::size_t>(x) * height + y;
        row += CellChar(i < cells.size() ? cells[i] : kSolverUnknown);
    }
    return row;
}

int ReportWriteError(std::ostream& err, const std::string& path, int error) {
    err << "tessemar-cli: cannot write " << path << ": " << std::strerror(error) << "\n";
    return ExitCannotWrite;
}

DocumentDefaults ReadDocumentDefaults(const Arguments& args) {
    return tessemar::ReadDocumentDefaults(
        IniFile(args.Value("--ini").value_or(DefaultIniPath(ProgramFolder()))));
}

}  // namespace tessemar::cli
