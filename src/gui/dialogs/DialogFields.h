#pragma once

#include "core/document/Colors.h"

#include <QAbstractSpinBox>
#include <QFrame>
#include <QLineEdit>

#include <cstdint>
#include <optional>

namespace tessemar {

// An edit box for an integer with spin arrows. Like any edit box it takes whatever is typed;
// the number is checked when the dialog takes it (CheckedValue), so the user learns the range.
class CNumberField : public QAbstractSpinBox {
    Q_OBJECT
  public:
    CNumberField(int minimum, int maximum, QWidget* parent = nullptr);

    void SetValue(int value);
    // The text as an integer within the range, or nothing.
    std::optional<int> Value() const;
    // Value(); without one the user is told the range and the text is selected for a new try.
    std::optional<int> CheckedValue();
    void SetText(const QString& text);

    void stepBy(int steps) override;

  signals:
    // The user typed or stepped.
    void edited();

  protected:
    StepEnabled stepEnabled() const override;

  private:
    int minimum_;
    int maximum_;
};

// A key field: the next key pressed in it is its key. Shift, Ctrl and Alt are left out, so
// Ctrl+Q gives Q; the key is kept as its virtual-key code. Tab, Return and Escape keep their
// meaning in the dialog.
class CKeyField : public QLineEdit {
    Q_OBJECT
  public:
    explicit CKeyField(QWidget* parent = nullptr);

    void SetKey(std::uint16_t code);
    std::uint16_t Key() const { return code_; }

  signals:
    // Any key pressed while the field has the focus, a modifier alone included.
    void edited();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::uint16_t code_ = 0;
};

// A field painted in its colour; a click opens the colour chooser on it. With a shadow it is
// drawn as a colour cell of the colour bar.
class CColorField : public QFrame {
    Q_OBJECT
  public:
    explicit CColorField(QWidget* parent = nullptr);

    void SetColor(ColorRef color);
    ColorRef Color() const { return color_; }
    void SetShadow(ColorRef shadow);
    // Opens the chooser, as a click does.
    void Choose();
    QSize sizeHint() const override { return {48, 20}; }

  signals:
    // The user chose another colour.
    void edited();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ColorRef color_ = 0;
    std::optional<ColorRef> shadow_;
};

}  // namespace tessemar
