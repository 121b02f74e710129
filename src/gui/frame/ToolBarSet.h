#pragma once

#include "gui/commands/CommandDefs.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

namespace tessemar {

// The eight toolbars of the main window, made from their tables with the command table's
// actions. A toolbar left without buttons is not made, and the command that would show it is
// taken out of the command table.
class CToolBarSet : public QObject {
    Q_OBJECT
  public:
    // Makes the control for a toolbar entry that is no command (the colour swatches); nullptr
    // leaves the entry out.
    using WidgetFactory = std::function<QWidget*(int id, QToolBar* bar)>;

    CToolBarSet(QMainWindow& window, CCommandTable& commands, const WidgetFactory& makeWidget);

    // nullptr for a toolbar that was left out.
    QToolBar* Bar(int resource) const;
    // The toolbar that a toggle command shows and hides (not the colour bars).
    QToolBar* BarOfToggle(int toggleId) const;
    // The button of a command on whichever toolbar shows it.
    QToolButton* Button(int commandId) const;
    // Gives a button an arrow that opens menu below it.
    void SetDropDown(int commandId, QMenu* menu);

    // Where the toolbars stand at first: Standard and Option on the top row, Command, Image
    // and Number on the next, Tool on the left with the chosen colour bar below it; the other
    // colour bar is docked there too, but hidden.
    void LayOutInitially(bool fullColorBar);

    static bool IsShown(const QToolBar* bar);
    static void Toggle(QToolBar* bar);

  private:
    QMainWindow& window_;
    CCommandTable& commands_;
    std::map<int, QToolBar*> bars_;
};

}  // namespace tessemar
