#pragma once

#include <QMainWindow>
#include <QSize>
#include <QUrl>

class QAction;
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

    ~CHelpWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    CHelpWindow(const QUrl& home, QWidget* parent);

    void SetHome(const QUrl& home);
    void RememberSize();
    void FollowLink(const QUrl& link);
    QAction* AddNavigation(const char* objectName, const QIcon& icon, unsigned textId,
                           const QKeySequence& key);

    QTextBrowser* browser_ = nullptr;
    QUrl home_;

    // The size the user gave the window last, for the next one opened in this session.
    static QSize lastSize_;
};

}  // namespace tessemar
