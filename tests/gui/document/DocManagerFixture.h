#pragma once

#include "core/settings/AppSettings.h"
#include "core/settings/IniFile.h"
#include "core/text/StringTable.h"
#include "gui/document/CDocManager.h"
#include "gui/document/RecentFileList.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tessemar::test {

// A document manager with settings and an INI file of its own, in English, whose questions are
// answered by the script.
class DocManagerFixture : public ::testing::Test {
  public:
    DocManagerFixture()
        : ini_(dir_.File("Tessemar.INI")), recent_(10), docs_(ini_, settings_, recent_) {
        text::SetLanguage(text::Language::English);
    }
    ~DocManagerFixture() override { text::SetLanguage(text::Language::English); }

    TempDir dir_;
    IniFile ini_;
    AppSettings settings_;
    RecentFileList recent_;
    ScriptedPrompter prompter_;
    CDocManager docs_;
};

}  // namespace tessemar::test
