#include "core/document/Errors.h"

#include <cstring>

namespace tessemar {

FileAccessError::FileAccessError(Operation operation, std::string path, int error)
    : std::runtime_error(path + ": " + std::strerror(error)),
      operation_(operation),
      path_(std::move(path)),
      error_(error) {}

}  // namespace tessemar
