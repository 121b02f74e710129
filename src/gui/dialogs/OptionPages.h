#pragma once

#include "gui/dialogs/COptionPage.h"

namespace tessemar {

class CKeyField;

// General: the recent-file list's size, the new file at start, the file association, and the
// three buttons that write the defaults of new documents to the settings file at once.
class CPage1 : public COptionPage {
    Q_OBJECT
  public:
    static constexpr int kMaxRecentFiles = 16;

    CPage1(const IniFile& ini, QWidget* parent = nullptr);

    void EditDefaultColors();
    void EditDefaultSize();
    void EditDefaultFont();

  private:
    const IniFile& ini_;
};

// View: bold lines, graduation numbers, preview, the selection background and the input
// direction of clue numbers.
class CPage2 : public COptionPage {
    Q_OBJECT
  public:
    explicit CPage2(QWidget* parent = nullptr);
};

// Solve: refreshing the view during a solve, and when the result report shows.
class CPage3 : public COptionPage {
    Q_OBJECT
  public:
    explicit CPage3(QWidget* parent = nullptr);
};

// Print: the zoom and whether the empty part of the clue areas is printed.
class CPage4 : public COptionPage {
    Q_OBJECT
  public:
    static constexpr int kMaxZoom = 1000;

    explicit CPage4(QWidget* parent = nullptr);
};

// Keyboard: the four keys that move the clue-number box.
class CPage5 : public COptionPage {
    Q_OBJECT
  public:
    explicit CPage5(QWidget* parent = nullptr);

    // Up W, Down S, Left A, Right D.
    void RestoreDefaultKeys();

  private:
    CKeyField* up_;
    CKeyField* right_;
    CKeyField* down_;
    CKeyField* left_;
};

}  // namespace tessemar
