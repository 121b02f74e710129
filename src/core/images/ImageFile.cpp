#include "core/images/ImageFile.h"

#include "core/images/BitmapFile.h"
#include "core/images/PackedFile.h"
#include "core/images/PluginAbi.h"
#include "core/images/Qga.h"
#include "core/io/FileUtil.h"

#include <dlfcn.h>
#include <cstring>

namespace tessemar {
namespace {

// The extension of the file name, without its dot and in lower case; empty when there is
// none or when it holds anything but letters, digits, '-' and '_' (it becomes part of a
// library path).
std::string ExtensionOf(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z') {
            c = static_cast<char>(u - 'A' + 'a');
        } else if (!((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' || u == '_')) {
            return {};
        }
    }
    return ext;
}

class PluginDecoder : public PictureDecoder {
  public:
    PluginDecoder(void* library, std::span<const std::uint8_t> bytes,
                  TessemarSpiGetPictureInfo info, TessemarSpiGetPicture picture)
        : library_(library), bytes_(bytes), getInfo_(info), getPicture_(picture) {}
    ~PluginDecoder() override { ::dlclose(library_); }
    PluginDecoder(const PluginDecoder&) = delete;
    PluginDecoder& operator=(const PluginDecoder&) = delete;

    bool GetSize(int& width, int& height) override {
        TessemarSpiInfo info{};
        if (getInfo_(bytes_.data(), bytes_.size(), &info) != TESSEMAR_SPI_OK)
            return false;
        width = info.width;
        height = info.height;
        hasAlpha_ = info.hasAlpha != 0;
        return true;
    }

    bool Draw(Surface& target) override {
        TessemarSpiPicture picture{};
        if (getPicture_(bytes_.data(), bytes_.size(), &picture) != TESSEMAR_SPI_OK)
            return false;
        const bool fits = picture.pixels != nullptr && picture.width == target.Width() &&
                          picture.height == target.Height() && picture.stride >= picture.width * 4;
        if (fits) {
            for (int y = 0; y < target.Height(); ++y) {
                std::memcpy(target.Row(y),
                            picture.pixels + static_cast<std::size_t>(picture.stride) * y,
                            target.Pitch());
            }
            hasAlpha_ = picture.hasAlpha != 0;
        }
        if (picture.release != nullptr)
            picture.release(&picture);
        return fits;
    }

    bool HasAlpha() const override { return hasAlpha_; }

  private:
    void* library_;
    std::span<const std::uint8_t> bytes_;
    TessemarSpiGetPictureInfo getInfo_;
    TessemarSpiGetPicture getPicture_;
    bool hasAlpha_ = false;
};

}  // namespace

std::unique_ptr<PictureDecoder> OpenPluginDecoder(const std::string& pluginFolder,
                                                  const std::string& extension,
                                                  std::span<const std::uint8_t> bytes) {
    if (extension.empty() || bytes.size() < TESSEMAR_SPI_HEADER_BYTES)
        return nullptr;
    const std::string folder = pluginFolder.empty() ? ProgramFolder() : pluginFolder;
    const std::string library =
        (folder.empty() ? std::string(".") : folder) + "/spi/if" + extension + ".so";
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    auto isSupported = reinterpret_cast<TessemarSpiIsSupported>(::dlsym(handle, "IsSupported"));
    auto getInfo = reinterpret_cast<TessemarSpiGetPictureInfo>(::dlsym(handle, "GetPictureInfo"));
    auto getPicture = reinterpret_cast<TessemarSpiGetPicture>(::dlsym(handle, "GetPicture"));
    if (isSupported == nullptr || getInfo == nullptr || getPicture == nullptr ||
        isSupported(nullptr, bytes.data()) == 0) {
        ::dlclose(handle);
        return nullptr;
    }
    return std::make_unique<PluginDecoder>(handle, bytes, getInfo, getPicture);
}

int LoadImageFile(Surface& surface, const std::string& name, const ImageDecoders& decoders) {
    surface.Release();
    FileBuffer file;
    const std::string extension = ExtensionOf(name);
    if (ReadPackedFile(name, file) != PackedFileOk)
        return ImageFileNoDecoder;
    if (extension == "qga")
        return LoadQga(surface, file.Bytes());

    std::unique_ptr<PictureDecoder> decoder = OpenBitmapFile(file.Bytes());
    if (!decoder && decoders.platform)
        decoder = decoders.platform(file.Bytes());
    if (!decoder)
        decoder = OpenPluginDecoder(decoders.pluginFolder, extension, file.Bytes());
    if (!decoder)
        return ImageFileNoDecoder;

    int width = 0, height = 0;
    if (!decoder->GetSize(width, height) || width < 1 || height < 1)
        return ImageFileNoSize;
    if (!surface.Create(width, height))
        return ImageFileNoBitmap;
    if (!decoder->Draw(surface)) {
        surface.Release();
        return ImageFileNoBitmap;
    }
    surface.SetHasAlpha(decoder->HasAlpha());
    surface.TakeColorKeyFromCorner();
    surface.SetLoaded(true);
    return ImageFileOk;
}

}  // namespace tessemar
