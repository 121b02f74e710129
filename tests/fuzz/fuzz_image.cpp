// LoadImageFile's choice of decoder from hostile bytes: the first byte picks the extension of
// the file name and whether the file lies on disk or inside a packed archive.
#include "core/images/ImageFile.h"
#include "core/images/PackedFile.h"

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/fuzz_image.XXXXXX";
        const char* made = ::mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

void Write(const std::string& path, const std::uint8_t* data, std::size_t size) {
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessemar;
    if (size < 1)
        return 0;
    static const char* const kExtensions[] = {"qga", "QGA", "bmp", "png",
                                              "jpg", "Qga", "",    "x.qga"};
    const int mode = data[0];
    const std::string file = std::string("p.") + kExtensions[mode % 8];
    ++data;
    --size;
    std::string name;
    if (mode & 8) {
        ArchiveMember member{file, std::vector<std::uint8_t>(data, data + size), (mode & 16) != 0};
        const std::vector<std::uint8_t> archive =
            WritePackedArchive({member}, (mode & 32) ? ArchiveKind::Extended : ArchiveKind::Plain);
        Write(Folder() + "/a.dat", archive.data(), archive.size());
        name = Folder() + "/a/" + file;
    } else {
        name = Folder() + "/" + file;
        Write(name, data, size);
    }
    Surface surface;
    ImageDecoders decoders;
    decoders.pluginFolder = Folder();
    LoadImageFile(surface, name, decoders);
    ::unlink(name.c_str());
    return 0;
}
