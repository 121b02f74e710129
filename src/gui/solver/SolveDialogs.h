#pragma once

#include "gui/solver/SolverStatusDisplay.h"

#include <QString>

class QWidget;

namespace tessemar {

class IniFile;

// What the end of a solve shows the user besides the status bar: the modal boxes, the report
// window and the sounds. The controller asks through this interface so that tests can answer
// without a screen and without blocking in exec().
class SolveDialogs {
  public:
    enum class Sound { Default, Information, Stop };

    // The report window's fields.
    struct Report {
        QString text;
        QString captionPrefix;
        QString documentName;
        SolverStatusDisplay::Icon icon = SolverStatusDisplay::Icon::Application;
    };

    virtual ~SolveDialogs() = default;
    // The clue check failed: caption "ERROR", Yes and No, the stop icon. True for Yes.
    virtual bool AskSolveAnyway(const QString& text) = 0;
    // The contradiction message: caption "ERROR", OK, the stop icon.
    virtual void ShowContradiction(const QString& text) = 0;
    // The report window, modal.
    virtual void ShowReport(const Report& report) = 0;
    virtual void PlaySound(Sound sound) = 0;
};

// The real boxes and the report window, owned by parent. ini keeps the report window's
// rectangle; without one the window opens at its default place and forgets where it was.
class CWidgetSolveDialogs : public SolveDialogs {
  public:
    CWidgetSolveDialogs(QWidget* parent, const IniFile* ini);
    ~CWidgetSolveDialogs() override;

    bool AskSolveAnyway(const QString& text) override;
    void ShowContradiction(const QString& text) override;
    void ShowReport(const Report& report) override;
    void PlaySound(Sound sound) override;

  private:
    QWidget* parent_;
    const IniFile* ini_;
};

}  // namespace tessemar
