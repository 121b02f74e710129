// Settings files from hostile bytes: every value read stays in its range, and a new document
// made from the defaults writes a file that reads back.
#include "core/document/CLogicDoc.h"
#include "core/document/TsdFile.h"
#include "core/settings/AppSettings.h"

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

const std::string& IniPath() {
    static const std::string path = "/tmp/fuzz_settings_" + std::to_string(::getpid()) + ".INI";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessemar;
    if (std::FILE* file = std::fopen(IniPath().c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const IniFile ini(IniPath());
    const AppSettings s = LoadSettings(ini);
    Require(s.tool >= 0 && s.tool <= 4 && s.color >= 1 && s.color <= 8 && s.brush >= 0 &&
            s.brush <= 3);
    Require(s.zoom >= 1 && s.zoom <= 1000 && s.wallpaperColor1 <= kMaxColorRef &&
            s.wallpaperColor2 <= kMaxColorRef);
    const MainFramePlacement placement = ReadMainFramePlacement(ini);
    Require(placement.left <= placement.right && placement.top <= placement.bottom);

    const DocumentDefaults defaults = ReadDocumentDefaults(ini);
    Require(IsValidPuzzleSize(defaults.columnCount, defaults.rowCount, defaults.cellSize));
    const CLogicDoc doc(defaults);
    const auto back = ReadTsd(WriteTsd(doc.Model()));
    Require(back && back->columnCount == defaults.columnCount &&
            back->rowCount == defaults.rowCount);
    return 0;
}
