#include "gui/view/CNumberBox.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QValidator>

namespace tessemar {
namespace {

// Up to three digits; full-width digits, as a Japanese input method gives them, become ASCII.
class ClueDigitsValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
                c = QChar('0' + (c.unicode() - 0xFF10));
        }
        if (input.size() > 3)
            return Invalid;
        for (QChar c : input) {
            if (c < QChar('0') || c > QChar('9'))
                return Invalid;
        }
        return Acceptable;
    }
};

bool IsUndoOrRedo(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo);
}

}  // namespace

CNumberBox::CNumberBox(QWidget* parent)
    : QLineEdit(parent), digits_(new ClueDigitsValidator(this)) {
    setFrame(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(240, 240, 240));
    setPalette(colours);
    // The panes' own menus serve the box too.
    setContextMenuPolicy(Qt::NoContextMenu);
    SetTitleMode(false);
}

void CNumberBox::SetTitleMode(bool title) {
    titleMode_ = title;
    if (title) {
        setValidator(nullptr);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        setValidator(digits_);
        setAlignment(Qt::AlignCenter);
    }
}

bool CNumberBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Undo and Redo go through the window's commands, which take the box's own change
        // back and forth. In number mode every plain key belongs to the box (it decides what
        // the key does); function keys and keys with Ctrl or Alt stay the program's shortcuts.
        if (IsUndoOrRedo(*key)) {
            event->ignore();
            return true;
        }
        const bool plain =
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
        const bool functionKey = key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F35;
        if (!titleMode_ && plain && !functionKey) {
            event->accept();
            return true;
        }
    }
    // Tab would leave the box; in number mode it is a key like any other.
    if (event->type() == QEvent::KeyPress && !titleMode_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CNumberBox::keyPressEvent(QKeyEvent* event) {
    if (keyFilter && keyFilter(*event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumberBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason &&
        focusLeft)
        focusLeft();
}

}  // namespace tessemar
