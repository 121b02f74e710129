// tessemar-cli-draw: the drawing commands of tessemar-cli, which runs this program for them with
// the command line it was given.
#include "cli/draw/DrawCommands.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace tessemar::cli;
    const std::vector<std::string> words(argv + 1, argv + argc);
    Streams streams{std::cout, std::cerr};
    if (!words.empty()) {
        const std::vector<std::string> rest(words.begin() + 1, words.end());
        if (words[0] == "render")
            return RunRender(rest, streams);
        if (words[0] == "print")
            return RunPrint(rest, streams);
    }
    std::cerr << "tessemar-cli-draw: run by tessemar-cli for its render and print commands\n";
    return ExitUsage;
}
