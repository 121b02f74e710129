#pragma once

#include "core/io/FileUtil.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessemar {

// Saves a file so that it is never seen half written, even when the content is streamed in
// pieces too large to hold at once: the bytes go to a new file in the target's folder, which
// Commit flushes to disk and renames over the target. A symbolic link is followed, so the file
// it names is replaced and the link kept; an existing file keeps its permission bits. A writer
// destroyed without a successful Commit removes its temporary file and leaves the old file as
// it was.
class AtomicFile {
  public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The errno of the first step that failed, 0 while none has. Once a step fails, later
    // writes do nothing, so a caller may check only at the end.
    int Error() const { return error_; }
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    FileStatus Commit();

  private:
    void Fail(int error);

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace tessemar
