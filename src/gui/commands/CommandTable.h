#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QActionGroup;
class QIcon;
class QMenu;
class QTimer;
class QWidget;

namespace tessemar {

// What an update function decides for one command: whether it can run now and the mark its
// menu item shows.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// One link of the command route. A target says which commands it handles; the first target
// of the route that handles a command carries it out and decides its state.
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    virtual bool HandlesCommand(int id) const = 0;
    virtual void OnCommand(int id) = 0;
    // Leaves the state as it is (enabled, unchecked) unless the command depends on something.
    virtual void OnUpdateCommand(int id, CommandState& state) {
        (void)id;
        (void)state;
    }
};

// How a command looks: its menu text (with the & mnemonic, from the string table), its
// shortcut keys, its status-bar prompt and tooltip (the string with the command's own id), and
// the name of its icon among the program's action icons (none when empty).
struct CommandDef {
    int id = 0;
    unsigned textId = 0;
    QList<QKeySequence> keys;
    bool checkable = false;
    const char* icon = nullptr;
    // Commands of one nonzero group are alternatives: their menu items show a radio mark.
    int radioGroup = 0;
};

// The one table of the program's commands: each id has one QAction, shared by every menu that
// shows it. Triggering an action routes the command; the update functions run when a menu
// opens and on an idle timer, so that menus, shortcuts and buttons agree.
class CCommandTable : public QObject {
    Q_OBJECT
  public:
    using Route = std::function<std::vector<CommandTarget*>()>;

    // The actions belong to window, so their shortcuts work whichever menu it shows.
    CCommandTable(QWidget* window, Route route);

    QAction* Add(const CommandDef& def);
    // An action whose text is given (recent files, window list); routed like the others.
    QAction* AddDynamic(int id, const QString& text, unsigned promptId);
    QAction* Action(int id) const { return actions_.value(id, nullptr); }
    // Takes a command out of the program (its menu items and buttons with it).
    void Remove(int id);

    // Routes a command; false when no target handles it (or it is disabled now).
    bool Execute(int id);
    // Runs the update function of every command.
    void UpdateAll();
    // Runs the update functions of the commands of menu, just before it opens.
    void WatchMenu(QMenu* menu);

    // The text of a menu item from the string table: the part before a tab.
    static QString MenuText(unsigned textId);
    // The icon of an action from the program's icon set; a null icon while the file is missing.
    static QIcon ActionIcon(const char* name);

  signals:
    // After the idle timer brought every command up to date: displays that follow the active
    // document refresh themselves here too.
    void idle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CommandState Evaluate(int id) const;
    void Apply(QAction* action);

    QWidget* window_;
    Route route_;
    QHash<int, QAction*> actions_;
    QHash<int, QActionGroup*> radioGroups_;
    QTimer* idleTimer_;
};

}  // namespace tessemar
