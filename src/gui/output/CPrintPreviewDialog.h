#pragma once

#include "gui/output/PrintDocument.h"

#include <QDialog>
#include <QImage>

class QAction;
class QLabel;
class QPrinter;

namespace tessemar {

// The print preview: the pages of a document as the printer will print them, one at a time.
// Only the page shown is drawn, and it is drawn at the window's size, so that a sheet of
// hundreds of pages opens at once. The dialog ends with kPrintRequested when the user asks to
// print.
class CPrintPreviewDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kPrintRequested = 2;

    CPrintPreviewDialog(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& sheetStyle,
                        const AppSettings& settings, QWidget* parent);
    ~CPrintPreviewDialog() override;

    int PageCount() const { return print_.plan.Pages(); }
    int CurrentPage() const { return page_; }
    void ShowPage(int page);
    // The page as it is shown now, drawn at the page area's size.
    QImage ShownPage();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    class PageArea;

    const CLogicDoc& doc_;
    const LayoutStyle& style_;
    DocumentPrint print_;
    int page_ = 1;
    PageArea* area_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* next_ = nullptr;
};

}  // namespace tessemar
