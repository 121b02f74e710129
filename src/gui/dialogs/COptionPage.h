#pragma once

#include "core/settings/AppSettings.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace tessemar {

class CColorField;
class CKeyField;
class CNumberField;

// One page of the option sheet: its controls, each bound to the setting it edits. The sheet
// fills every page from its copy of the settings and, on Apply and OK, stores every page back
// into it; a change the user makes in any control announces itself as modified().
class COptionPage : public QWidget {
    Q_OBJECT
  public:
    explicit COptionPage(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual void Fill(const AppSettings& settings);
    // Writes the controls into settings. A typed number out of its range stops it: the user
    // is told, and the field is the result (nullptr when everything was stored).
    CNumberField* Store(AppSettings& settings) const;

  signals:
    void modified();

  protected:
    using IntField = std::int32_t AppSettings::*;

    // The check box is on for a setting that is not 0 (with inverted, for one that is 0).
    void BindCheck(QCheckBox* box, IntField field, bool inverted = false);
    // The buttons' ids in the group are the values of the setting.
    void BindRadios(QButtonGroup* group, IntField field);
    void BindNumber(CNumberField* number, IntField field);
    void BindKey(CKeyField* key, std::uint16_t AppSettings::*field);
    void BindColor(CColorField* color, ColorRef AppSettings::*field);
    void BindText(QLineEdit* edit, std::string AppSettings::*field);

  private:
    struct Binding {
        std::function<void(const AppSettings&)> fill;
        std::function<CNumberField*(AppSettings&)> store;
    };
    std::vector<Binding> bindings_;
};

// Radio buttons with the texts given, numbered from 0 in their group, in a column inside a
// box with the title (none for title 0).
struct RadioBox {
    QGroupBox* box;
    QButtonGroup* group;
};
RadioBox MakeRadioBox(QWidget* parent, unsigned titleId, std::initializer_list<unsigned> textIds);

}  // namespace tessemar
