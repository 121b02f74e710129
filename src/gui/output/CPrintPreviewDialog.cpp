#include "gui/output/CPrintPreviewDialog.h"

#include "core/document/CLogicDoc.h"
#include "core/text/StringTable.h"
#include "gui/common/UiText.h"
#include "gui/common/WaitCursor.h"
#include "render/PrintPlan.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace tessemar {
namespace {

constexpr int kPaperMargin = 12;

}  // namespace

// The grey desk with the page on it; the page's picture is drawn again only when the page or
// the desk's size changes.
class CPrintPreviewDialog::PageArea : public QWidget {
  public:
    explicit PageArea(CPrintPreviewDialog& dialog) : QWidget(&dialog), dialog_(dialog) {
        setMinimumSize(200, 200);
    }

    const QImage& Picture() {
        const QSize fit = size().shrunkBy(QMargins(kPaperMargin, kPaperMargin, kPaperMargin, kPaperMargin));
        if (picture_.isNull() || pictureOf_ != dialog_.page_ || fitOf_ != fit) {
            WaitCursor wait;
            const DocumentPrint& print = dialog_.print_;
            picture_ = PagePreview(print.plan, dialog_.page_, print.page, fit, print.sheet, dialog_.doc_.Model(),
                                   dialog_.style_);
            pictureOf_ = dialog_.page_;
            fitOf_ = fit;
        }
        return picture_;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        const QImage& picture = Picture();
        const QPoint at((width() - picture.width()) / 2, (height() - picture.height()) / 2);
        painter.fillRect(QRect(at + QPoint(3, 3), picture.size()), palette().color(QPalette::Shadow));
        painter.drawImage(at, picture);
    }

  private:
    CPrintPreviewDialog& dialog_;
    QImage picture_;
    int pictureOf_ = 0;
    QSize fitOf_;
};

CPrintPreviewDialog::CPrintPreviewDialog(QPrinter& printer, const CLogicDoc& doc, const LayoutStyle& sheetStyle,
                                         const AppSettings& settings, QWidget* parent)
    : QDialog(parent), doc_(doc), style_(sheetStyle), print_(PlanDocumentPrint(printer, doc, sheetStyle, settings)) {
    setWindowTitle(Text(text::IdsPreviewTitle) + QStringLiteral(" - ") +
                   QString::fromStdString(doc.GetDocumentFileName()));
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* print = bar->addAction(style()->standardIcon(QStyle::SP_DialogOkButton), Text(text::IdsPreviewPrint));
    connect(print, &QAction::triggered, this, [this] { done(kPrintRequested); });
    bar->addSeparator();
    previous_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowLeft), Text(text::IdsPreviewPreviousPage));
    connect(previous_, &QAction::triggered, this, [this] { ShowPage(page_ - 1); });
    next_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowRight), Text(text::IdsPreviewNextPage));
    connect(next_, &QAction::triggered, this, [this] { ShowPage(page_ + 1); });
    bar->addSeparator();
    pageLabel_ = new QLabel(bar);
    pageLabel_->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(pageLabel_);
    bar->addSeparator();
    QAction* close = bar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), Text(text::IdsReportMenuClose));
    connect(close, &QAction::triggered, this, &QDialog::reject);

    area_ = new PageArea(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(area_, 1);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(std::min(900, available.width() * 9 / 10), available.height() * 9 / 10);
    }
    ShowPage(1);
}

CPrintPreviewDialog::~CPrintPreviewDialog() = default;

void CPrintPreviewDialog::ShowPage(int page) {
    page_ = std::clamp(page, 1, PageCount());
    pageLabel_->setText(FormatText(text::IdsPreviewPageOf, {page_, PageCount()}));
    previous_->setEnabled(page_ > 1);
    next_->setEnabled(page_ < PageCount());
    area_->update();
}

QImage CPrintPreviewDialog::ShownPage() {
    return area_->Picture();
}

void CPrintPreviewDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_Left:
            ShowPage(page_ - 1);
            break;
        case Qt::Key_PageDown:
        case Qt::Key_Right:
            ShowPage(page_ + 1);
            break;
        case Qt::Key_Home:
            ShowPage(1);
            break;
        case Qt::Key_End:
            ShowPage(PageCount());
            break;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CPrintPreviewDialog::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        ShowPage(page_ - steps);
}

}  // namespace tessemar
