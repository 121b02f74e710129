#pragma once

// The corner pane of a document window: a caption bar with the puzzle title and a small
// caption button, and below it the preview of the picture. Drawn as a function of its inputs so
// that the pane widget only has to supply the system's look and its state.

#include "core/settings/AppSettings.h"
#include "render/ViewGeometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace tessemar {

// The desktop colours and caption metrics the corner takes its look from. The defaults are a
// plain, readable look for when the platform offers nothing better.
struct CornerLook {
    QColor buttonFace{212, 208, 200};
    QColor buttonHighlight{255, 255, 255};
    QColor buttonLight{212, 208, 200};
    QColor buttonShadow{128, 128, 128};
    QColor buttonDarkShadow{64, 64, 64};
    QColor buttonText{0, 0, 0};
    QColor activeCaption{10, 36, 106};
    QColor gradientActiveCaption{166, 202, 240};
    QColor inactiveCaption{128, 128, 128};
    QColor gradientInactiveCaption{192, 192, 192};
    QColor captionText{255, 255, 255};
    QColor inactiveCaptionText{212, 208, 200};
    int captionHeight = 18;
    QFont captionFont;  // the application's font in bold when left unset
};

struct CornerState {
    QString title;
    bool active = true;          // the document's window is the active one
    bool showPreview = true;     // the ShowPreview setting
    bool buttonPressed = false;  // the caption button is held down
};

// The caption button: (width - h, 3) to (width - 2, h - 1), h the caption height.
Rect CornerCaptionButtonRect(int clientWidth, int captionHeight);
// A press on the caption button: x from width - h to width - 2, y above 2 and below h.
bool IsOnCornerCaptionButton(int clientWidth, int captionHeight, int x, int y);
// The caption bar left of the button, where a press edits the title.
bool IsOnCornerCaptionTitle(int clientWidth, int captionHeight, int x, int y);

// Where the preview goes in a client area of that size for a W x H puzzle: the sunken frame
// and, inside it, the picture scaled to fit.
struct CornerPreviewPlacement {
    Rect frame;
    Rect picture;
};
CornerPreviewPlacement PlaceCornerPreview(QSize client, int captionHeight, int columnCount,
                                          int rowCount);

// Paints the whole corner pane of size client. preview is the one-pixel-per-cell picture.
void DrawCorner(QPainter& painter, QSize client, const CornerLook& look, const CornerState& state,
                const QImage& preview);

// The same into a new image, for tests and the pane's double buffer.
QImage RenderCorner(QSize client, const CornerLook& look, const CornerState& state,
                    const QImage& preview);

}  // namespace tessemar
