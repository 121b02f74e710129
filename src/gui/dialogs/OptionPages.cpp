#include "gui/dialogs/OptionPages.h"

#include "core/text/StringTable.h"
#include "gui/commands/CommandTable.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/dialogs/CColorSettingsDialog.h"
#include "gui/dialogs/CSizeDialog.h"
#include "gui/dialogs/DialogFields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessemar {
namespace {

QCheckBox* MakeCheck(QWidget* parent, unsigned textId, const char* name) {
    auto* box = new QCheckBox(Text(textId), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A number field with its label in front and, if any, a unit behind.
QHBoxLayout* NumberRow(QWidget* parent, unsigned labelId, CNumberField* field,
                       const QString& unit = {}) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(Text(labelId), parent);
    label->setBuddy(field);
    field->setMinimumWidth(80);
    row->addWidget(label);
    row->addWidget(field);
    if (!unit.isEmpty())
        row->addWidget(new QLabel(unit, parent));
    row->addStretch();
    return row;
}

}  // namespace

CPage1::CPage1(const IniFile& ini, QWidget* parent) : COptionPage(parent), ini_(ini) {
    auto* recent = new CNumberField(1, kMaxRecentFiles, this);
    recent->setObjectName(QStringLiteral("RecentFileCount"));
    QCheckBox* createNew = MakeCheck(this, text::IdsCreateNewFile, "CreateNewFile");
    QCheckBox* registerType = MakeCheck(this, text::IdsRegisterFileType, "RegisterFileType");
    BindNumber(recent, &AppSettings::recentFileCount);
    BindCheck(createNew, &AppSettings::createNewFile);
    BindCheck(registerType, &AppSettings::registerFileType);

    auto* buttons = new QHBoxLayout;
    const struct {
        unsigned textId;
        const char* name;
        void (CPage1::*edit)();
    } kButtons[] = {{text::IdsDefaultColorButton, "defaultColor", &CPage1::EditDefaultColors},
                    {text::IdsDefaultSizeButton, "defaultSize", &CPage1::EditDefaultSize},
                    {text::IdsDefaultFontButton, "defaultFont", &CPage1::EditDefaultFont}};
    for (const auto& def : kButtons) {
        auto* button = new QPushButton(Text(def.textId), this);
        button->setObjectName(QString::fromLatin1(def.name));
        connect(button, &QPushButton::clicked, this, def.edit);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(NumberRow(this, text::IdsMaxMruCount, recent));
    layout->addWidget(createNew);
    layout->addWidget(registerType);
    layout->addStretch();
    layout->addLayout(buttons);
}

void CPage1::EditDefaultColors() {
    DocumentDefaults defaults;
    ReadDefaultColors(ini_, defaults.colors, defaults.shadowColors);
    CColorSettingsDialog dialog(defaults.colors, defaults.shadowColors, kDefaultColors,
                                kDefaultShadowColors, Text(text::IdsDefaultColorTitle), this);
    dialog.setWindowIcon(CCommandTable::ActionIcon("option-colours"));
    if (dialog.exec() == QDialog::Accepted)
        WriteDefaultColors(ini_, dialog.Colors(), dialog.ShadowColors());
}

void CPage1::EditDefaultSize() {
    const DocumentDefaults defaults = ReadDocumentDefaults(ini_);
    CSizeDialog dialog({defaults.columnCount, defaults.rowCount, defaults.cellSize},
                       Text(text::IdsDefaultSizeTitle), this);
    dialog.setWindowIcon(CCommandTable::ActionIcon("option-size"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SizeValues& chosen = dialog.Values();
    WriteDefaultSize(ini_, chosen.columns, chosen.rows, chosen.cellSize);
}

void CPage1::EditDefaultFont() {
    const DocumentDefaults defaults = ReadDocumentDefaults(ini_);
    FontChoice font{QString::fromStdString(defaults.fontFaceName), defaults.fontWeight};
    if (CurrentPrompter().PromptForFont(font))
        WriteDefaultFont(ini_, font.faceName.toStdString(), font.weight);
}

CPage2::CPage2(QWidget* parent) : COptionPage(parent) {
    QCheckBox* boldLine = MakeCheck(this, text::IdsShowBoldLine, "BoldLine");
    QCheckBox* number = MakeCheck(this, text::IdsShowNumber, "GraduateNumber");
    QCheckBox* preview = MakeCheck(this, text::IdsShowPreview, "ShowPreview");
    const RadioBox background =
        MakeRadioBox(this, text::IdsSelectionBackground, {text::IdsTransparent, text::IdsOpaque});
    const RadioBox direction =
        MakeRadioBox(this, text::IdsInputDirection, {text::IdsFromRight, text::IdsFromLeft});
    background.box->setObjectName(QStringLiteral("BackDrawMode"));
    direction.box->setObjectName(QStringLiteral("ShiftDirection"));
    BindCheck(boldLine, &AppSettings::boldLine);
    BindCheck(number, &AppSettings::graduateNumber);
    BindCheck(preview, &AppSettings::showPreview);
    BindRadios(background.group, &AppSettings::backDrawMode);
    BindRadios(direction.group, &AppSettings::shiftDirection);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget : {static_cast<QWidget*>(boldLine), static_cast<QWidget*>(number),
                            static_cast<QWidget*>(preview), static_cast<QWidget*>(background.box),
                            static_cast<QWidget*>(direction.box)})
        layout->addWidget(widget);
    layout->addStretch();
}

CPage3::CPage3(QWidget* parent) : COptionPage(parent) {
    QCheckBox* update = MakeCheck(this, text::IdsRefreshWithSolving, "UpdateView");
    const RadioBox result =
        MakeRadioBox(this, text::IdsResult,
                     {text::IdsShowAlways, text::IdsShowContradiction, text::IdsDontShow});
    result.box->setObjectName(QStringLiteral("ResultMode"));
    BindCheck(update, &AppSettings::updateView);
    BindRadios(result.group, &AppSettings::resultMode);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(update);
    // Only the Japanese page warns of what the refresh costs.
    if (const QString note = Text(text::IdsRefreshNote); !note.isEmpty()) {
        auto* label = new QLabel(note, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addWidget(result.box);
    layout->addStretch();
}

CPage4::CPage4(QWidget* parent) : COptionPage(parent) {
    auto* zoom = new CNumberField(1, kMaxZoom, this);
    zoom->setObjectName(QStringLiteral("Zoom"));
    QCheckBox* blank = MakeCheck(this, text::IdsPrintBlankNumberArea, "CutBlankNum");
    BindNumber(zoom, &AppSettings::zoom);
    // The box says what is printed; the setting says what is cut.
    BindCheck(blank, &AppSettings::cutBlankNum, true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(NumberRow(this, text::IdsZoom, zoom, Text(text::IdsPercent)));
    layout->addWidget(blank);
    layout->addStretch();
}

CPage5::CPage5(QWidget* parent)
    : COptionPage(parent),
      up_(new CKeyField(this)),
      right_(new CKeyField(this)),
      down_(new CKeyField(this)),
      left_(new CKeyField(this)) {
    auto* box = new QGroupBox(Text(text::IdsEditBoxMovementKey), this);
    // The four fields stand like the arrow keys: up above, down below, left and right beside.
    auto* grid = new QGridLayout(box);
    const struct {
        CKeyField* field;
        unsigned labelId;
        const char* name;
        std::uint16_t AppSettings::*setting;
        int row, column;
    } kKeys[] = {{up_, text::IdsKeyUp, "EditKeyUp", &AppSettings::editKeyUp, 0, 2},
                 {right_, text::IdsKeyRight, "EditKeyRight", &AppSettings::editKeyRight, 1, 4},
                 {down_, text::IdsKeyDown, "EditKeyDown", &AppSettings::editKeyDown, 2, 2},
                 {left_, text::IdsKeyLeft, "EditKeyLeft", &AppSettings::editKeyLeft, 1, 0}};
    for (const auto& key : kKeys) {
        key.field->setObjectName(QString::fromLatin1(key.name));
        auto* label = new QLabel(Text(key.labelId), box);
        label->setBuddy(key.field);
        grid->addWidget(label, key.row, key.column, Qt::AlignRight);
        grid->addWidget(key.field, key.row, key.column + 1);
        BindKey(key.field, key.setting);
    }
    auto* restore = new QPushButton(Text(text::IdsDefaultButton), this);
    restore->setObjectName(QStringLiteral("default"));
    connect(restore, &QPushButton::clicked, this, &CPage5::RestoreDefaultKeys);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(restore, 0, Qt::AlignRight);
    layout->addStretch();
}

void CPage5::RestoreDefaultKeys() {
    const AppSettings defaults;
    up_->SetKey(defaults.editKeyUp);
    down_->SetKey(defaults.editKeyDown);
    left_->SetKey(defaults.editKeyLeft);
    right_->SetKey(defaults.editKeyRight);
    emit modified();
}

}  // namespace tessemar
