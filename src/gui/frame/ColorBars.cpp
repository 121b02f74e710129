#include "gui/frame/ColorBars.h"

#include "core/document/CLogicDoc.h"
#include "core/text/StringTable.h"
#include "gui/commands/CommandDefs.h"
#include "gui/common/ColorCell.h"
#include "gui/commands/MenuBuilder.h"
#include "gui/common/UiText.h"
#include "gui/frame/ToolBarSet.h"
#include "gui/images/CWallpaperPainter.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace tessemar {
namespace {

QIcon ColorCellIcon(ColorRef color, ColorRef shadow) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawColorCell(painter, QRect(1, 1, 14, 14), color, shadow);
    return QIcon(pixmap);
}

}  // namespace

CColorSwatch::CColorSwatch(int index, QWidget* parent) : QWidget(parent), index_(index) {
    setToolTip(Text(text::IdsSwatchTip1 + static_cast<unsigned>(index)));
    // Square cells however wide the bar's dock column is.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CColorSwatch::sizeHint() const {
    return {22, 22};
}

void CColorSwatch::SetColors(ColorRef color, ColorRef shadow, bool enabled) {
    color_ = color;
    shadow_ = shadow;
    active_ = enabled;
    update();
}

void CColorSwatch::SetCurrent(bool current) {
    if (current_ == current)
        return;
    current_ = current;
    update();
}

void CColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect cell = rect().adjusted(2, 2, -2, -2);
    DrawColorCell(painter, cell, color_, shadow_);
    if (current_ && active_) {
        // The colour the tools draw with wears the selection frame.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void CColorSwatch::enterEvent(QEnterEvent*) {
    emit hovered(index_, true);
}

void CColorSwatch::leaveEvent(QEvent*) {
    emit hovered(index_, false);
}

void CColorSwatch::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void CColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button, both on the swatch.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && active_)
        emit clicked(index_);
}

CColorBars::CColorBars(QMainWindow& frame, CCommandTable& commands, AppSettings& settings,
                       std::function<const CLogicDoc*()> activeDocument,
                       std::function<void(const QString&)> showMessage)
    : QObject(&frame),
      frame_(frame),
      commands_(commands),
      settings_(settings),
      activeDocument_(std::move(activeDocument)),
      showMessage_(std::move(showMessage)) {
    // The colour pop-up: the colours as cells of a grid of three columns, filled column by
    // column in the table's order so that the rows read 1 2 3, 4 5 6, 7 8; then the rest of
    // its table.
    colorPopup_ = new QMenu(&frame);
    auto* grid = new QWidget(colorPopup_);
    grid->setObjectName(QStringLiteral("colorGrid"));
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    constexpr int kRows = 3;
    int slot = 0;
    for (int colour : kColorPopupOrder) {
        const int place = slot++;
        QAction* action = commands.Action(cmd::FirstColor + colour - 1);
        if (!action)
            continue;
        auto* cell = new QToolButton(grid);
        cell->setObjectName(QStringLiteral("colorCell%1").arg(colour));
        cell->setDefaultAction(action);
        cell->setAutoRaise(true);
        cell->setIconSize(QSize(16, 16));
        layout->addWidget(cell, place % kRows, place / kRows);
        connect(cell, &QToolButton::triggered, colorPopup_, &QMenu::close);
    }
    if (layout->count() > 0) {
        auto* cells = new QWidgetAction(colorPopup_);
        cells->setDefaultWidget(grid);
        colorPopup_->addAction(cells);
    } else {
        delete grid;
    }
    for (const MenuEntry& entry : DropDownMenu(PopupColor)) {
        if (entry.kind == MenuEntry::Separator) {
            colorPopup_->addSeparator();
        } else if (entry.kind == MenuEntry::Command) {
            if (QAction* action = commands.Action(entry.value))
                colorPopup_->addAction(action);
        }
    }
    TidySeparators(colorPopup_);
    // The cells are no items of the menu: their marks are brought up to date with the rest.
    connect(colorPopup_, &QMenu::aboutToShow, &commands, &CCommandTable::UpdateAll);
    connect(colorPopup_, &QMenu::aboutToShow, this, &CColorBars::Refresh);
}

QWidget* CColorBars::MakeSwatch(int id, QToolBar* bar) {
    const int index = id - cmd::FirstColorSwatch;
    if (index < 0 || index >= cmd::ColorCount)
        return nullptr;
    auto* swatch = new CColorSwatch(index, bar);
    swatches_[static_cast<std::size_t>(index)] = swatch;
    connect(swatch, &CColorSwatch::hovered, this, [this](int i, bool inside) {
        if (showMessage_)
            showMessage_(inside ? Text(static_cast<unsigned>(cmd::FirstColor + i))
                                : QStringLiteral(" "));
    });
    connect(swatch, &CColorSwatch::clicked, this, [this](int i) {
        settings_.color = i + 1;
        Refresh();
    });
    return swatch;
}

