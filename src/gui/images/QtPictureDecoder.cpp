#include "gui/images/QtPictureDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>

namespace tessemar {
namespace {

class QtPicture : public PictureDecoder {
  public:
    explicit QtPicture(std::span<const std::uint8_t> bytes)
        : data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size()))),
          buffer_(&data_) {
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
    }

    bool Accepted() { return reader_.canRead(); }

    bool GetSize(int& width, int& height) override {
        // Some formats know their size only once decoded.
        QSize size = reader_.size();
        if (!size.isValid()) {
            if (!Decode())
                return false;
            size = image_.size();
        }
        width = size.width();
        height = size.height();
        return true;
    }

    bool Draw(Surface& target) override {
        if (!Decode())
            return false;
        const QImage pixels = image_.convertToFormat(QImage::Format_ARGB32);
        if (pixels.width() != target.Width() || pixels.height() != target.Height())
            return false;
        for (int y = 0; y < target.Height(); ++y)
            std::memcpy(target.Row(y), pixels.constScanLine(y), target.Pitch());
        return true;
    }

    bool HasAlpha() const override { return image_.hasAlphaChannel(); }

  private:
    bool Decode() {
        if (image_.isNull())
            image_ = reader_.read();
        return !image_.isNull();
    }

    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
    QImage image_;
};

}  // namespace

std::unique_ptr<PictureDecoder> OpenQtPicture(std::span<const std::uint8_t> bytes) {
    auto picture = std::make_unique<QtPicture>(bytes);
    if (!picture->Accepted())
        return nullptr;
    return picture;
}

ImageDecoders ProgramImageDecoders() {
    return ImageDecoders{OpenQtPicture, {}};
}

}  // namespace tessemar
