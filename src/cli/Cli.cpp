#include "cli/Cli.h"

#include "core/document/Errors.h"
#include "core/formats/PuzzleFormatError.h"
#include "core/text/Format.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ostream>

namespace tessemar::cli {
namespace {

bool Contains(const std::vector<std::string_view>& list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

std::string AccessMessage(const FileAccessError& error) {
    unsigned id;
    if (error.operation() == FileAccessError::Operation::Read) {
        id = error.error() == ENOENT ? text::IdsFileNotFound
             : error.error() == EACCES ? text::IdsFileAccessDenied
                                       : text::IdsFileReadError;
    } else {
        id = error.error() == ENOSPC ? text::IdsDiskFull
             : (error.error() == EACCES || error.error() == EROFS || error.error() == EPERM) ? text::IdsFileWriteDenied
                                                                                           : text::IdsFileWriteError;
    }
    return text::FormatInserts(text::LoadString(id), {error.path()});
}

// The report language: --lang en|ja when given, else the locale's. False after printing why
// when the value is neither.
bool ApplyLanguageOption(const Arguments& args, std::ostream& err) {
    auto lang = args.Value("--lang");
    if (!lang) {
        text::SetLanguage(text::DetectLanguage());
    } else if (*lang == "en") {
        text::SetLanguage(text::Language::English);
    } else if (*lang == "ja") {
        text::SetLanguage(text::Language::Japanese);
    } else {
        err << "tessemar-cli: --lang takes en or ja, not " << *lang << "\n";
        return false;
    }
    return true;
}

}  // namespace

std::optional<Arguments> Arguments::Parse(const std::vector<std::string>& words,
                                          const std::vector<std::string_view>& flagsWithValue,
                                          const std::vector<std::string_view>& flags, std::ostream& err) {
    Arguments args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!word.starts_with("--") || word == "--") {
            args.positional_.push_back(word);
            continue;
        }
        std::size_t eq = word.find('=');
        std::string name = word.substr(0, eq);
        if (Contains(flagsWithValue, name)) {
            if (eq != std::string::npos) {
                args.options_.emplace_back(name, word.substr(eq + 1));
            } else if (i + 1 < words.size()) {
                args.options_.emplace_back(name, words[++i]);
            } else {
                err << "tessemar-cli: option " << name << " needs a value\n";
                return std::nullopt;
            }
        } else if (Contains(flags, name) && eq == std::string::npos) {
            args.options_.emplace_back(name, "");
        } else {
            err << "tessemar-cli: unknown option " << word << "\n";
            return std::nullopt;
        }
    }
    return args;
}

bool Arguments::Has(std::string_view flag) const {
    return std::any_of(options_.begin(), options_.end(), [&](const auto& o) { return o.first == flag; });
}

std::optional<std::string> Arguments::Value(std::string_view flag) const {
    for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
        if (it->first == flag) return it->second;
    }
    return std::nullopt;
}

int ReportUsage(std::string_view command, std::ostream& err) {
    for (const Command& entry : Commands()) {
        if (entry.name == command)
            err << "usage: tessemar-cli " << entry.synopsis << "\n";
    }
    return ExitUsage;
}

std::optional<Arguments> ParseCommandArguments(std::string_view command, std::size_t positional,
                                               const std::vector<std::string>& words,
                                               const std::vector<std::string_view>& flagsWithValue,
                                               const std::vector<std::string_view>& flags,
                                               std::ostream& err) {
    auto args = Arguments::Parse(words, flagsWithValue, flags, err);
    if (!args)
        return std::nullopt;
    if (args->Positional().size() != positional) {
        ReportUsage(command, err);
        return std::nullopt;
    }
    if (Contains(flagsWithValue, "--lang") && !ApplyLanguageOption(*args, err))
        return std::nullopt;
    return args;
}

bool ParseIntInRange(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

std::string ToUnixLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

int ReportFileError(std::ostream& err) {
    try {
        throw;
    } catch (const PuzzleFormatError& error) {
        // The detail tells the user where a foreign file breaks its format.
        err << text::LoadString(text::IdsUnexpectedFileFormat) << " (" << error.what() << ")\n";
        return ExitBadFile;
    } catch (const FileFormatError&) {
        err << text::LoadString(text::IdsUnexpectedFileFormat) << "\n";
        return ExitBadFile;
    } catch (const FileAccessError& error) {
        err << AccessMessage(error) << "\n";
        return error.operation() == FileAccessError::Operation::Read ? ExitCannotOpen : ExitCannotWrite;
    } catch (const std::exception& error) {
        err << "tessemar-cli: " << error.what() << "\n";
        return ExitSoftware;
    }
}

const HelpTexts& CliHelpTexts() {
    static const HelpTexts texts = {
        "Reads, writes and reports on Tessemar puzzle documents (.tsd) without a window.",
        "Reports are printed in the language of the locale (Japanese when LANGUAGE, LC_ALL,\n"
        "LC_MESSAGES or LANG starts with \"ja\", otherwise English); --lang en|ja chooses one.",
        {
            {ExitOk, "success"},
            {ExitUsage, "the command line is wrong"},
            {ExitBadFile,
             "the file is not a puzzle Tessemar can read (\"Unexpected file format.\")"},
            {ExitCannotOpen, "the file cannot be opened or read"},
            {ExitSoftware, "an internal error, or a command this build of the tool lacks"},
            {ExitCannotWrite, "the output file cannot be written"},
        },
    };
    return texts;
}

void PrintHelp(std::ostream& out) {
    const HelpTexts& texts = CliHelpTexts();
    out << "Usage: tessemar-cli COMMAND [ARGUMENTS]\n\n" << texts.summary << "\n\nCommands:\n";
    for (const Command& command : Commands()) {
        out << "  tessemar-cli " << command.synopsis << "\n      " << command.description << "\n";
    }
    out << "  tessemar-cli --help\n      Shows this text.\n\n"
        << texts.languageNote << "\n\nExit codes:\n";
    for (const auto& [code, meaning] : texts.exitCodes) {
        std::string number = std::to_string(code);
        out << "  " << number << std::string(4 - number.size(), ' ') << meaning << "\n";
    }
}

int RunCli(const std::vector<std::string>& words, Streams& streams) {
    if (words.empty()) {
        PrintHelp(streams.err);
        return ExitUsage;
    }
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintHelp(streams.out);
        return ExitOk;
    }
    for (const Command& command : Commands()) {
        if (command.name == words[0]) {
            return command.run(std::vector<std::string>(words.begin() + 1, words.end()), streams);
        }
    }
    streams.err << "tessemar-cli: unknown command " << words[0] << " (see tessemar-cli --help)\n";
    return ExitUsage;
}

}  // namespace tessemar::cli
