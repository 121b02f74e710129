#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar {

// Outcome of a file operation: ok, or the errno value of the step that failed.
struct FileStatus {
    bool ok = true;
    int error = 0;
};

// Owns a file descriptor and closes it when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();
    int get() const { return fd_; }
    // Closes now and returns close's own result, which is where some file systems report a
    // failed write.
    int Close();

private:
    int fd_;
};

// The whole content of a file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Reads a whole file into bytes.
FileStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// path made absolute against the current folder (no links resolved).
std::string AbsolutePath(const std::string& path);

// The folder of the running program; empty when it cannot be known.
std::string ProgramFolder();

// Creates the folders that lead to path (mode 0700 for new ones); failures show at the write.
void CreateParentFolders(const std::string& path);

// Replaces the file at path with content as AtomicFile does; on failure the old file is
// untouched.
FileStatus WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace tessemar
