#include "gui/dialogs/WallpaperPage.h"

#include "core/text/StringTable.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/images/CWallpaperPainter.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tessemar {

CPage6::CPage6(QWidget* parent)
    : COptionPage(parent),
      firstLabel_(new QLabel(this)),
      secondLabel_(new QLabel(this)),
      color1_(new CColorField(this)),
      color2_(new CColorField(this)),
      path_(new QLineEdit(this)),
      browse_(new QPushButton(QStringLiteral("..."), this)) {
    const RadioBox modes = MakeRadioBox(this, 0,
                                        {text::IdsWallpaperSimple, text::IdsWallpaperGradation,
                                         text::IdsWallpaperLogo, text::IdsWallpaperPicture});
    const RadioBox direction = MakeRadioBox(this, 0, {text::IdsLeftToRight, text::IdsTopToBottom});
    mode_ = modes.group;
    direction_ = direction.box;
    modes.box->setObjectName(QStringLiteral("Brush"));
    direction_->setObjectName(QStringLiteral("Direction"));
    color1_->setObjectName(QStringLiteral("Color1"));
    color2_->setObjectName(QStringLiteral("Color2"));
    path_->setObjectName(QStringLiteral("Path"));
    browse_->setObjectName(QStringLiteral("browse"));
    browse_->setFixedWidth(32);
    color1_->setFixedSize(64, 22);
    color2_->setFixedSize(64, 22);
    BindRadios(mode_, &AppSettings::brush);
    BindColor(color1_, &AppSettings::wallpaperColor1);
    BindColor(color2_, &AppSettings::wallpaperColor2);
    BindRadios(direction.group, &AppSettings::direction);
    BindText(path_, &AppSettings::path);
    connect(mode_, &QButtonGroup::idClicked, this, &CPage6::ShowMode);
    connect(browse_, &QPushButton::clicked, this, &CPage6::BrowsePicture);

    auto* fields = new QGridLayout;
    fields->addWidget(firstLabel_, 0, 0);
    auto* first = new QHBoxLayout;
    first->addWidget(color1_);
    first->addWidget(path_, 1);
    first->addWidget(browse_);
    first->addStretch();
    fields->addLayout(first, 0, 1);
    fields->addWidget(secondLabel_, 1, 0);
    fields->addWidget(color2_, 1, 1, Qt::AlignLeft);
    fields->addWidget(direction_, 2, 1);
    fields->setRowStretch(3, 1);
    fields->setColumnStretch(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(modes.box, 0, Qt::AlignTop);
    layout->addLayout(fields, 1);
    ShowMode(CWallpaperPainter::ModeSimpleColor);
}

void CPage6::Fill(const AppSettings& settings) {
    COptionPage::Fill(settings);
    ShowMode(mode_->checkedId());
}

void CPage6::ShowMode(int mode) {
    const bool picture = mode == CWallpaperPainter::ModePicture;
    const bool twoColors =
        mode == CWallpaperPainter::ModeGradation || mode == CWallpaperPainter::ModeDefaultLogo;
    if (picture) {
        firstLabel_->setText(Text(text::IdsWallpaperFileLabel));
    } else if (twoColors) {
        firstLabel_->setText(FormatText(text::IdsWallpaperColorNLabel, {std::int64_t{1}}));
        secondLabel_->setText(FormatText(text::IdsWallpaperColorNLabel, {std::int64_t{2}}));
    } else {
        firstLabel_->setText(Text(text::IdsWallpaperColorLabel));
    }
    color1_->setVisible(!picture);
    secondLabel_->setVisible(twoColors);
    color2_->setVisible(twoColors);
    direction_->setVisible(twoColors);
    path_->setVisible(picture);
    browse_->setVisible(picture);
    if (picture)
        path_->setFocus();
}

void CPage6::BrowsePicture() {
    QString path = path_->text();
    if (!PromptFileName(true, path, Text(text::IdsBitmapExtension), Text(text::IdsOpenImageTitle),
                        Text(text::IdsImageFilter)))
        return;
    path_->setText(path);
    emit modified();
}

}  // namespace tessemar
