#include "core/io/FileUtil.h"

#include "core/io/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessemar {
UniqueFd::~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
}

int UniqueFd::Close() {
    int result = ::close(fd_);
    fd_ = -1;
    return result;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes).ok) return std::nullopt;
    return std::string(bytes.begin(), bytes.end());
}

FileStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {false, errno};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return {false, errno};
    if (S_ISDIR(info.st_mode)) return {false, EISDIR};
    bytes.clear();
    std::uint8_t buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {false, errno};
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return {};
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
    std::string_view rest(path);
    while (rest.starts_with("./")) rest.remove_prefix(2);
    return std::string(cwd) + "/" + std::string(rest);
}

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string program(path, static_cast<std::size_t>(n));
    return program.substr(0, program.find_last_of('/'));
}

void CreateParentFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

FileStatus WriteFileAtomically(const std::string& path, std::string_view content) {
    AtomicFile file(path);
    file.Write(content);
    return file.Commit();
}

}  // namespace tessemar
