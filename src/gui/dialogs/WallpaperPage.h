#pragma once

#include "gui/dialogs/COptionPage.h"

class QLabel;
class QPushButton;

namespace tessemar {

// Wallpaper: the mode, with the fields that mode uses (colours and direction, or a picture
// file); fields the mode does not use are hidden.
class CPage6 : public COptionPage {
    Q_OBJECT
  public:
    explicit CPage6(QWidget* parent = nullptr);

    void Fill(const AppSettings& settings) override;
    // Asks for a picture file; a chosen one goes into the path field.
    void BrowsePicture();

  private:
    void ShowMode(int mode);

    QButtonGroup* mode_;
    QLabel* firstLabel_;
    QLabel* secondLabel_;
    CColorField* color1_;
    CColorField* color2_;
    QGroupBox* direction_;
    QLineEdit* path_;
    QPushButton* browse_;
};

}  // namespace tessemar
