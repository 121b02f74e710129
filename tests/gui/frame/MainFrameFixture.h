#pragma once

#include "gui/document/DocManagerFixture.h"
#include "gui/frame/CMainFrame.h"

#include <memory>
#include <vector>

namespace tessemar::test {

// A main frame over the fixture's document manager, made at the first call of Frame().
class MainFrameFixture : public DocManagerFixture {
  public:
    CMainFrame& Frame() {
        if (!frame_) {
            MainFrameHooks hooks;
            hooks.settingsSaved = [this] { ++settingsSavedCalls_; };
            hooks.setRecentFileCount = [this](int count) { recentFileCounts_.push_back(count); };
            hooks.setRegisterFileType = [this](bool on) { registerFileTypes_.push_back(on); };
            frame_ = std::make_unique<CMainFrame>(docs_, settings_, ini_, recent_, hooks);
        }
        return *frame_;
    }

    std::unique_ptr<CMainFrame> frame_;
    int settingsSavedCalls_ = 0;
    std::vector<int> recentFileCounts_;
    std::vector<bool> registerFileTypes_;
};

}  // namespace tessemar::test
