#pragma once

#include <QDialog>

namespace tessemar {

class CNumberField;

// A puzzle's size: cells across and down, and the cell pitch in pixels.
struct SizeValues {
    int columns = 15;
    int rows = 15;
    int cellSize = 17;
};

// The size dialog of the Change Size command and of the default size: columns and rows
// 1..250 and the size, shown as the cell pitch minus one (10..50). OK takes the numbers only
// when all three are integers in their ranges; otherwise the user is told and it stays open.
class CSizeDialog : public QDialog {
    Q_OBJECT
  public:
    CSizeDialog(const SizeValues& values, const QString& title, QWidget* parent = nullptr);

    // The numbers taken by OK.
    const SizeValues& Values() const { return values_; }
    CNumberField* ColumnField() const { return column_; }
    CNumberField* RowField() const { return row_; }
    CNumberField* SizeField() const { return size_; }

    void accept() override;

  private:
    SizeValues values_;
    CNumberField* column_;
    CNumberField* row_;
    CNumberField* size_;
};

}  // namespace tessemar
