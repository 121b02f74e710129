#include "gui/frame/CChildFrame.h"

#include "gui/app/CDocManager.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>

namespace tessemar {

CChildFrame::CChildFrame(CDocManager& docs, CLogicDoc& doc,
                         std::function<void(int)> sizeStateChanged)
    : docs_(docs), doc_(doc), sizeStateChanged_(std::move(sizeStateChanged)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(new QWidget);
    // The document's own icon, as the desktop shows its files.
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/application-x-tessemar-%1.png").arg(size));
    setWindowIcon(icon);
    resize(400, 300);
    UpdateTitle();
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(doc_.GetTitle()));
}

void CChildFrame::Discard() {
    discarding_ = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (discarding_) {
        event->accept();
        return;
    }
    // The manager destroys the document and then calls Discard through documentClosing.
    if (docs_.CloseDocument(doc_)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || discarding_ || !sizeStateChanged_)
        return;
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized) {
        sizeStateChanged_(Minimized);
    } else if (states & Qt::WindowMaximized) {
        sizeStateChanged_(Maximized);
    } else {
        sizeStateChanged_(Restored);
    }
}

}  // namespace tessemar
