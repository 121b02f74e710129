#include "render/CornerDrawing.h"

#include "core/images/Gradient.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace tessemar {
namespace {

QColor FromColorRef(GradientColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}
GradientColor ToColorRef(const QColor& c) {
    return MakeColorRef(c.red(), c.green(), c.blue());
}

// Left to right, one column per step, with the same truncating steps as every other gradation
// of the program.
void FillHorizontalGradient(QPainter& painter, const Rect& r, const QColor& from,
                            const QColor& to) {
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 1 || h <= 1)
        return;
    if (from == to) {
        painter.fillRect(QRect(r.left, r.top, w, h), from);
        return;
    }
    for (int i = 0; i < w; ++i) {
        painter.fillRect(QRect(r.left + i, r.top, 1, h),
                         FromColorRef(GradientStepColor(ToColorRef(from), ToColorRef(to), i, w)));
    }
}

// A two-pixel 3D edge: outer and inner colours of the top-left and bottom-right sides.
void DrawEdge(QPainter& painter, const Rect& r, const QColor& outerTopLeft,
              const QColor& outerBottomRight, const QColor& innerTopLeft,
              const QColor& innerBottomRight) {
    if (r.Width() < 4 || r.Height() < 4)
        return;
    auto frame = [&](int inset, const QColor& topLeft, const QColor& bottomRight) {
        const int left = r.left + inset;
        const int top = r.top + inset;
        const int right = r.right - 1 - inset;
        const int bottom = r.bottom - 1 - inset;
        painter.fillRect(QRect(left, bottom, right - left + 1, 1), bottomRight);
        painter.fillRect(QRect(right, top, 1, bottom - top + 1), bottomRight);
        painter.fillRect(QRect(left, top, right - left, 1), topLeft);
        painter.fillRect(QRect(left, top, 1, bottom - top), topLeft);
    };
    frame(0, outerTopLeft, outerBottomRight);
    frame(1, innerTopLeft, innerBottomRight);
}

// The small window-caption button: the minimise look while the preview is shown (a press hides
// it), the maximise look while it is hidden.
void DrawCaptionButton(QPainter& painter, const Rect& r, const CornerLook& look, bool minimise,
                       bool pressed) {
    if (r.Width() < 6 || r.Height() < 6)
        return;
    painter.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), look.buttonFace);
    if (pressed) {
        DrawEdge(painter, r, look.buttonDarkShadow, look.buttonHighlight, look.buttonShadow,
                 look.buttonLight);
    } else {
        DrawEdge(painter, r, look.buttonLight, look.buttonDarkShadow, look.buttonHighlight,
                 look.buttonShadow);
    }
    const int shift = pressed ? 1 : 0;
    const int glyphLeft = r.left + 3 + shift;
    const int glyphTop = r.top + 3 + shift;
    const int glyphWidth = std::max(2, r.Width() - 7);
    const int glyphHeight = std::max(2, r.Height() - 7);
    if (minimise) {
        painter.fillRect(
            QRect(glyphLeft + 1, glyphTop + glyphHeight - 2, std::max(2, glyphWidth * 2 / 3), 2),
            look.buttonText);
    } else {
        painter.setPen(look.buttonText);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(glyphLeft, glyphTop, glyphWidth - 1, glyphHeight - 1));
        painter.fillRect(QRect(glyphLeft, glyphTop + 1, glyphWidth, 1), look.buttonText);
    }
}

}  // namespace

Rect CornerCaptionButtonRect(int clientWidth, int captionHeight) {
    return {clientWidth - captionHeight, 3, clientWidth - 2, captionHeight - 1};
}

bool IsOnCornerCaptionButton(int clientWidth, int captionHeight, int x, int y) {
    return x >= clientWidth - captionHeight && x <= clientWidth - 2 && y > 2 && y < captionHeight;
}

bool IsOnCornerCaptionTitle(int clientWidth, int captionHeight, int x, int y) {
    return x >= 0 && x < clientWidth - captionHeight && y >= 0 && y <= captionHeight;
}

CornerPreviewPlacement PlaceCornerPreview(QSize client, int captionHeight, int columnCount,
                                          int rowCount) {
    const int width = client.width();
    const int height = client.height();
    const int w = std::max(1, columnCount);
    const int h = std::max(1, rowCount);
    const int a = height - captionHeight;
    int pw;
    int ph;
    // The picture keeps its proportions: limited by the height below the caption, or by the
    // width.
    if (static_cast<long long>(a) * w < static_cast<long long>(width) * h) {
        pw = a * w / h;
        ph = a - 2;
    } else {
        pw = width;
        ph = width * h / w;
    }
    const int x0 = (width - pw) / 2;
    const int y0 = captionHeight / 2 + (height - ph) / 2;
    CornerPreviewPlacement placement;
    placement.frame = {x0 + 2, y0 + 2, x0 + pw - 2, y0 + ph - 1};
    placement.picture = {x0 + 4, y0 + 4, x0 + pw - 4, y0 + ph - 3};
    return placement;
}

void DrawCorner(QPainter& painter, QSize client, const CornerLook& look, const CornerState& state,
                const QImage& preview) {
    const int width = client.width();
    const int height = client.height();
    if (width <= 0 || height <= 0)
        return;
    const int hc = look.captionHeight;
    painter.save();
    painter.fillRect(QRect(0, 0, width, height), look.buttonFace);

    FillHorizontalGradient(
        painter, {1, 1, width - 1, hc + 1},
        state.active ? look.activeCaption : look.inactiveCaption,
        state.active ? look.gradientActiveCaption : look.gradientInactiveCaption);

    QFont font = look.captionFont;
    if (font == QFont()) {
        font = QGuiApplication::font();
        font.setBold(true);
    }
    const QRect titleRect(4, 1, std::max(0, width - hc + 1 - 4), hc);
    if (titleRect.width() > 0) {
        painter.setFont(font);
        painter.setPen(state.active ? look.captionText : look.inactiveCaptionText);
        painter.setClipRect(titleRect);
        const QString shown =
            QFontMetrics(font).elidedText(state.title, Qt::ElideRight, titleRect.width());
        painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        painter.setClipping(false);
    }

    if (state.showPreview && !preview.isNull()) {
        const CornerPreviewPlacement place =
            PlaceCornerPreview(client, hc, preview.width(), preview.height());
        DrawEdge(painter, place.frame, look.buttonShadow, look.buttonHighlight,
                 look.buttonDarkShadow, look.buttonLight);
        if (!place.picture.IsEmpty()) {
            // Nearest pixel, as a plain stretch copy does: every cell stays a sharp block.
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(QRect(place.picture.left, place.picture.top, place.picture.Width(),
                                    place.picture.Height()),
                              preview);
        }
    }

    DrawCaptionButton(painter, CornerCaptionButtonRect(width, hc), look, state.showPreview,
                      state.buttonPressed);
    painter.restore();
}

QImage RenderCorner(QSize client, const CornerLook& look, const CornerState& state,
                    const QImage& preview) {
    QImage image(client.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawCorner(painter, client, look, state, preview);
    return image;
}

}  // namespace tessemar
