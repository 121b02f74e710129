#include "gui/dialogs/CAboutDialog.h"

#include "core/text/StringTable.h"
#include "gui/common/ColorCell.h"
#include "gui/common/UiText.h"
#include "gui/images/LogoResource.h"
#include "gui/images/SurfaceImage.h"
#include "gui/images/VersionText.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

namespace tessemar {
namespace {

// A link drawn in blue, underlined while the mouse is over it; a click opens its target with
// the desktop's handler.
class CLinkLabel : public QLabel {
  public:
    CLinkLabel(const QString& text, const QUrl& target, const QString& tip, const QString& status,
               std::function<void(const QString&)> showStatus, QWidget* parent)
        : QLabel(text, parent),
          target_(target),
          status_(status),
          showStatus_(std::move(showStatus)) {
        setToolTip(tip);
        setCursor(Qt::PointingHandCursor);
        QPalette colors = palette();
        colors.setColor(QPalette::WindowText, Qt::blue);
        setPalette(colors);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

  protected:
    void enterEvent(QEnterEvent*) override { Hover(true, status_); }
    void leaveEvent(QEvent*) override { Hover(false, QStringLiteral(" ")); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            QDesktopServices::openUrl(target_);
    }

  private:
    void Hover(bool inside, const QString& status) {
        QFont underlined = font();
        underlined.setUnderline(inside);
        setFont(underlined);
        if (showStatus_)
            showStatus_(status);
    }

    QUrl target_;
    QString status_;
    std::function<void(const QString&)> showStatus_;
};

// The logo's shape filled with one colour.
QImage Tinted(const QImage& logo, const QColor& color) {
    if (logo.isNull())
        return {};
    QImage image(logo.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawImage(0, 0, logo);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

}  // namespace

CAboutDialog::CAboutDialog(std::function<void(const QString&)> showStatus, QWidget* parent)
    : QDialog(parent), logo_(new QLabel(this)) {
    setWindowTitle(Text(text::IdsAboutTitle));
    Surface surface;
    if (LoadLogoResource(surface, kLogoBanner))
        logoImage_ = WrapSurface(surface).copy();
    // The shadow is the dialog's face, darker.
    shadow_ = Tinted(logoImage_, ToQColor(ShadowOf(ToColorRef(palette().color(QPalette::Window)))));
    logo_->setObjectName(QStringLiteral("logo"));

    const QString mail = Text(text::IdsAuthorMail);
    const QString home = Text(text::IdsHomePage);
    auto* mailLink =
        new CLinkLabel(mail, QUrl(QStringLiteral("mailto:") + mail), Text(text::IdsSendMailTip),
                       FormatText(text::IdsLinkActionFormat,
                                  {text::LoadString(text::IdsSendMail), mail.toStdString()}),
                       showStatus, this);
    auto* homeLink = new CLinkLabel(home, QUrl(home), Text(text::IdsHomePageTip),
                                    FormatText(text::IdsOpenHomePageFormat, {home.toStdString()}),
                                    showStatus, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo_, 0, Qt::AlignHCenter);
    layout->addWidget(
        new QLabel(Text(text::IdsAppTitle) + QStringLiteral("  ") + VersionLine(), this));
    layout->addWidget(new QLabel(LegalNoticeLine(), this));
    layout->addWidget(mailLink);
    layout->addWidget(homeLink);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    DrawLogo();
    connect(&timer_, &QTimer::timeout, this, &CAboutDialog::Tick);
    timer_.start(kTickMilliseconds);
}

void CAboutDialog::done(int result) {
    timer_.stop();
    QDialog::done(result);
}

void CAboutDialog::Tick() {
    color_.Tick();
    orbit_.Tick();
    DrawLogo();
}

void CAboutDialog::DrawLogo() {
    QPixmap canvas(logoImage_.size() + QSize(2 * kMargin, 2 * kMargin));
    canvas.fill(palette().color(QPalette::Window));
    QPainter painter(&canvas);
    painter.drawImage(kMargin + orbit_.X(), kMargin + orbit_.Y(), shadow_);
    painter.drawImage(kMargin, kMargin, Tinted(logoImage_, ToQColor(color_.Color())));
    painter.end();
    logo_->setPixmap(canvas);
}

}  // namespace tessemar
