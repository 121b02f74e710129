#pragma once

#include <stdexcept>
#include <string>

namespace tessemar {

// A file whose bytes do not make a document: cut short or outside the bounds every written
// file keeps. Shown to the user as "Unexpected file format.".
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file system refused to open, read or write a file.
class FileAccessError : public std::runtime_error {
public:
    enum class Operation { Read, Write };
    FileAccessError(Operation operation, std::string path, int error);

    Operation operation() const { return operation_; }
    const std::string& path() const { return path_; }
    int error() const { return error_; }  // the errno value

private:
    Operation operation_;
    std::string path_;
    int error_;
};

}  // namespace tessemar
