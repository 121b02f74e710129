#include "render/AtomicFileDevice.h"

#include "core/io/AtomicFile.h"

namespace tessemar {

AtomicFileDevice::AtomicFileDevice(AtomicFile& file) : file_(file) {
    open(QIODevice::WriteOnly);
}

qint64 AtomicFileDevice::writeData(const char* data, qint64 size) {
    return file_.Write(data, static_cast<std::size_t>(size)) ? size : -1;
}

}  // namespace tessemar
