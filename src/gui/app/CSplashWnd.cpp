#include "gui/app/CSplashWnd.h"

#include "core/settings/AppSettings.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/images/LogoResource.h"
#include "gui/images/VersionText.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QScreen>

namespace tessemar {
namespace {

constexpr int kBandHeight = 64;
constexpr int kLegalBottom = 314;
constexpr int kTextRight = 535;

}  // namespace

Surface LoadSplashLogo() {
    Surface logo;
    if (!LoadLogoResource(logo, kLogoBanner))
        logo.Release();
    return logo;
}

CSplashWnd::CSplashWnd(QWidget* mainWindow, const Surface& logo)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      background_(kWidth, kHeight, QImage::Format_RGB32),
      animation_(logo) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::ArrowCursor);

    const ColorRef dark = MakeColorRef(0, 0, 32);
    const ColorRef light = MakeColorRef(128, 160, 192);
    background_.fill(Qt::white);
    QPainter painter(&background_);
    FillGradient(painter, 0, 0, kWidth, kBandHeight, dark, light, 1);
    FillGradient(painter, 0, kHeight - kBandHeight, kWidth, kHeight, light, dark, 1);

    painter.setPen(Qt::white);
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const int lineHeight = painter.fontMetrics().height();
    const int legalTop = kLegalBottom - lineHeight;
    painter.drawText(QRect(0, legalTop, kTextRight, lineHeight), Qt::AlignRight | Qt::AlignBottom,
                     LegalNoticeLine());
    painter.drawText(QRect(0, legalTop - 3 - lineHeight, kTextRight, lineHeight),
                     Qt::AlignRight | Qt::AlignBottom, VersionLine());
    painter.drawPixmap(16, 16, QIcon(QStringLiteral(":/icons/tessemar-32.png")).pixmap(32, 32));

    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::OnTick);
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
}

void CSplashWnd::ShowSplash() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    qApp->installEventFilter(this);
    OnTick();
    timer_.start(kTickMs);
    show();
}

QImage CSplashWnd::Picture() const {
    QImage picture = background_.copy();
    const Surface& canvas = animation_.Canvas();
    const QImage middle(reinterpret_cast<const uchar*>(canvas.Data()), canvas.Width(),
                        canvas.Height(), static_cast<qsizetype>(canvas.Pitch()),
                        QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.drawImage(0, kBandHeight, middle);
    return picture;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

void CSplashWnd::OnTick() {
    if (!animation_.Tick()) {
        HideSplash();
        return;
    }
    update(0, kBandHeight, kWidth, SplashAnimation::kHeight);
}

void CSplashWnd::HideSplash() {
    timer_.stop();
    qApp->removeEventFilter(this);
    close();
    if (mainWindow_)
        mainWindow_->update();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Claimed, so that no menu shortcut fires: the key press that follows closes the
            // splash and goes no further.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
            HideSplash();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

}  // namespace tessemar
