#include "gui/dialogs/DialogFields.h"

#include "core/text/StringTable.h"
#include "gui/common/ColorCell.h"
#include "gui/common/KeyCodes.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tessemar {

CNumberField::CNumberField(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
    lineEdit()->setMaxLength(QString::number(maximum).size() + 2);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CNumberField::edited);
}

void CNumberField::SetValue(int value) {
    lineEdit()->setText(QString::number(value));
}

void CNumberField::SetText(const QString& text) {
    lineEdit()->setText(text);
}

std::optional<int> CNumberField::Value() const {
    bool ok = false;
    const int value = text().trimmed().toInt(&ok);
    if (!ok || value < minimum_ || value > maximum_)
        return std::nullopt;
    return value;
}

std::optional<int> CNumberField::CheckedValue() {
    std::optional<int> value = Value();
    if (value)
        return value;
    CurrentPrompter().ShowError(QString::fromStdString(
        text::FormatInserts(text::LoadString(text::IdsEnterIntegerBetween),
                            {std::to_string(minimum_), std::to_string(maximum_)})));
    setFocus();
    selectAll();
    return std::nullopt;
}

void CNumberField::stepBy(int steps) {
    // A text that is no number steps from the nearest end of the range.
    bool ok = false;
    const int current = text().trimmed().toInt(&ok);
    const int from = ok ? current : (steps > 0 ? minimum_ - 1 : maximum_ + 1);
    SetValue(std::clamp(from + steps, minimum_, maximum_));
    emit edited();
}

QAbstractSpinBox::StepEnabled CNumberField::stepEnabled() const {
    bool ok = false;
    const int current = text().trimmed().toInt(&ok);
    if (!ok)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (current < maximum_)
        enabled |= StepUpEnabled;
    if (current > minimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

CKeyField::CKeyField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setMaximumWidth(120);
}

void CKeyField::SetKey(std::uint16_t code) {
    code_ = code;
    const int key = QtKeyFromVirtualKey(code);
    setText(key != 0 ? QKeySequence(key).toString(QKeySequence::NativeText) : QString());
}

void CKeyField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->ignore();
            return;
        default:
            break;
    }
    if (const std::uint16_t code = VirtualKeyFromQtKey(event->key()))
        SetKey(code);
    event->accept();
    emit edited();
}

CColorField::CColorField(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(32, 18);
}

void CColorField::SetColor(ColorRef color) {
    color_ = color;
    update();
}

void CColorField::SetShadow(ColorRef shadow) {
    shadow_ = shadow;
    update();
}

void CColorField::Choose() {
    QColor chosen = ToQColor(color_);
    if (!CurrentPrompter().PromptForColor(chosen) || ToColorRef(chosen) == color_)
        return;
    SetColor(ToColorRef(chosen));
    emit edited();
}

void CColorField::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    if (shadow_) {
        DrawColorCell(painter, inside, color_, *shadow_);
    } else {
        painter.fillRect(inside, ToQColor(color_));
    }
}

void CColorField::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Choose();
}

}  // namespace tessemar
