#pragma once

// The drawing of a puzzle sheet in layout space: grid lines, graduation numbers, cells with their
// shadow bands and X marks, preview pixels and clue numbers. Any rectangle of the layout can be
// drawn on its own and gives exactly the pixels that a drawing of the whole layout has there,
// which is what lets the canvas keep only the tiles that are on screen.

#include "core/document/Drawing.h"
#include "core/document/Fragment.h"
#include "core/document/PuzzleModel.h"
#include "render/ViewGeometry.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>

#include <array>
#include <optional>

class QPainter;

namespace tessemar {

// The view settings that change the drawing.
struct RenderOptions {
    bool boldLine = true;        // a three-pixel line every ten cells
    bool graduateNumber = true;  // numbers every five cells right of and below the picture
    friend bool operator==(const RenderOptions&, const RenderOptions&) = default;
};

inline QRgb ToQRgb(ColorRef c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// The clue number font: the document's face and weight with a cell height of cellSize - 4
// pixels, as the font height of the document's font is understood (ascent plus descent, not
// the em size). A number too wide for its box gets narrower characters until it fits.
class NumberFont {
  public:
    NumberFont(const std::string& faceName, int weight, int cellSize);

    const QFont& Font() const { return font_; }
    int Ascent() const { return ascent_; }
    int Height() const { return height_; }
    int TextWidth(const QString& text) const;

    struct Fitted {
        QFont font;
        int width = 0;  // advance of the text in that font
        int stretch = 100;
    };
    // The font for number 0..254 in a box cellSize - 2 wide: the characters are narrowed to an
    // average width of cellSize / digits - j pixels for j = 0, 1, ... until the text fits.
    const Fitted& Fit(int number) const;

  private:
    QFont font_;
    int cellSize_;
    int ascent_ = 0;
    int height_ = 0;
    int averageWidth_ = 1;
    mutable std::array<std::optional<Fitted>, 255> fitted_;
};

// Everything a drawing of the layout depends on besides the cells and the clue slots: the
// geometry, the colour tables, the number font and the settings. Built again whenever one of
// them changes.
class LayoutStyle {
  public:
    LayoutStyle(const PuzzleModel& model, const RenderOptions& options);

    const LayoutGeometry& Geometry() const { return geometry_; }
    const RenderOptions& Options() const { return options_; }
    const NumberFont& Numbers() const { return numbers_; }
    QRgb Color(int index) const { return colors_[static_cast<std::size_t>(index)]; }
    QRgb Shadow(int index) const { return shadows_[static_cast<std::size_t>(index)]; }
    QRgb Background() const { return colors_[0]; }
    // A clue number's text colour: colours 0..9 by index, byte 255 (-1) in the X colour, any
    // other index in colour 0.
    QRgb ClueTextColor(int colourIndex) const;
    // The whole drawing, extent plus the graduation margin.
    Rect BitmapRect() const;

  private:
    LayoutGeometry geometry_;
    RenderOptions options_;
    std::array<QRgb, 10> colors_;
    std::array<QRgb, 10> shadows_;
    NumberFont numbers_;
};

// Draws the part `region` of the layout into image, whose pixel (0, 0) shows layout point
// imageOrigin. Pixels of region outside the drawing are background. image must be
// Format_RGB32 or Format_ARGB32_Premultiplied; the part of region outside image is ignored.
void RenderLayoutRegion(QImage& image, QPoint imageOrigin, const Rect& region,
                        const PuzzleModel& model, const LayoutStyle& style);

// The layout point rectangles that a change of one cell or one clue slot touches: the cell's
// interior and its preview pixel; the slot's number box. Empty for positions outside the puzzle.
Rect CellChangeRect(const LayoutStyle& style, int x, int y);
Rect PreviewPixelRect(const LayoutStyle& style, int x, int y);
Rect ClueSlotChangeRect(const LayoutStyle& style, int side, int line, int slot);

// Draws a fragment that floats above the picture with its top left cell at (left, top), as its
// cells look in the picture (interiors only), into image, whose pixel (0, 0) shows layout point
// imageOrigin. Only the cells inside the picture and the image are drawn, blank ones only when
// opaque, so a whole floating picture costs what the image shows.
void PaintFragment(QImage& image, QPoint imageOrigin, const LayoutStyle& style, const Fragment& fragment, int left,
                   int top, bool opaque);

// The line tool's preview over the layout: each cell the line from a to b sets inside the
// picture, a pale square with a dotted border; painter draws in coordinates where layout point
// layoutOrigin is (0, 0).
void PaintLinePreview(QPainter& painter, QPoint layoutOrigin, const LayoutGeometry& geometry, CellPoint a, CellPoint b);

// The preview: one pixel per cell, the cell's colour or background for blank cells and X marks.
QImage RenderPreview(const PuzzleModel& model);

// A picture of a whole layout rectangle, for tests and small exports.
QImage RenderLayoutImage(const PuzzleModel& model, const LayoutStyle& style, const Rect& region);

}  // namespace tessemar
