#pragma once

#include "core/images/PictureDecoder.h"
#include "core/images/Surface.h"

#include <string>

namespace tessemar {

// The decoders that LoadImageFile tries after its own bitmap parser.
struct ImageDecoders {
    // The platform's picture decoder (JPEG, PNG and the like); none when empty.
    DecoderFactory platform;
    // The folder whose "spi" subfolder holds the plug-ins; empty means the program's folder.
    std::string pluginFolder;
};

// Result codes of LoadImageFile.
enum ImageFileResult : int {
    ImageFileOk = 0,
    ImageFileNoDecoder = 1,  // unreadable, or no decoder accepted the data
    ImageFileNoSize = 2,     // the decoder could not give a usable size
    ImageFileNoBitmap = 3,   // the surface could not be made or drawn
};

// Loads a picture into surface, replacing what it held. A name with the extension "qga"
// (any letter case) is read as a qga image; any other file goes to the bitmap parser, then
// the platform decoder, then the plug-in for its extension. Files are read with
// ReadPackedFile, so they may sit in packed archives. On success the surface is loaded and
// the colour of pixel (0, 0) is its colour key.
int LoadImageFile(Surface& surface, const std::string& name, const ImageDecoders& decoders = {});

// The plug-in decoder for a file with the given extension, when the plug-in exists and accepts
// the bytes. Files shorter than 2048 bytes are refused without asking the plug-in.
std::unique_ptr<PictureDecoder> OpenPluginDecoder(const std::string& pluginFolder,
                                                  const std::string& extension,
                                                  std::span<const std::uint8_t> bytes);

}  // namespace tessemar
