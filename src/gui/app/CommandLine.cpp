#include "gui/app/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace tessemar {
namespace {

using ShellCommand = CommandLineInfo::ShellCommand;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsKnownFlag(std::string_view flag) {
    for (std::string_view known :
         {"p", "pt", "dde", "Unregister", "Unregserver", "Embedding", "Automation"}) {
        if (EqualsIgnoringCase(flag, known))
            return true;
    }
    return false;
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// Reads the quoted arguments between the parentheses of a shell command.
std::optional<std::vector<std::string>> ParseArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        if (i >= text.size() || text[i] != '"')
            return std::nullopt;
        std::string argument;
        ++i;
        while (true) {
            if (i >= text.size())
                return std::nullopt;
            if (text[i] == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            argument += text[i++];
        }
        arguments.push_back(std::move(argument));
        if (i == text.size())
            return arguments;
        if (text[i] != ',')
            return std::nullopt;
        ++i;
    }
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLineInfo info;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        // Absolute paths start with "/" here, so a "/" word is a flag only when it names one;
        // "-" marks a flag in any case.
        const bool isFlag =
            word.size() > 1 && (word[0] == '-' || (word[0] == '/' && IsKnownFlag(word.substr(1))));
        if (!isFlag) {
            // A word left over after the print forms have taken theirs, or a second file, is
            // ignored: only one document is named on a command line.
            if (info.fileName.empty() && info.shellCommand == ShellCommand::FileNew) {
                info.fileName = word;
                info.shellCommand = ShellCommand::FileOpen;
            }
            continue;
        }
        const std::string_view flag = std::string_view(word).substr(1);
        if (EqualsIgnoringCase(flag, "p") || EqualsIgnoringCase(flag, "pt")) {
            const bool printTo = flag.size() == 2;
            const std::size_t needed = printTo ? 4 : 1;
            std::vector<std::string> taken;
            while (taken.size() < needed && i + 1 < arguments.size())
                taken.push_back(arguments[++i]);
            info.shellCommand = printTo ? ShellCommand::FilePrintTo : ShellCommand::FilePrint;
            taken.resize(4);
            info.fileName = taken[0];
            if (printTo) {
                info.printerName = taken[1];
                info.driverName = taken[2];
                info.portName = taken[3];
            }
        } else if (EqualsIgnoringCase(flag, "dde")) {
            info.shellCommand = ShellCommand::FileDde;
        } else if (EqualsIgnoringCase(flag, "Unregister") ||
                   EqualsIgnoringCase(flag, "Unregserver")) {
            info.shellCommand = ShellCommand::AppUnregister;
        } else if (EqualsIgnoringCase(flag, "Embedding") ||
                   EqualsIgnoringCase(flag, "Automation")) {
            info.showSplash = false;
        }
    }
    return info;
}

bool SplashAllowed(const CommandLineInfo& info) {
    return info.showSplash && (info.shellCommand == ShellCommand::FileNew ||
                               info.shellCommand == ShellCommand::FileNothing);
}

std::string FormatShellCommand(const CommandLineInfo& info) {
    switch (info.shellCommand) {
        case ShellCommand::FileOpen:
            return "[open(" + Quote(info.fileName) + ")]";
        case ShellCommand::FilePrint:
            return "[print(" + Quote(info.fileName) + ")]";
        case ShellCommand::FilePrintTo:
            return "[printto(" + Quote(info.fileName) + "," + Quote(info.printerName) + "," +
                   Quote(info.driverName) + "," + Quote(info.portName) + ")]";
        default:
            return {};
    }
}

std::optional<CommandLineInfo> ParseShellCommand(std::string_view message) {
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.remove_suffix(1);
    if (message.size() < 4 || message.front() != '[' || !message.ends_with(")]"))
        return std::nullopt;
    const std::size_t open = message.find('(');
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::string_view verb = message.substr(1, open - 1);
    auto arguments = ParseArguments(message.substr(open + 1, message.size() - open - 3));
    if (!arguments || (*arguments)[0].empty())
        return std::nullopt;

    CommandLineInfo info;
    info.showSplash = false;
    info.fileName = (*arguments)[0];
    if (EqualsIgnoringCase(verb, "open") && arguments->size() == 1) {
        info.shellCommand = ShellCommand::FileOpen;
    } else if (EqualsIgnoringCase(verb, "print") && arguments->size() == 1) {
        info.shellCommand = ShellCommand::FilePrint;
    } else if (EqualsIgnoringCase(verb, "printto") && arguments->size() == 4) {
        info.shellCommand = ShellCommand::FilePrintTo;
        info.printerName = (*arguments)[1];
        info.driverName = (*arguments)[2];
        info.portName = (*arguments)[3];
    } else {
        return std::nullopt;
    }
    return info;
}

}  // namespace tessemar
