#pragma once

#include "core/images/ImageFile.h"
#include "core/images/Surface.h"
#include "core/settings/AppSettings.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <string>

class QPainter;

namespace tessemar {

// Fills left..right x top..bottom with the gradation from one colour to the other: one
// column per step left to right (direction 0) or one row per step top to bottom (1). Nothing
// is drawn unless the area is more than 1 pixel wide and high; equal colours give a plain fill.
void FillGradient(QPainter& painter, int left, int top, int right, int bottom, ColorRef colorFrom,
                  ColorRef colorTo, int direction);

// Paints the background of one window: the area behind the document windows (modes 0..3, as
// chosen on the wallpaper option page) or the current-colour display (mode 4).
class CWallpaperPainter : public QObject {
    Q_OBJECT
  public:
    enum Mode : int {
        ModeSimpleColor = 0,
        ModeGradation = 1,
        ModeDefaultLogo = 2,
        ModePicture = 3,
        ModeColorTile = 4,  // color1 with color2 as its shadow bands
    };

    explicit CWallpaperPainter(QObject* parent = nullptr);

    // Hooks target: its paint events draw the wallpaper, and a size change repaints it whole.
    void Attach(QWidget* target);

    // Takes a new wallpaper. Mode 2 loads the logo image logoResource at its first use; mode 3
    // loads and composes the picture at path once, here. A picture that cannot be loaded (or an
    // unknown mode) leaves mode 0 with black and the failure message.
    void SetWallpaper(int mode, const std::string& path, int logoResource, ColorRef color1,
                      ColorRef color2, int direction);

    // Draws the wallpaper over a client area of width x height; true: the background is done.
    bool DrawWallpaper(QPainter& painter, int width, int height);
    // The version and legal-notice lines at the bottom-right corner.
    void SetTextLines(const QString& versionLine, const QString& noticeLine);

    int Mode() const { return mode_; }
    bool Failed() const { return failed_; }
    ColorRef Color1() const { return color1_; }
    const QImage& Picture() const { return picture_; }
    bool LogoLoaded() const { return logo_.IsLoaded(); }

    static const char* FailureText() { return "Failed to load image"; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool LoadPicture(const std::string& path);
    void DrawLogoTiles(QPainter& painter, int width, int height);
    void DrawColorTile(QPainter& painter, int width, int height);
    void DrawTexts(QPainter& painter, int width, int height);

    QPointer<QWidget> target_;
    int mode_ = ModeSimpleColor;
    ColorRef color1_ = 0;
    ColorRef color2_ = 0;
    int direction_ = 0;
    bool failed_ = false;
    Surface logo_;
    QImage picture_;
    ImageDecoders decoders_;
    QString versionLine_;
    QString noticeLine_;
    // The blended logo strip of the last drawing, kept while size, colours and direction stay.
    Surface strip_;
    struct StripKey {
        int length = -1;
        ColorRef color1 = 0, color2 = 0;
        int direction = -1;
        bool operator==(const StripKey&) const = default;
    } stripKey_;
};

}  // namespace tessemar
