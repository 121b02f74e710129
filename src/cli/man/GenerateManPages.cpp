// Writes tessemar.1 and tessemar-cli.1 into the folder given, for the build.
#include "cli/ManPage.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tessemar-manpages FOLDER VERSION\n";
        return 64;
    }
    const std::string folder = argv[1];
    const struct {
        const char* file;
        std::string text;
    } pages[] = {{"/tessemar.1", tessemar::cli::ProgramManPage(argv[2])},
                 {"/tessemar-cli.1", tessemar::cli::CliManPage(argv[2])}};
    for (const auto& page : pages) {
        std::ofstream out(folder + page.file, std::ios::binary);
        out << page.text;
        if (!out.flush()) {
            std::cerr << "tessemar-manpages: cannot write " << folder << page.file << "\n";
            return 73;
        }
    }
    return 0;
}
