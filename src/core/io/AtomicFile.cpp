#include "core/io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace tessemar {
namespace {

std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            return resolved;
    }
    return path;
}

// Created exclusively, so that no other file of that name is overwritten.
int CreateTemporary(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(random() % 1000000u);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path) : target_(ResolveTarget(path)) {
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    // Caught before anything is written: the rename would refuse only after the whole content.
    if (exists && S_ISDIR(existing.st_mode)) {
        error_ = EISDIR;
        return;
    }
    fd_ = CreateTemporary(target_, temp_);
    if (fd_ < 0) {
        error_ = errno;
        temp_.clear();
        return;
    }
    if (exists && ::fchmod(fd_, existing.st_mode & 07777) != 0)
        Fail(errno);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
}

void AtomicFile::Fail(int error) {
    if (error_ == 0)
        error_ = error;
}

bool AtomicFile::Write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (error_ == 0 && size > 0) {
        ssize_t n = ::write(fd_, bytes, size);
        if (n < 0) {
            if (errno != EINTR)
                Fail(errno);
            continue;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return error_ == 0;
}

FileStatus AtomicFile::Commit() {
    if (error_ == 0 && ::fsync(fd_) != 0)
        Fail(errno);
    // Some file systems report a failed write only when the file is closed.
    if (fd_ >= 0 && ::close(fd_) != 0)
        Fail(errno);
    fd_ = -1;
    if (error_ == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    if (error_ != 0)
        return {false, error_};
    temp_.clear();
    return {};
}

}  // namespace tessemar
