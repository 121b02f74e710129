#pragma once

#include "core/images/ImageFile.h"

namespace tessemar {

// The platform's picture decoder for the image library: Qt's image readers (JPEG, PNG, GIF
// and whatever image-format plug-ins Qt has installed).
std::unique_ptr<PictureDecoder> OpenQtPicture(std::span<const std::uint8_t> bytes);

// The decoders the program loads pictures with: Qt's as the platform decoder, plug-ins from
// the program's folder.
ImageDecoders ProgramImageDecoders();

}  // namespace tessemar
