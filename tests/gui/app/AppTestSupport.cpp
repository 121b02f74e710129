#include "AppTestSupport.h"

#include "core/document/CLogicDoc.h"
#include "core/document/TsdFile.h"
#include "core/text/StringTable.h"
#include "support/ModelSetup.h"

#include <cstdlib>
#include <fstream>

namespace tessemar {

void WriteSampleDocument(const std::string& path, int columns, int rows) {
    CLogicDoc doc;
    LoadSize(doc, columns, rows);
    LoadCell(doc, 1, 1, 1);
    SaveDocumentFile(doc, path);
}

void WriteBadFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "this is not a puzzle";
}

namespace {

// Every test of this program runs with the user's data and configuration folders pointing
// into a temporary folder, so that nothing a test does (or a fault in the code under test)
// can reach the real desktop's association files, and with English texts.
class PrivateDesktopEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        setenv("XDG_DATA_HOME", (home_.Path() + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_.Path() + "/config").c_str(), 1);
        setenv("HOME", home_.Path().c_str(), 1);
        text::SetLanguage(text::Language::English);
    }

  private:
    TempDir home_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new PrivateDesktopEnvironment);

}  // namespace
}  // namespace tessemar