void CColorBars::Attach(CToolBarSet& toolBars) {
    toolBars_ = &toolBars;
    QToolButton* button = toolBars.Button(cmd::ChooseColor);
    if (button && toolBars.Bar(kToolBarSimpleColor) == button->parentWidget()) {
        // The current-colour window: a sunken edge around the colour, over the button, letting
        // the clicks through to it.
        auto* edge = new QFrame(button);
        edge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        edge->setLineWidth(1);
        edge->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* layout = new QHBoxLayout(edge);
        layout->setContentsMargins(1, 1, 1, 1);
        currentColorFace_ = new QWidget(edge);
        currentColorFace_->setAttribute(Qt::WA_TransparentForMouseEvents);
        layout->addWidget(currentColorFace_);
        currentColor_ = edge;
        currentPainter_ = new CWallpaperPainter(this);
        currentPainter_->Attach(currentColorFace_);
        button->installEventFilter(this);
        PlaceCurrentColorWindow();
    }
    toolBars.SetDropDown(cmd::ChooseColor, colorPopup_);
    Refresh();
}

bool CColorBars::eventFilter(QObject* watched, QEvent* event) {
    if (currentColor_ && watched == currentColor_->parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        PlaceCurrentColorWindow();
    return QObject::eventFilter(watched, event);
}

void CColorBars::PlaceCurrentColorWindow() {
    QWidget* button = currentColor_->parentWidget();
    const int side = button->height();
    currentColor_->setGeometry(0, 0, side, side);
    currentColor_->raise();
}

QToolBar* CColorBars::ChosenBar() const {
    if (!toolBars_)
        return nullptr;
    return toolBars_->Bar(settings_.fullColorBar ? kToolBarFullColor : kToolBarSimpleColor);
}

bool CColorBars::IsShown() const {
    return CToolBarSet::IsShown(ChosenBar());
}

void CColorBars::ToggleShown() {
    CToolBarSet::Toggle(ChosenBar());
}

void CColorBars::Choose(bool full) {
    if ((settings_.fullColorBar != 0) == full)
        return;
    QToolBar* old = ChosenBar();
    const bool shown = IsShown();
    settings_.fullColorBar = full ? 1 : 0;
    QToolBar* next = ChosenBar();
    if (old)
        old->hide();
    if (!next)
        return;
    // The new bar takes the old one's place, so the colour bar does not jump about.
    if (old && !old->isFloating() && frame_.toolBarArea(old) != Qt::NoToolBarArea)
        frame_.insertToolBar(old, next);
    next->setVisible(shown);
    Refresh();
}

ColorRef CColorBars::ButtonFace() {
    return ToColorRef(QApplication::palette().color(QPalette::Button));
}

void CColorBars::Refresh() {
    const CLogicDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
    std::array<ColorRef, 16> colors{};
    const ColorRef face = ButtonFace();
    for (std::size_t i = 0; i < 8; ++i) {
        colors[i] = doc ? doc->Model().colors[i + 1] : face;
        colors[i + 8] = doc ? doc->Model().shadowColors[i + 1] : ShadowOf(face);
    }
    const int current = std::clamp(settings_.color, 1, cmd::ColorCount);
    const int enabled = doc ? 1 : 0;
    if (colors == shownColors_ && current == shownCurrent_ && enabled == shownEnabled_)
        return;
    const bool colorsChanged = colors != shownColors_ || enabled != shownEnabled_;
    shownColors_ = colors;
    shownCurrent_ = current;
    shownEnabled_ = enabled;

    for (std::size_t i = 0; i < 8; ++i) {
        if (CColorSwatch* swatch = swatches_[i]) {
            swatch->SetColors(colors[i], colors[i + 8], doc != nullptr);
            swatch->SetCurrent(static_cast<int>(i) + 1 == current);
        }
        QAction* action = commands_.Action(cmd::FirstColor + static_cast<int>(i));
        if (action && colorsChanged)
            action->setIcon(ColorCellIcon(colors[i], colors[i + 8]));
    }
    if (currentPainter_) {
        const std::size_t c = static_cast<std::size_t>(current - 1);
        // Without a document the window shows nothing but the button face.
        const ColorRef color = doc ? colors[c] : face;
        const ColorRef shadow = doc ? colors[c + 8] : face;
        currentPainter_->SetWallpaper(CWallpaperPainter::ModeColorTile, {}, 0, color, shadow, 0);
        currentColorFace_->update();
    }
}

void CColorBars::ShowColorPopup() {
    Refresh();
    QToolButton* button = toolBars_ ? toolBars_->Button(cmd::ChooseColor) : nullptr;
    if (button && button->isVisible()) {
        colorPopup_->popup(button->mapToGlobal(QPoint(0, button->height())));
    } else {
        colorPopup_->popup(QCursor::pos());
    }
}

}  // namespace tessemar
