#include "core/io/FileUtil.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tessemar {
namespace {

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    }
    return path;
}

// A temporary file beside target, created exclusively so that no other file is overwritten.
int CreateTemporary(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(random() % 1000000u);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

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

void CreateParentFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

FileStatus WriteFileAtomically(const std::string& path, std::string_view content) {
    const std::string target = ResolveTarget(path);
    std::string tempPath;
    UniqueFd fd(CreateTemporary(target, tempPath));
    if (fd.get() < 0) return {false, errno};

    auto fail = [&](int error) {
        ::unlink(tempPath.c_str());
        return FileStatus{false, error};
    };
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && ::fchmod(fd.get(), existing.st_mode & 07777) != 0) {
        return fail(errno);
    }
    if (!WriteAll(fd.get(), content) || ::fsync(fd.get()) != 0 || fd.Close() != 0) {
        return fail(errno);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    return {};
}

}  // namespace tessemar
