// ReadPackedFile from hostile names and archives: the archive bytes become "<tmp>/pk.dat",
// and the name (with '/' or '\' separators, or as a "!address,size" reference) is looked up.
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
        char pattern[] = "/tmp/fuzz_packed.XXXXXX";
        const char* made = ::mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessemar;
    if (size < 2)
        return 0;
    const int mode = data[0];
    const std::size_t nameLength = std::min<std::size_t>(data[1] % 64, size - 2);
    std::string name(reinterpret_cast<const char*>(data + 2), nameLength);
    const std::span<const std::uint8_t> archive(data + 2 + nameLength, size - 2 - nameLength);
    // Climbing out of the folder would read whatever the machine holds.
    if (name.find("..") != std::string::npos)
        return 0;

    FileBuffer buffer;
    if (mode % 3 == 0) {
        MemoryReference reference(archive);
        // The registered name, with the fuzzed bytes spliced into it.
        const std::string registered = reference.Name();
        name = registered.substr(0, std::min<std::size_t>(mode / 3, registered.size())) + name;
        if (ReadPackedFile(name, buffer) == PackedFileOk) {
            if (buffer.data < archive.data() ||
                buffer.data + buffer.size > archive.data() + archive.size())
                std::abort();
        }
    } else {
        if (FILE* file = std::fopen((Folder() + "/pk.dat").c_str(), "wb")) {
            std::fwrite(archive.data(), 1, archive.size(), file);
            std::fclose(file);
        }
        const char separator = mode % 3 == 1 ? '/' : '\\';
        ReadPackedFile(Folder() + separator + "pk" + separator + name, buffer);
    }
    // Every byte handed out must be readable, and owned bytes end in the promised zero.
    volatile unsigned sum = 0;
    for (std::size_t i = 0; i < buffer.size; ++i)
        sum = sum + buffer.data[i];
    if (buffer.owned && buffer.data[buffer.size] != 0)
        std::abort();
    return 0;
}
