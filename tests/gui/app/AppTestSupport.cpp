#include "AppTestSupport.h"

#include "core/text/StringTable.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tessemar {
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
