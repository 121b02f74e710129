#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar {

// What the program is asked to do at start-up, or by a shell command sent to a running
// instance.
struct CommandLineInfo {
    enum class ShellCommand {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDde,
        AppUnregister,
        FileNothing
    };

    ShellCommand shellCommand = ShellCommand::FileNew;
    std::string fileName;
    std::string printerName;
    std::string driverName;
    std::string portName;
    // Cleared by the flags Embedding and Automation; the splash also needs a command that
    // names no file.
    bool showSplash = true;

    bool operator==(const CommandLineInfo&) const = default;
};

// Reads the arguments after the program name. A word starting with "-", or with "/" followed
// by a known flag name, is a flag, compared ignoring letter case: "p" and "pt" take the next one or
// four words, "dde", "Unregister"/"Unregserver", "Embedding"/"Automation" stand alone; unknown
// flags are ignored. The first plain word is the file to open.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& arguments);

// True when the splash window may open for this command line.
bool SplashAllowed(const CommandLineInfo& info);

// The shell commands a running instance accepts, one per message:
//   [open("FILE")]  [print("FILE")]  [printto("FILE","PRINTER","DRIVER","PORT")]
// A quotation mark inside an argument is doubled.
std::string FormatShellCommand(const CommandLineInfo& info);
// The command line of a message, or nothing for a message that is not one of the three.
std::optional<CommandLineInfo> ParseShellCommand(std::string_view message);

}  // namespace tessemar
