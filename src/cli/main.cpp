#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    tessemar::cli::Streams streams{std::cout, std::cerr};
    return tessemar::cli::RunCli(words, streams);
}
