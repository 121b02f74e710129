#include "gui/frame/StatusPanes.h"

#include "core/text/StringTable.h"
#include "gui/commands/CommandTable.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace tessemar {
namespace {

constexpr int kIconSize = 16;
constexpr const char* kApplicationIcon = "application";

QLabel* IconLabel(QWidget* parent, const QIcon& icon) {
    auto* label = new QLabel(parent);
    label->setFixedSize(kIconSize, kIconSize);
    if (!icon.isNull())
        label->setPixmap(icon.pixmap(kIconSize, kIconSize));
    return label;
}

}  // namespace

CStatusPanes::CStatusPanes(QStatusBar* bar)
    : QObject(bar), bar_(bar), animation_(new QTimer(this)) {
    // Pane 0 is a widget of ours rather than the status bar's message line, so that it keeps
    // its icon and the progress bar beside the text.
    auto* messagePane = new QWidget(bar);
    auto* layout = new QHBoxLayout(messagePane);
    layout->setContentsMargins(2, 0, 2, 0);
    messageIcon_ = IconLabel(messagePane, {});
    auto* message = new QLabel(QStringLiteral(" "), messagePane);
    progress_ = new QProgressBar(messagePane);
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(bar->fontMetrics().horizontalAdvance(QString(27, QLatin1Char(' '))));
    progress_->setMaximumHeight(bar->fontMetrics().height());
    progress_->hide();
    layout->addWidget(messageIcon_);
    layout->addWidget(message, 1);
    layout->addWidget(progress_);
    bar->addWidget(messagePane, 1);
    panes_[kPaneMessage] = message;
    SetIcon(QString::fromLatin1(kApplicationIcon));

    const std::pair<int, const char*> panes[] = {
        {kPaneCursor, "status-position"}, {kPaneCell, "status-cell"}, {kPaneUndo, "status-undo"}};
    for (const auto& [id, icon] : panes) {
        auto* frame = new QFrame(bar);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        auto* paneLayout = new QHBoxLayout(frame);
        paneLayout->setContentsMargins(2, 0, 2, 0);
        paneLayout->setSpacing(3);
        auto* text =
            new QLabel(QString::fromUtf8(text::LoadString(static_cast<unsigned>(id))), frame);
        text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QStringLiteral("000, 000")));
        paneLayout->addWidget(IconLabel(frame, CCommandTable::ActionIcon(icon)));
        paneLayout->addWidget(text, 1);
        bar->addPermanentWidget(frame);
        panes_[id] = text;
    }

    animation_->setInterval(kAnimationMs);
    connect(animation_, &QTimer::timeout, this, &CStatusPanes::StepAnimation);
}

void CStatusPanes::SetText(int paneId, const QString& text) {
    auto it = panes_.find(paneId);
    if (it != panes_.end())
        it->second->setText(text);
}

QString CStatusPanes::Text(int paneId) const {
    auto it = panes_.find(paneId);
    return it == panes_.end() ? QString() : it->second->text();
}

void CStatusPanes::SetIcon(const QString& name) {
    iconName_ = name;
    if (name.isEmpty()) {
        SetIcon(QIcon());
    } else if (name == QLatin1String(kApplicationIcon)) {
        SetIcon(QIcon(QStringLiteral(":/icons/tessemar-16.png")));
    } else {
        SetIcon(CCommandTable::ActionIcon(name.toLatin1().constData()));
    }
    iconName_ = name;
}

void CStatusPanes::SetIcon(const QIcon& icon) {
    iconName_.clear();
    messageIcon_->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(kIconSize, kIconSize));
}

bool CStatusPanes::HasIcon() const {
    return !messageIcon_->pixmap().isNull();
}

void CStatusPanes::ShowProgress() {
    // A new run starts with nothing of the last one's progress.
    progressText_.clear();
    progress_->setValue(0);
    progress_->show();
}

void CStatusPanes::SetProgress(int percent, const QString& text) {
    progressText_ = text;
    progress_->setValue(std::clamp(percent, 0, 100));
    SetText(kPaneMessage, text);
}

void CStatusPanes::HideProgress() {
    progressText_.clear();
    progress_->hide();
}

void CStatusPanes::StartAnimation() {
    frame_ = 0;
    animation_->start();
}

void CStatusPanes::StopAnimation() {
    animation_->stop();
}

bool CStatusPanes::Animating() const {
    return animation_->isActive();
}

void CStatusPanes::StepAnimation() {
    frame_ = (frame_ + 1) % kAnimationFrames;
    SetIcon(QStringLiteral("solver-busy-%1").arg(frame_));
    SetText(kPaneMessage, progressText_);
}

void CStatusPanes::SetSolverMessage(const QString& text) {
    SetText(kPaneMessage, text);
}

void CStatusPanes::SetSolverIcon(Icon icon) {
    switch (icon) {
        case Icon::Application:
            SetIcon(QString::fromLatin1(kApplicationIcon));
            break;
        case Icon::Stopped:
            SetIcon(QStringLiteral("solver-stopped"));
            break;
        case Icon::None:
            SetIcon(QString());
            break;
    }
}

}  // namespace tessemar
