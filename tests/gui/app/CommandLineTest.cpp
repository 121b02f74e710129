#include "gui/app/CommandLine.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using ShellCommand = CommandLineInfo::ShellCommand;

TEST(ParseCommandLineTest, GivesTheShellCommandAndOnlyAPlainStartShowsTheSplash) {
    using enum ShellCommand;
    struct Case {
        std::vector<std::string> arguments;
        ShellCommand command;
        std::string file, printer, port;
    };
    const Case cases[] = {
        {{}, FileNew, "", "", ""},
        // An absolute path starts with "/" like a flag, even one named like a flag letter; it
        // must still be the file.
        {{"/tmp/p"}, FileOpen, "/tmp/p", "", ""},
        {{"a.tsd", "b.tsd"}, FileOpen, "a.tsd", "", ""},  // the second file is ignored
        {{"-P", "/abs/a.tsd"}, FilePrint, "/abs/a.tsd", "", ""},
        {{"/pt", "a.tsd", "Laser", "drv", "lp0"}, FilePrintTo, "a.tsd", "Laser", "lp0"},
        {{"/pt", "a.tsd", "Laser"}, FilePrintTo, "a.tsd", "Laser", ""},
        {{"/dde"}, FileDde, "", "", ""},
        {{"-UNREGSERVER"}, AppUnregister, "", "", ""},
        {{"/Embedding"}, FileNew, "", "", ""},
        {{"--verbose", "x.tsd"}, FileOpen, "x.tsd", "", ""},  // unknown dash flags are ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CommandLineInfo info = ParseCommandLine(c.arguments);
        EXPECT_EQ(info.shellCommand, c.command);
        EXPECT_EQ(info.fileName, c.file);
        EXPECT_EQ(info.printerName, c.printer);
        EXPECT_EQ(info.portName, c.port);
        EXPECT_EQ(SplashAllowed(info), c.arguments.empty());
    }
}

TEST(ShellCommandTest, RoundTripsEveryCommandWithAwkwardNames) {
    CommandLineInfo open;
    open.shellCommand = ShellCommand::FileOpen;
    open.fileName = "/home/ann/my \"best\" puzzle, (v2).tsd";
    CommandLineInfo print = open;
    print.shellCommand = ShellCommand::FilePrint;
    print.fileName = "/tmp/日本語.tsd";
    CommandLineInfo printTo = open;
    printTo.shellCommand = ShellCommand::FilePrintTo;
    printTo.printerName = "Office \"2\"";
    printTo.driverName = "d,r";
    printTo.portName = "";

    for (CommandLineInfo info : {open, print, printTo}) {
        info.showSplash = false;
        const std::string message = FormatShellCommand(info);
        const auto parsed = ParseShellCommand(message + "\n");
        ASSERT_TRUE(parsed.has_value()) << message;
        EXPECT_EQ(*parsed, info) << message;
    }
    EXPECT_EQ(FormatShellCommand(open), "[open(\"/home/ann/my \"\"best\"\" puzzle, (v2).tsd\")]");
}

TEST(ShellCommandTest, RejectsWhatIsNotACommand) {
    for (const char* message :
         {"", "open", "[open()]", "[open(\"\")]", "[open(\"a.tsd\"]", "[open(a.tsd)]",
          "[open(\"a.tsd\",\"b\")]", "[print(\"a.tsd\",\"x\")]", "[printto(\"a.tsd\")]",
          "[delete(\"a.tsd\")]", "[open(\"a.tsd)]", "[open(\"a.tsd\"x)]"}) {
        EXPECT_FALSE(ParseShellCommand(message).has_value()) << message;
    }
}

}  // namespace
}  // namespace tessemar
