#pragma once

#include "core/settings/AppSettings.h"
#include "core/settings/IniFile.h"
#include "core/text/StringTable.h"
#include "gui/document/CDocManager.h"
#include "gui/document/RecentFileList.h"
#include "gui/frame/CMainFrame.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessemar::test {

// A main frame over a document manager with settings and an INI file of its own, in English,
// whose questions are answered by the script; made at the first call of Frame().
class MainFrameFixture : public ::testing::Test {
  public:
    MainFrameFixture()
        : ini_(dir_.File("Tessemar.INI")), recent_(10), docs_(ini_, settings_, recent_) {
        text::SetLanguage(text::Language::English);
    }
    ~MainFrameFixture() override { text::SetLanguage(text::Language::English); }

    CMainFrame& Frame() {
        if (!frame_) {
            MainFrameHooks hooks;
            hooks.settingsSaved = [this] { ++settingsSavedCalls_; };
            frame_ = std::make_unique<CMainFrame>(docs_, settings_, ini_, recent_, hooks);
        }
        return *frame_;
    }

    TempDir dir_;
    IniFile ini_;
    AppSettings settings_;
    RecentFileList recent_;
    ScriptedPrompter prompter_;
    CDocManager docs_;
    std::unique_ptr<CMainFrame> frame_;
    int settingsSavedCalls_ = 0;
};

}  // namespace tessemar::test
