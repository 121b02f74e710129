#pragma once

#include "core/images/Surface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace tessemar {

// One decoder of the picture-file chain, made for one picture that it has accepted.
class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // The picture's size in pixels; false when the decoder cannot tell.
    virtual bool GetSize(int& width, int& height) = 0;
    // Draws the picture into a surface of that size.
    virtual bool Draw(Surface& target) = 0;
    // Whether the drawn pixels carry meaningful alpha.
    virtual bool HasAlpha() const { return false; }
};

// Offers the bytes of a picture file to a decoder: a decoder when it accepts them, else null.
using DecoderFactory =
    std::function<std::unique_ptr<PictureDecoder>(std::span<const std::uint8_t> bytes)>;

}  // namespace tessemar
