#include "cli/ManPage.h"

#include "cli/Cli.h"

#include <string>

namespace tessemar::cli {
namespace {

// The forms of the program's command line, as the start-up code reads them.
struct ProgramForm {
    std::string_view synopsis;
    std::string_view description;
};
constexpr ProgramForm kProgramForms[] = {
    {"",
     "Opens the main window with a new, empty puzzle (none when the setting CreateNewFile is 0)."},
    {"FILE",
     "Opens the puzzle FILE (.tsd, webpbn .xml or .non). When the program is already "
     "running, the file opens in that window instead."},
    {"/p FILE", "Prints FILE on the default printer, then ends."},
    {"/pt FILE PRINTER DRIVER PORT", "Prints FILE on the named printer, then ends."},
    {"/dde", "Starts without a document and waits for shell commands from the file manager."},
    {"/Unregister",
     "Removes the file association the program made in the user's folders and ends "
     "(also /Unregserver)."},
};

std::string Header(std::string_view name, std::string_view version, std::string_view summary) {
    std::string upper(name);
    for (char& c : upper)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return ".TH " + RoffEscape(upper) + " 1 \"\" \"Tessemar " + std::string(version) +
           "\" \"User Commands\"\n.SH NAME\n" + RoffEscape(name) + " \\- " + RoffEscape(summary) +
           "\n";
}

// The help texts wrap with an indent for the terminal; roff fills its own lines.
std::string Paragraph(std::string_view text) {
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            while (i + 1 < text.size() && text[i + 1] == ' ')
                ++i;
            joined += ' ';
        } else {
            joined += text[i];
        }
    }
    return RoffEscape(joined) + "\n";
}

}  // namespace

std::string RoffEscape(std::string_view text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

std::string CliManPage(std::string_view version) {
    const HelpTexts& texts = CliHelpTexts();
    std::string page = Header("tessemar-cli", version, "solve, convert and draw nonogram puzzles");
    page += ".SH SYNOPSIS\n.B tessemar\\-cli\n.I COMMAND\n[\n.I ARGUMENTS\n]\n";
    page += ".SH DESCRIPTION\n" + Paragraph(texts.summary);
    page += ".SH COMMANDS\n";
    for (const Command& command : Commands())
        page += ".TP\n.B tessemar\\-cli " + Paragraph(command.synopsis) +
                Paragraph(command.description);
    page += ".TP\n.B tessemar\\-cli \\-\\-help\nShows the commands and exit codes.\n";
    page += ".SH ENVIRONMENT\n" + Paragraph(texts.languageNote);
    page += ".SH EXIT STATUS\n";
    for (const auto& [code, meaning] : texts.exitCodes)
        page += ".TP\n.B " + std::to_string(code) + "\n" + Paragraph(meaning);
    page += ".SH SEE ALSO\n.BR tessemar (1)\n";
    return page;
}

std::string ProgramManPage(std::string_view version) {
    std::string page = Header("tessemar", version, "edit and solve nonogram puzzles");
    page += ".SH SYNOPSIS\n";
    for (const ProgramForm& form : kProgramForms)
        page += ".B tessemar\n" + (form.synopsis.empty() ? "" : ".I " + Paragraph(form.synopsis)) +
                ".br\n";
    page +=
        ".SH DESCRIPTION\nTessemar draws nonogram puzzles (one colour or up to eight), computes "
        "their clue numbers and solves them from the clues. The manual is in its Help menu.\n";
    page += ".SH OPTIONS\nFlags start with \\- or /, and letter case does not matter.\n";
    for (const ProgramForm& form : kProgramForms) {
        page += ".TP\n" + (form.synopsis.empty() ? std::string("(no argument)\n")
                                                 : ".B " + Paragraph(form.synopsis));
        page += Paragraph(form.description);
    }
    page +=
        ".SH FILES\n.TP\n.I ~/.config/Tessemar/Tessemar.INI\n"
        "The settings, unless the program's own folder is writable (then Tessemar.INI "
        "beside the program).\n";
    page +=
        ".SH ENVIRONMENT\nThe windows speak Japanese when LANGUAGE, LC_ALL, LC_MESSAGES or LANG "
        "starts with \"ja\", otherwise English.\n";
    page += ".SH SEE ALSO\n.BR tessemar\\-cli (1)\n";
    return page;
}

}  // namespace tessemar::cli
