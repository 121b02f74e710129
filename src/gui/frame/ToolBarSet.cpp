#include "gui/frame/ToolBarSet.h"

#include "core/text/StringTable.h"
#include "gui/commands/MenuBuilder.h"
#include "gui/common/UiText.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <set>

namespace tessemar {

CToolBarSet::CToolBarSet(QMainWindow& window, CCommandTable& commands,
                         const WidgetFactory& makeWidget)
    : QObject(&window), window_(window), commands_(commands) {
    std::set<int> shownToggles;
    for (const ToolBarDef& def : ToolBarDefs()) {
        auto* bar = new QToolBar(Text(def.titleId), &window);
        // The stored layout finds each toolbar by this name.
        bar->setObjectName(QStringLiteral("ToolBar%1").arg(def.resource));
        bool holdsSomething = false;
        for (int id : def.buttons) {
            if (id == 0) {
                bar->addSeparator();
            } else if (QAction* action = commands.Action(id)) {
                bar->addAction(action);
                holdsSomething = true;
            } else if (QWidget* widget = makeWidget ? makeWidget(id, bar) : nullptr) {
                bar->addWidget(widget);
                holdsSomething = true;
            }
        }
        if (!holdsSomething) {
            delete bar;
            continue;
        }
        TidySeparators(bar);
        if (def.resource == kToolBarStandard)
            bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
        bars_[def.resource] = bar;
        shownToggles.insert(def.toggleId);
    }
    for (const ToolBarDef& def : ToolBarDefs()) {
        if (!shownToggles.count(def.toggleId))
            commands.Remove(def.toggleId);
    }
}

QToolBar* CToolBarSet::Bar(int resource) const {
    auto it = bars_.find(resource);
    return it == bars_.end() ? nullptr : it->second;
}

QToolBar* CToolBarSet::BarOfToggle(int toggleId) const {
    for (const ToolBarDef& def : ToolBarDefs()) {
        if (def.toggleId == toggleId && def.toggleId != cmd::ViewColorBar)
            return Bar(def.resource);
    }
    return nullptr;
}

QToolButton* CToolBarSet::Button(int commandId) const {
    QAction* action = commands_.Action(commandId);
    if (!action)
        return nullptr;
    for (const auto& entry : bars_) {
        if (auto* button = qobject_cast<QToolButton*>(entry.second->widgetForAction(action)))
            return button;
    }
    return nullptr;
}

void CToolBarSet::SetDropDown(int commandId, QMenu* menu) {
    QToolButton* button = Button(commandId);
    if (!button || !menu)
        return;
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

void CToolBarSet::LayOutInitially(bool fullColorBar) {
    const auto dock = [this](Qt::ToolBarArea area, int resource) {
        QToolBar* bar = Bar(resource);
        if (bar)
            window_.addToolBar(area, bar);
        return bar != nullptr;
    };
    bool topRow = dock(Qt::TopToolBarArea, kToolBarStandard);
    topRow = dock(Qt::TopToolBarArea, kToolBarOption) || topRow;
    // A break with nothing after it would leave an empty row.
    if (topRow && (Bar(kToolBarCommand) || Bar(kToolBarImage) || Bar(kToolBarNumber)))
        window_.addToolBarBreak(Qt::TopToolBarArea);
    dock(Qt::TopToolBarArea, kToolBarCommand);
    dock(Qt::TopToolBarArea, kToolBarImage);
    dock(Qt::TopToolBarArea, kToolBarNumber);
    dock(Qt::LeftToolBarArea, kToolBarTool);
    const int chosen = fullColorBar ? kToolBarFullColor : kToolBarSimpleColor;
    const int other = fullColorBar ? kToolBarSimpleColor : kToolBarFullColor;
    if (dock(Qt::LeftToolBarArea, other))
        Bar(other)->hide();
    if (dock(Qt::LeftToolBarArea, chosen))
        Bar(chosen)->setVisible(true);
}

bool CToolBarSet::IsShown(const QToolBar* bar) {
    // Hidden only by the user's choice: a toolbar of a window not shown yet counts as shown.
    return bar && !bar->isHidden();
}

void CToolBarSet::Toggle(QToolBar* bar) {
    if (bar)
        bar->setVisible(bar->isHidden());
}

}  // namespace tessemar
