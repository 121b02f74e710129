#include "gui/dialogs/CColorSettingsDialog.h"

#include "core/text/StringTable.h"
#include "gui/common/UiText.h"
#include "gui/dialogs/DialogFields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessemar {
namespace {

// Where a swatch's colour lives: the table (colours or shadows) and the index in it; a
// drawing colour shows its shadow too.
struct SwatchPlace {
    bool shadowTable;
    int index;
};

constexpr SwatchPlace kPlaces[CColorSettingsDialog::kSwatchCount] = {
    {false, 0}, {false, 9}, {true, 0},  {true, 9},  {false, 1}, {false, 2},
    {false, 3}, {false, 4}, {false, 5}, {false, 6}, {false, 7}, {false, 8},
};

QString SwatchLabel(int swatch) {
    constexpr unsigned kFixedLabels[] = {text::IdsBackLabel, text::IdsXLabel,
                                         text::IdsBoldLineLabel, text::IdsLineLabel};
    if (swatch < 4)
        return Text(kFixedLabels[swatch]);
    return FormatText(text::IdsWallpaperColorNLabel, {std::int64_t{swatch - 3}});
}

}  // namespace

CColorSettingsDialog::CColorSettingsDialog(const ColorTable& colors, const ColorTable& shadowColors,
                                           const ColorTable& defaultColors,
                                           const ColorTable& defaultShadowColors,
                                           const QString& title, QWidget* parent)
    : QDialog(parent),
      colors_(colors),
      shadowColors_(shadowColors),
      defaultColors_(defaultColors),
      defaultShadowColors_(defaultShadowColors) {
    setWindowTitle(title);
    // The fixed colours in the first column, the drawing colours in two more.
    auto* grid = new QGridLayout;
    for (int i = 0; i < kSwatchCount; ++i) {
        auto* swatch = new CColorField(this);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
        swatch->setFixedSize(40, 24);
        swatches_[static_cast<std::size_t>(i)] = swatch;
        connect(swatch, &CColorField::edited, this, [this, i] { TakeSwatch(i); });
        const int column = i < 4 ? 0 : 1 + (i - 4) / 4;
        const int row = i < 4 ? i : (i - 4) % 4;
        grid->addWidget(new QLabel(SwatchLabel(i), this), row, column * 2, Qt::AlignRight);
        grid->addWidget(swatch, row, column * 2 + 1);
    }
    auto* restore = new QPushButton(Text(text::IdsDefaultButton), this);
    auto* autoShadow = new QPushButton(Text(text::IdsAutoShadow), this);
    restore->setObjectName(QStringLiteral("default"));
    autoShadow->setObjectName(QStringLiteral("autoShadow"));
    connect(restore, &QPushButton::clicked, this, &CColorSettingsDialog::RestoreDefaults);
    connect(autoShadow, &QPushButton::clicked, this, &CColorSettingsDialog::MakeAutoShadow);
    auto* tools = new QHBoxLayout;
    tools->addWidget(restore);
    tools->addWidget(autoShadow);
    tools->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CColorSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CColorSettingsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(tools);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowColors();
}

void CColorSettingsDialog::RestoreDefaults() {
    colors_ = defaultColors_;
    shadowColors_ = defaultShadowColors_;
    ShowColors();
}

void CColorSettingsDialog::MakeAutoShadow() {
    shadowColors_ = AutoShadow(colors_, shadowColors_);
    ShowColors();
}

void CColorSettingsDialog::ShowColors() {
    for (int i = 0; i < kSwatchCount; ++i) {
        const SwatchPlace& place = kPlaces[i];
        const auto index = static_cast<std::size_t>(place.index);
        CColorField* swatch = swatches_[static_cast<std::size_t>(i)];
        swatch->SetColor(place.shadowTable ? shadowColors_[index] : colors_[index]);
        if (i >= 4)
            swatch->SetShadow(shadowColors_[index]);
    }
}

void CColorSettingsDialog::TakeSwatch(int swatch) {
    const SwatchPlace& place = kPlaces[swatch];
    ColorTable& table = place.shadowTable ? shadowColors_ : colors_;
    table[static_cast<std::size_t>(place.index)] =
        swatches_[static_cast<std::size_t>(swatch)]->Color();
}

}  // namespace tessemar
