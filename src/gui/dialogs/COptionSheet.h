#pragma once

#include "core/settings/AppSettings.h"

#include <QDialog>

#include <array>

class QPushButton;
class QTabWidget;

namespace tessemar {

class COptionPage;

// The option sheet: six pages on a copy of the settings. Every change of a control enables
// Apply; Apply and OK store the pages into the copy and hand it to applied(), so that the
// owner of the settings takes it over. Cancel after Apply keeps what was applied.
class COptionSheet : public QDialog {
    Q_OBJECT
  public:
    enum PageIndex : int { General = 0, View, Wallpaper, Solve, Print, Keyboard, PageCount };

    COptionSheet(const AppSettings& settings, const IniFile& ini, QWidget* parent = nullptr);

    void SetActivePage(int index);
    int ActivePage() const;
    COptionPage* Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    QPushButton* ApplyButton() const { return apply_; }

    // Stores every page and announces the settings; false when a number was refused (its page
    // is shown and the sheet stays open).
    bool Apply();
    void accept() override;

  signals:
    void applied(const AppSettings& settings);

  private:
    AppSettings values_;
    QTabWidget* tabs_;
    std::array<COptionPage*, PageCount> pages_{};
    QPushButton* apply_ = nullptr;
};

}  // namespace tessemar
