#pragma once

#include "core/text/StringTable.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessemar::cli {

// Exit codes, after the BSD sysexits convention where one fits.
enum ExitCode : int {
    ExitOk = 0,
    ExitUsage = 64,
    ExitBadFile = 65,     // the file is not a puzzle this program reads
    ExitCannotOpen = 66,  // the file cannot be opened or read
    ExitSoftware = 70,  // an internal error
    ExitCannotWrite = 73,
};

// Where a command writes, so that tests can run commands in-process.
struct Streams {
    std::ostream& out;
    std::ostream& err;
};

// The words after the command name: positional arguments and --options.
class Arguments {
public:
    // flagsWithValue lists the options that take a value ("--size 20x20" or "--size=20x20").
    // Returns nullopt (after printing why) when an option is unknown or lacks its value.
    static std::optional<Arguments> Parse(const std::vector<std::string>& words,
                                          const std::vector<std::string_view>& flagsWithValue,
                                          const std::vector<std::string_view>& flags, std::ostream& err);

    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(std::string_view flag) const;
    std::optional<std::string> Value(std::string_view flag) const;

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> options_;
};

// One command of tessemar-cli.
struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view description;
    int (*run)(const std::vector<std::string>& words, Streams& streams);
};

const std::vector<Command>& Commands();

// The parts of --help besides the command table; the manual page is made from the same texts.
struct HelpTexts {
    std::string_view summary;
    std::string_view languageNote;
    std::vector<std::pair<int, std::string_view>> exitCodes;
};
const HelpTexts& CliHelpTexts();
void PrintHelp(std::ostream& out);

// Prints "usage: tessemar-cli " and the command's synopsis from the table; returns ExitUsage.
int ReportUsage(std::string_view command, std::ostream& err);

// The arguments of a command that takes `positional` words besides its options. nullopt, after
// printing why, when an option is unknown or lacks its value or the count of words is wrong
// (the usage line). A command that takes --lang has its report language set here, and nullopt
// when the value is neither en nor ja.
std::optional<Arguments> ParseCommandArguments(std::string_view command, std::size_t positional,
                                               const std::vector<std::string>& words,
                                               const std::vector<std::string_view>& flagsWithValue,
                                               const std::vector<std::string_view>& flags,
                                               std::ostream& err);

// Runs the command line (argv[0] excluded) and returns the exit code.
int RunCli(const std::vector<std::string>& words, Streams& streams);

// The whole of text as a decimal number in low..high, stored in value; false (value untouched)
// when it is anything else.
bool ParseIntInRange(std::string_view text, int low, int high, int& value);

// Program text uses CR LF line ends; a terminal wants LF.
std::string ToUnixLineEnds(std::string_view text);

// Prints the message for a file that could not be read or is not a puzzle, and returns the
// exit code that goes with it. Call from a catch block.
int ReportFileError(std::ostream& err);

}  // namespace tessemar::cli
