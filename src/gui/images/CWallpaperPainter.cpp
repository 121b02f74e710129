#include "gui/images/CWallpaperPainter.h"

#include "core/images/Gradient.h"
#include "gui/common/ColorCell.h"
#include "gui/images/LogoResource.h"
#include "gui/images/QtPictureDecoder.h"
#include "gui/images/SurfaceImage.h"
#include "gui/images/VersionText.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

namespace tessemar {
namespace {

ColorRef Inverse(ColorRef c) {
    return ~c & 0xFFFFFF;
}

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kWhite = 0xFFFFFF;

}  // namespace

void FillGradient(QPainter& painter, int left, int top, int right, int bottom, ColorRef colorFrom,
                  ColorRef colorTo, int direction) {
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 1 || h <= 1)
        return;
    if (colorFrom == colorTo) {
        painter.fillRect(left, top, w, h, ToQColor(colorFrom));
        return;
    }
    if (direction == GradientLeftToRight) {
        for (int i = 0; i < w; ++i)
            painter.fillRect(left + i, top, 1, h,
                             ToQColor(GradientStepColor(colorFrom, colorTo, i, w)));
    } else {
        for (int i = 0; i < h; ++i)
            painter.fillRect(left, top + i, w, 1,
                             ToQColor(GradientStepColor(colorFrom, colorTo, i, h)));
    }
}

CWallpaperPainter::CWallpaperPainter(QObject* parent)
    : QObject(parent),
      decoders_(ProgramImageDecoders()),
      versionLine_(VersionLine()),
      noticeLine_(LegalNoticeLine()) {}

void CWallpaperPainter::Attach(QWidget* target) {
    if (target_)
        target_->removeEventFilter(this);
    target_ = target;
    if (target_) {
        target_->installEventFilter(this);
        target_->update();
    }
}

void CWallpaperPainter::SetTextLines(const QString& versionLine, const QString& noticeLine) {
    versionLine_ = versionLine;
    noticeLine_ = noticeLine;
}

void CWallpaperPainter::SetWallpaper(int mode, const std::string& path, int logoResource,
                                     ColorRef color1, ColorRef color2, int direction) {
    mode_ = mode;
    color1_ = color1;
    color2_ = color2;
    direction_ = direction;
    failed_ = false;
    bool ok = true;
    switch (mode) {
        case ModeDefaultLogo:
            if (!logo_.IsLoaded())
                LoadLogoResource(logo_, logoResource);
            break;
        case ModePicture:
            picture_ = QImage();
            ok = LoadPicture(path);
            break;
        case ModeSimpleColor:
        case ModeGradation:
        case ModeColorTile:
            break;
        default:
            ok = false;
            break;
    }
    if (!ok) {
        failed_ = true;
        picture_ = QImage();
        mode_ = ModeSimpleColor;
        color1_ = kBlack;
    }
    if (target_)
        target_->update();
}

bool CWallpaperPainter::LoadPicture(const std::string& path) {
    // Plain bitmap files go straight to Qt's own reader, which also knows the compressed kinds.
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
    if (!path.empty() && path[0] != '!' && QFileInfo(fileName).isFile()) {
        QImage bitmap(fileName, "BMP");
        if (!bitmap.isNull()) {
            picture_ = bitmap.convertToFormat(QImage::Format_RGB32);
            return true;
        }
    }
    Surface loaded;
    if (LoadImageFile(loaded, path, decoders_) != ImageFileOk)
        return false;
    // Composed once over the first colour, so that tiling it later is a plain copy.
    Surface composed;
    if (!composed.Create(loaded.Width(), loaded.Height()))
        return false;
    composed.Fill(Rect{0, 0, composed.Width(), composed.Height()}, PixelOfColor(color1_));
    Blit(composed, 0, 0, loaded, loaded.HasAlpha() ? BlitMode::Blend : BlitMode::Copy);
    picture_ = WrapSurface(composed, QImage::Format_RGB32).copy();
    return !picture_.isNull();
}

