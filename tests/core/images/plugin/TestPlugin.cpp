// A tiny image plug-in for the loader tests. Its pictures are "TSTPIC\0\0", width and height
// as 32-bit little-endian numbers, then width x height pixels of 4 bytes (blue, green, red,
// alpha); the files are padded to at least 2048 bytes. It counts the calls of IsSupported so
// that a test can see whether it was asked at all.
#include "core/images/PluginAbi.h"

#include <cstdlib>
#include <cstring>

namespace {

int isSupportedCalls = 0;

bool ReadHeader(const void* data, size_t size, int32_t& width, int32_t& height) {
    const auto* p = static_cast<const unsigned char*>(data);
    if (size < 16 || std::memcmp(p, "TSTPIC\0\0", 8) != 0)
        return false;
    std::memcpy(&width, p + 8, 4);
    std::memcpy(&height, p + 12, 4);
    return width > 0 && height > 0 && width <= 4096 && height <= 4096 &&
           size >= 16 + static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
}

void Release(TessemarSpiPicture* picture) {
    std::free(picture->context);
    picture->context = nullptr;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int IsSupported(const char* fileName, const void* header) {
    ++isSupportedCalls;
    return fileName == nullptr && std::memcmp(header, "TSTPIC\0\0", 8) == 0;
}

__attribute__((visibility("default"))) int GetPictureInfo(const void* data, size_t size,
                                                          TessemarSpiInfo* info) {
    int32_t width, height;
    if (!ReadHeader(data, size, width, height))
        return TESSEMAR_SPI_ERROR;
    info->width = width;
    info->height = height;
    info->hasAlpha = 1;
    return TESSEMAR_SPI_OK;
}

__attribute__((visibility("default"))) int GetPicture(const void* data, size_t size,
                                                      TessemarSpiPicture* picture) {
    int32_t width, height;
    if (!ReadHeader(data, size, width, height))
        return TESSEMAR_SPI_ERROR;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    void* copy = std::malloc(bytes);
    if (copy == nullptr)
        return TESSEMAR_SPI_ERROR;
    std::memcpy(copy, static_cast<const unsigned char*>(data) + 16, bytes);
    picture->width = width;
    picture->height = height;
    picture->stride = width * 4;
    picture->hasAlpha = 1;
    picture->pixels = static_cast<const uint8_t*>(copy);
    picture->context = copy;
    picture->release = Release;
    return TESSEMAR_SPI_OK;
}

__attribute__((visibility("default"))) int TestPluginIsSupportedCalls() {
    return isSupportedCalls;
}

}  // extern "C"
