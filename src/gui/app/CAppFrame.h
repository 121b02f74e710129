#pragma once

#include "core/document/CLogicDoc.h"

#include <QMainWindow>
#include <QMdiSubWindow>

#include <map>

class QMdiArea;
class QMenu;
class QAction;

namespace tessemar {

class CLogicApp;

// The window of one document inside the main window. Closing it asks the document manager,
// which may keep it open (the user cancelled the "Save changes" question).
class CDocFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    CDocFrame(CLogicApp& app, CLogicDoc& doc);

    CLogicDoc& Document() const { return doc_; }
    void UpdateTitle();
    // Closes the window without asking: the document is gone already.
    void Discard();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    CLogicApp& app_;
    CLogicDoc& doc_;
    bool discarding_ = false;
};

// The main window: the area of the document windows and the File menu with the recent files.
// It accepts files dropped from the desktop and writes the settings when it closes.
class CAppFrame : public QMainWindow {
    Q_OBJECT
  public:
    // Command ids of the recent-file entries: kFirstRecentFile + index.
    static constexpr int kFirstRecentFile = 57616;

    explicit CAppFrame(CLogicApp& app);
    ~CAppFrame() override;

    CLogicDoc* ActiveDocument() const;
    CDocFrame* FrameOf(const CLogicDoc* doc) const;
    QMdiArea* DocumentArea() const { return area_; }
    QMenu* FileMenu() const { return fileMenu_; }
    // Brings the recent-file entries of the File menu up to date; entries beyond the list
    // are removed, so nothing stale stays after the list shrank or was cleared.
    void UpdateRecentFileMenu();
    void UpdateTitle();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void OnDocumentOpened(CLogicDoc* doc);
    void OnDocumentClosing(CLogicDoc* doc);
    void UpdateCommands();

    CLogicApp& app_;
    QMdiArea* area_;
    QMenu* fileMenu_;
    QAction* saveAction_;
    QAction* saveAsAction_;
    QAction* closeAction_;
    QAction* recentPlaceholder_;
    QAction* clearRecentAction_;
    std::map<const CLogicDoc*, CDocFrame*> frames_;
};

}  // namespace tessemar
