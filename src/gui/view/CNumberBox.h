#pragma once

#include <QLineEdit>

#include <functional>

namespace tessemar {

// The in-place box over a clue slot or the corner's caption. In number mode it holds at most
// three digits, centred on a light grey background: whatever is typed, pasted or composed by
// an input method that would make anything else of its text is refused (full-width digits are
// taken as digits). In title mode it holds any single line.
//
// Its owner sees every key first (keyFilter: true when the key was taken) and hears when the
// focus goes to another part of the program (focusLeft); a menu opening over the box or another
// program's window taking over does not count.
class CNumberBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit CNumberBox(QWidget* parent = nullptr);

    void SetTitleMode(bool title);

    std::function<bool(QKeyEvent&)> keyFilter;
    std::function<void()> focusLeft;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QValidator* digits_;
    bool titleMode_ = false;
};

}  // namespace tessemar