bool CWallpaperPainter::DrawWallpaper(QPainter& painter, int width, int height) {
    switch (mode_) {
        case ModeSimpleColor:
            painter.fillRect(0, 0, width, height, ToQColor(color1_));
            if (failed_) {
                painter.setFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
                const QFontMetrics metrics = painter.fontMetrics();
                const QString text = QString::fromLatin1(FailureText());
                const int x = width - metrics.horizontalAdvance(text) - 4;
                const int y = height - 4 * metrics.height() - 8;
                painter.setPen(ToQColor(kWhite));
                painter.drawText(x, y + metrics.ascent(), text);
            }
            break;
        case ModeGradation:
            FillGradient(painter, 0, 0, width, height, color1_, color2_, direction_);
            break;
        case ModeDefaultLogo:
            DrawLogoTiles(painter, width, height);
            break;
        case ModePicture:
            if (picture_.isNull()) {
                painter.fillRect(0, 0, width, height, ToQColor(color1_));
                break;
            }
            for (int y = 0; y < height; y += picture_.height()) {
                for (int x = 0; x < width; x += picture_.width())
                    painter.drawImage(x, y, picture_);
            }
            break;
        case ModeColorTile:
            DrawColorTile(painter, width, height);
            return true;
        default:
            return true;
    }
    DrawTexts(painter, width, height);
    return true;
}

void CWallpaperPainter::DrawLogoTiles(QPainter& painter, int width, int height) {
    if (!logo_.IsLoaded()) {
        // Without its logo the wallpaper still shows its gradation rather than leaving the area
        // unpainted.
        FillGradient(painter, 0, 0, width, height, color1_, color2_, direction_);
        return;
    }
    if (width < 1 || height < 1)
        return;
    const int lw = logo_.Width();
    const int lh = logo_.Height();
    const int nx = (width + lw - 1) / lw;
    const int ny = (height + lh - 1) / lh;
    const bool across = direction_ == GradientLeftToRight;
    // One strip along the gradation carries the blended logos; the rest of the area is copies
    // of it, so the blending is done for one row (or column) of tiles only.
    const StripKey key{across ? width : height, color1_, color2_, across ? 0 : 1};
    if (!(key == stripKey_) || !strip_.IsCreated()) {
        stripKey_ = StripKey{};
        if (!(across ? strip_.Create(width, lh) : strip_.Create(lw, height)))
            return;
        strip_.Fill(Rect{0, 0, strip_.Width(), strip_.Height()}, MakePixel(0, 0, 0));
        FillGradient(strip_, Rect{0, 0, strip_.Width(), strip_.Height()}, color1_, color2_,
                     key.direction);
        for (int k = 0; k < (across ? nx : ny); ++k) {
            Blit(strip_, across ? k * lw : 0, across ? 0 : k * lh, logo_, BlitMode::Blend);
        }
        stripKey_ = key;
    }
    const QImage strip = WrapSurface(strip_, QImage::Format_RGB32);
    for (int k = 0; k < (across ? ny : nx); ++k)
        painter.drawImage(across ? 0 : k * lw, across ? k * lh : 0, strip);
}

void CWallpaperPainter::DrawColorTile(QPainter& painter, int width, int height) {
    const QColor face = target_ ? target_->palette().color(QPalette::Button)
                                : QApplication::palette().color(QPalette::Button);
    painter.fillRect(0, 0, width, height, face);
    const int left = 2, top = 2, right = width - 2, bottom = height - 2;
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0)
        return;
    painter.fillRect(left, top, w, h / 4, ToQColor(color2_));
    painter.fillRect(left, top, w / 4, h, ToQColor(color2_));
    painter.fillRect(left + w / 4, top + h / 4, right - (left + w / 4), bottom - (top + h / 4),
                     ToQColor(color1_));
}

void CWallpaperPainter::DrawTexts(QPainter& painter, int width, int height) {
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    const int noticeBottom = height - 2;
    const int versionBottom = noticeBottom - lineHeight - 2;
    auto draw = [&](int right, int shift, const QColor& color) {
        painter.setPen(color);
        painter.drawText(
            QRect(right - 100000, noticeBottom - lineHeight + shift, 100000, lineHeight),
            Qt::AlignRight | Qt::AlignBottom, noticeLine_);
        painter.drawText(
            QRect(right - 100000, versionBottom - lineHeight + shift, 100000, lineHeight),
            Qt::AlignRight | Qt::AlignBottom, versionLine_);
    };
    if (failed_) {
        draw(width - 4, 0, ToQColor(kWhite));
        return;
    }
    const ColorRef text = Inverse(color2_);
    const ColorRef shadow = mode_ == ModeDefaultLogo ? kWhite : Inverse(color1_);
    if (shadow != text)
        draw(width - 3, 1, ToQColor(shadow));
    draw(width - 4, 0, ToQColor(text));
}

bool CWallpaperPainter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(target_);
            return DrawWallpaper(painter, target_->width(), target_->height());
        }
        if (event->type() == QEvent::Resize)
            target_->update();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tessemar
