#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace tessemar {

// The program's manual: our own HTML pages, English or Japanese by the user interface's
// language, in a browser window with back and forward. One window serves every request.
class CHelpWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Opens (or raises) the help window on the manual's first page, in the interface language.
    // Returns the window, owned by Qt (deleted on close); nullptr when the manual is missing.
    static CHelpWindow* ShowHelp(QWidget* parent);
};

}  // namespace tessemar
