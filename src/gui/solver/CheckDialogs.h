#pragma once

#include <QString>

class QWidget;

namespace tessemar {

// What the end of a uniqueness check shows besides the status bar. Tests answer it without a
// screen.
class CheckDialogs {
  public:
    enum class Choice { Close, WriteFirst, WriteSecond };

    virtual ~CheckDialogs() = default;
    // The report, modal. With offerSolutions the user may also choose to write solution 1 or 2
    // into the picture.
    virtual Choice ShowCheckReport(const QString& caption, const QString& text,
                                   bool offerSolutions) = 0;
};

class CWidgetCheckDialogs : public CheckDialogs {
  public:
    explicit CWidgetCheckDialogs(QWidget* parent) : parent_(parent) {}
    Choice ShowCheckReport(const QString& caption, const QString& text,
                           bool offerSolutions) override;

  private:
    QWidget* parent_;
};

}  // namespace tessemar
