#pragma once

#include "core/document/Colors.h"

#include <QDialog>

#include <array>

namespace tessemar {

class CColorField;

// The colour dialog of a document and of the default colours: twelve swatches (background, X
// mark, bold line, line, and colours 1..8 drawn with their shadows) on a working copy of the
// two colour tables. A click on a swatch opens the colour chooser; Default puts back the
// defaults given, Auto Shadow makes the shadows of colours 1..8 from the colours.
class CColorSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kSwatchCount = 12;

    CColorSettingsDialog(const ColorTable& colors, const ColorTable& shadowColors,
                         const ColorTable& defaultColors, const ColorTable& defaultShadowColors,
                         const QString& title, QWidget* parent = nullptr);

    const ColorTable& Colors() const { return colors_; }
    const ColorTable& ShadowColors() const { return shadowColors_; }
    // In the order back, X, bold line, line, colour 1..8.
    CColorField* Swatch(int index) const { return swatches_[static_cast<std::size_t>(index)]; }

    void RestoreDefaults();
    void MakeAutoShadow();

  private:
    void ShowColors();
    void TakeSwatch(int index);

    ColorTable colors_;
    ColorTable shadowColors_;
    ColorTable defaultColors_;
    ColorTable defaultShadowColors_;
    std::array<CColorField*, kSwatchCount> swatches_{};
};

}  // namespace tessemar
