#include "gui/dialogs/COptionPage.h"

#include "gui/common/UiText.h"
#include "gui/dialogs/DialogFields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessemar {

void COptionPage::Fill(const AppSettings& settings) {
    for (const Binding& binding : bindings_)
        binding.fill(settings);
}

CNumberField* COptionPage::Store(AppSettings& settings) const {
    for (const Binding& binding : bindings_) {
        if (CNumberField* refused = binding.store(settings))
            return refused;
    }
    return nullptr;
}

void COptionPage::BindCheck(QCheckBox* box, IntField field, bool inverted) {
    connect(box, &QCheckBox::clicked, this, &COptionPage::modified);
    bindings_.push_back(
        {[=](const AppSettings& s) { box->setChecked((s.*field != 0) != inverted); },
         [=](AppSettings& s) -> CNumberField* {
             s.*field = box->isChecked() != inverted ? 1 : 0;
             return nullptr;
         }});
}

void COptionPage::BindRadios(QButtonGroup* group, IntField field) {
    connect(group, &QButtonGroup::idClicked, this, &COptionPage::modified);
    bindings_.push_back({[=](const AppSettings& s) {
                             if (QAbstractButton* button = group->button(s.*field))
                                 button->setChecked(true);
                         },
                         [=](AppSettings& s) -> CNumberField* {
                             if (group->checkedId() >= 0)
                                 s.*field = group->checkedId();
                             return nullptr;
                         }});
}

void COptionPage::BindNumber(CNumberField* number, IntField field) {
    connect(number, &CNumberField::edited, this, &COptionPage::modified);
    bindings_.push_back({[=](const AppSettings& s) { number->SetValue(s.*field); },
                         [=](AppSettings& s) -> CNumberField* {
                             const std::optional<int> value = number->CheckedValue();
                             if (!value)
                                 return number;
                             s.*field = *value;
                             return nullptr;
                         }});
}

void COptionPage::BindKey(CKeyField* key, std::uint16_t AppSettings::*field) {
    connect(key, &CKeyField::edited, this, &COptionPage::modified);
    bindings_.push_back({[=](const AppSettings& s) { key->SetKey(s.*field); },
                         [=](AppSettings& s) -> CNumberField* {
                             // A field that never received a key keeps the setting.
                             if (key->Key() != 0)
                                 s.*field = key->Key();
                             return nullptr;
                         }});
}

void COptionPage::BindColor(CColorField* color, ColorRef AppSettings::*field) {
    connect(color, &CColorField::edited, this, &COptionPage::modified);
    bindings_.push_back({[=](const AppSettings& s) { color->SetColor(s.*field); },
                         [=](AppSettings& s) -> CNumberField* {
                             s.*field = color->Color();
                             return nullptr;
                         }});
}

void COptionPage::BindText(QLineEdit* edit, std::string AppSettings::*field) {
    connect(edit, &QLineEdit::textEdited, this, &COptionPage::modified);
    bindings_.push_back(
        {[=](const AppSettings& s) { edit->setText(QString::fromStdString(s.*field)); },
         [=](AppSettings& s) -> CNumberField* {
             s.*field = edit->text().toStdString();
             return nullptr;
         }});
}

RadioBox MakeRadioBox(QWidget* parent, unsigned titleId, std::initializer_list<unsigned> textIds) {
    auto* box = new QGroupBox(titleId != 0 ? Text(titleId) : QString(), parent);
    auto* group = new QButtonGroup(box);
    auto* column = new QVBoxLayout(box);
    int id = 0;
    for (unsigned textId : textIds) {
        auto* button = new QRadioButton(Text(textId), box);
        group->addButton(button, id++);
        column->addWidget(button);
    }
    return {box, group};
}

}  // namespace tessemar
