#pragma once

#include "core/settings/AppSettings.h"

#include <QObject>
#include <QWidget>

#include <array>
#include <functional>

class QMainWindow;
class QMenu;
class QToolBar;

namespace tessemar {

class CCommandTable;
class CLogicDoc;
class CToolBarSet;
class CWallpaperPainter;

// One colour of the full colour bar: shows a document colour with its shadow, tells the status
// bar its name while the mouse is over it, and selects the colour when clicked. Disabled (no
// document) it shows the button face and ignores clicks.
class CColorSwatch : public QWidget {
    Q_OBJECT
  public:
    CColorSwatch(int index, QWidget* parent);

    void SetColors(ColorRef color, ColorRef shadow, bool enabled);
    void SetCurrent(bool current);
    ColorRef Color() const { return color_; }
    ColorRef Shadow() const { return shadow_; }
    // Whether it stands for a document colour; the widget itself stays enabled so that its
    // tooltip and its name in the status bar work without a document too.
    bool Active() const { return active_; }
    QSize sizeHint() const override;

  signals:
    void hovered(int index, bool inside);
    void clicked(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int index_;
    ColorRef color_ = 0;
    ColorRef shadow_ = 0;
    bool active_ = false;
    bool current_ = false;
    bool pressed_ = false;
};

// The two colour bars of the main window: the simple one, whose "Choose color" button is
// covered by the current-colour window, and the full one with a swatch per colour. Both show
// the active document's colours, or the button face while no document is open; the colour
// pop-up (and the Color menu's items, which share its actions) show them too.
class CColorBars : public QObject {
    Q_OBJECT
  public:
    // activeDocument gives the document whose colours are shown (nullptr: none); showMessage
    // puts a text into the status bar's message pane.
    CColorBars(QMainWindow& frame, CCommandTable& commands, AppSettings& settings,
               std::function<const CLogicDoc*()> activeDocument,
               std::function<void(const QString&)> showMessage);

    // For the toolbar set: the swatch for one of the full bar's colour entries.
    QWidget* MakeSwatch(int id, QToolBar* bar);
    // Once the toolbars exist: puts the current-colour window over the simple bar's button
    // and gives that button its colour pop-up.
    void Attach(CToolBarSet& toolBars);

    // The bar that FullColorBar chooses, and whether it is shown.
    QToolBar* ChosenBar() const;
    bool IsShown() const;
    void ToggleShown();
    // Makes the named bar the chosen one; it takes over whether the colour bar is shown.
    void Choose(bool full);

    // Takes the colours of the active document and the current colour again.
    void Refresh();
    // "Choose color": refreshes, then opens the colour pop-up below the button.
    void ShowColorPopup();

    QMenu* ColorPopup() const { return colorPopup_; }
    CColorSwatch* Swatch(int index) const { return swatches_[static_cast<std::size_t>(index)]; }
    QWidget* CurrentColorWindow() const { return currentColor_; }
    CWallpaperPainter& CurrentColorPainter() const { return *currentPainter_; }

    // The system button face, whose shadow stands in for the colours without a document.
    static ColorRef ButtonFace();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlaceCurrentColorWindow();

    QMainWindow& frame_;
    CCommandTable& commands_;
    AppSettings& settings_;
    std::function<const CLogicDoc*()> activeDocument_;
    std::function<void(const QString&)> showMessage_;
    // What the displays show now: colours, shadows, the current colour and whether a
    // document is there; a refresh that finds the same leaves the widgets alone.
    std::array<ColorRef, 16> shownColors_{};
    int shownCurrent_ = -1;
    int shownEnabled_ = -1;
    CToolBarSet* toolBars_ = nullptr;
    std::array<CColorSwatch*, 8> swatches_{};
    QMenu* colorPopup_ = nullptr;
    QWidget* currentColor_ = nullptr;
    QWidget* currentColorFace_ = nullptr;
    CWallpaperPainter* currentPainter_ = nullptr;
};

}  // namespace tessemar
