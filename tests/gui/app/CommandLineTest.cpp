#include "gui/app/CommandLine.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using ShellCommand = CommandLineInfo::ShellCommand;

struct ParseCase {
    const char* name;
    std::vector<std::string> arguments;
    ShellCommand command;
    std::string file;
    std::string printer;
    std::string port;
    bool splash;
};

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, GivesTheShellCommand) {
    const ParseCase& c = GetParam();
    const CommandLineInfo info = ParseCommandLine(c.arguments);
    EXPECT_EQ(info.shellCommand, c.command);
    EXPECT_EQ(info.fileName, c.file);
    EXPECT_EQ(info.printerName, c.printer);
    EXPECT_EQ(info.portName, c.port);
    EXPECT_EQ(SplashAllowed(info), c.splash);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseCommandLineTest,
    ::testing::Values(
        ParseCase{"Nothing", {}, ShellCommand::FileNew, "", "", "", true},
        ParseCase{"RelativeFile", {"cat.tsd"}, ShellCommand::FileOpen, "cat.tsd", "", "", false},
        // An absolute path starts with "/" like a flag; it must still be the file.
        ParseCase{"AbsoluteFile",
                  {"/home/ann/p.tsd"},
                  ShellCommand::FileOpen,
                  "/home/ann/p.tsd",
                  "",
                  "",
                  false},
        ParseCase{"FileNamedLikeAFlagLetter",
                  {"/tmp/p"},
                  ShellCommand::FileOpen,
                  "/tmp/p",
                  "",
                  "",
                  false},
        ParseCase{"SecondFileIgnored",
                  {"a.tsd", "b.tsd"},
                  ShellCommand::FileOpen,
                  "a.tsd",
                  "",
                  "",
                  false},
        ParseCase{"Print", {"/p", "a.tsd"}, ShellCommand::FilePrint, "a.tsd", "", "", false},
        ParseCase{"PrintDash",
                  {"-P", "/abs/a.tsd"},
                  ShellCommand::FilePrint,
                  "/abs/a.tsd",
                  "",
                  "",
                  false},
        ParseCase{"PrintTo",
                  {"/pt", "a.tsd", "Laser", "drv", "lp0"},
                  ShellCommand::FilePrintTo,
                  "a.tsd",
                  "Laser",
                  "lp0",
                  false},
        ParseCase{"PrintToCutShort",
                  {"/pt", "a.tsd", "Laser"},
                  ShellCommand::FilePrintTo,
                  "a.tsd",
                  "Laser",
                  "",
                  false},
        ParseCase{"Dde", {"/dde"}, ShellCommand::FileDde, "", "", "", false},
        ParseCase{"Unregister", {"/Unregister"}, ShellCommand::AppUnregister, "", "", "", false},
        ParseCase{
            "UnregserverAnyCase", {"-UNREGSERVER"}, ShellCommand::AppUnregister, "", "", "", false},
        ParseCase{"Embedding", {"/Embedding"}, ShellCommand::FileNew, "", "", "", false},
        ParseCase{"Automation", {"-automation"}, ShellCommand::FileNew, "", "", "", false},
        ParseCase{"UnknownDashFlagIgnored",
                  {"--verbose", "x.tsd"},
                  ShellCommand::FileOpen,
                  "x.tsd",
                  "",
                  "",
                  false}),
    [](const auto& test) { return std::string(test.param.name); });

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
