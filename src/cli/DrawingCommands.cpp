#include "cli/Commands.h"
#include "core/io/FileUtil.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>

extern char** environ;

namespace tessemar::cli {
namespace {

constexpr const char* kDrawProgram = "tessemar-cli-draw";

// Beside tessemar-cli in the build tree; in libexec/tessemar of the installation prefix.
std::string FindDrawProgram() {
    const std::string folder = ProgramFolder();
    if (folder.empty())
        return {};
    for (std::string candidate : {folder + "/" + kDrawProgram,
                                  folder + "/../libexec/tessemar/" + kDrawProgram}) {
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// A temporary file that takes one output stream of the program, passed on when it has ended.
class CapturedStream {
  public:
    CapturedStream() : file_(std::tmpfile()) {}
    ~CapturedStream() {
        if (file_ != nullptr)
            std::fclose(file_);
    }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    int Descriptor() const { return file_ != nullptr ? fileno(file_) : -1; }
    void CopyTo(std::ostream& out) const {
        if (file_ == nullptr)
            return;
        std::rewind(file_);
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file_)) > 0)
            out.write(buffer, static_cast<std::streamsize>(n));
    }

  private:
    std::FILE* file_;
};

int ExitCodeOfStatus(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);  // as shells report it
    return ExitSoftware;
}

}  // namespace

int RunDrawingCommand(const std::string& command, const std::vector<std::string>& words,
                      Streams& streams) {
    const std::string program = FindDrawProgram();
    if (program.empty()) {
        streams.err << "tessemar-cli: " << command << " is not available: " << kDrawProgram
                    << " is not installed beside tessemar-cli\n";
        return ExitSoftware;
    }
    std::vector<std::string> arguments{program, command};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // Output for other streams than the process's own goes through temporary files.
    const bool ownStreams = &streams.out == &std::cout && &streams.err == &std::cerr;
    std::optional<CapturedStream> out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!ownStreams) {
        out.emplace();
        err.emplace();
        posix_spawn_file_actions_adddup2(&actions, out->Descriptor(), STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err->Descriptor(), STDERR_FILENO);
    }
    streams.out.flush();
    streams.err.flush();
    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        streams.err << "tessemar-cli: cannot run " << program << ": " << std::strerror(error)
                    << "\n";
        return ExitSoftware;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return ExitSoftware;
    }
    if (!ownStreams) {
        out->CopyTo(streams.out);
        err->CopyTo(streams.err);
    }
    return ExitCodeOfStatus(status);
}

}  // namespace tessemar::cli
