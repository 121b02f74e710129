#include "gui/commands/CommandTable.h"

#include "core/text/StringTable.h"
#include "gui/common/UiText.h"
#include "gui/common/ResourceRegistrar.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

TESSEMAR_RESOURCE_REGISTRAR(InitActionResources, actions)

namespace tessemar {
namespace {

// Often enough that a toolbar button follows the document within a blink, seldom enough to
// cost nothing while the program waits.
constexpr int kIdleUpdateMs = 250;

}  // namespace

CCommandTable::CCommandTable(QWidget* window, Route route)
    : QObject(window), window_(window), route_(std::move(route)), idleTimer_(new QTimer(this)) {
    idleTimer_->setInterval(kIdleUpdateMs);
    connect(idleTimer_, &QTimer::timeout, this, [this] {
        UpdateAll();
        emit idle();
    });
    idleTimer_->start();
    window->installEventFilter(this);
}

bool CCommandTable::eventFilter(QObject* watched, QEvent* event) {
    // A shortcut of a character typed with Shift (">" and "<" on many keyboards) arrives as
    // that character with the Shift modifier, which not every platform matches against the
    // plain character. What reaches the window unused is matched here without the Shift.
    if (watched == window_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool shiftOnly = (key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
        const int code = key->key();
        const bool symbol = code > Qt::Key_Space && code < 0x7F && !QChar(code).isLetterOrNumber();
        if (shiftOnly && symbol) {
            const QKeySequence plain(code);
            for (QAction* action : std::as_const(actions_)) {
                if (action->shortcuts().contains(plain) && action->isEnabled()) {
                    action->trigger();
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QString CCommandTable::MenuText(unsigned textId) {
    const QString text = Text(textId);
    return text.section(QLatin1Char('\t'), 0, 0);
}

QIcon CCommandTable::ActionIcon(const char* name) {
    if (name == nullptr || *name == '\0')
        return {};
    InitActionResources();
    const QString path = QStringLiteral(":/actions/%1.svg").arg(QLatin1String(name));
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QAction* CCommandTable::Add(const CommandDef& def) {
    QAction* action = AddDynamic(def.id, MenuText(def.textId), static_cast<unsigned>(def.id));
    action->setShortcuts(def.keys);
    action->setCheckable(def.checkable);
    action->setIcon(ActionIcon(def.icon));
    if (def.radioGroup != 0) {
        QActionGroup*& group = radioGroups_[def.radioGroup];
        if (!group)
            group = new QActionGroup(this);
        // The update functions decide the marks; the group only gives them the radio look.
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        group->addAction(action);
        action->setCheckable(true);
    }
    return action;
}

void CCommandTable::Remove(int id) {
    QAction* action = actions_.take(id);
    if (!action)
        return;
    window_->removeAction(action);
    delete action;
}

QAction* CCommandTable::AddDynamic(int id, const QString& text, unsigned promptId) {
    auto* action = new QAction(text, window_);
    action->setData(id);
    // The prompt is the status-bar text, then after a newline the button's tooltip.
    const QString prompt = Text(promptId);
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    const QString tip = prompt.section(QLatin1Char('\n'), 1, 1);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    // The shortcuts of the document windows reach the frame's commands too.
    action->setShortcutContext(Qt::WindowShortcut);
    window_->addAction(action);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    if (QAction* old = actions_.value(id, nullptr)) {
        window_->removeAction(old);
        old->deleteLater();
    }
    actions_.insert(id, action);
    Apply(action);
    return action;
}

CommandState CCommandTable::Evaluate(int id) const {
    CommandState state;
    for (CommandTarget* target : route_()) {
        if (target && target->HandlesCommand(id)) {
            target->OnUpdateCommand(id, state);
            return state;
        }
    }
    // A command that nobody on the route handles cannot run here.
    state.enabled = false;
    return state;
}

void CCommandTable::Apply(QAction* action) {
    const CommandState state = Evaluate(action->data().toInt());
    action->setEnabled(state.enabled);
    if (action->isCheckable())
        action->setChecked(state.checked);
}

bool CCommandTable::Execute(int id) {
    // The state may have changed since the last update: a shortcut must not run a command
    // that its menu item would show disabled.
    if (!Evaluate(id).enabled)
        return false;
    for (CommandTarget* target : route_()) {
        if (target && target->HandlesCommand(id)) {
            target->OnCommand(id);
            // What the command changed shows at once: a shortcut pressed right after it (Escape
            // after Solve) must not wait for the idle update to be enabled.
            UpdateAll();
            return true;
        }
    }
    return false;
}

void CCommandTable::UpdateAll() {
    for (QAction* action : std::as_const(actions_))
        Apply(action);
}

void CCommandTable::WatchMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* action : menu->actions()) {
            const int id = action->data().toInt();
            if (id != 0 && actions_.value(id, nullptr) == action)
                Apply(action);
        }
    });
}

}  // namespace tessemar
