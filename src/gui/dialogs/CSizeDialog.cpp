#include "gui/dialogs/CSizeDialog.h"

#include "core/document/DocumentDefaults.h"
#include "core/text/StringTable.h"
#include "gui/common/UiText.h"
#include "gui/dialogs/DialogFields.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace tessemar {

CSizeDialog::CSizeDialog(const SizeValues& values, const QString& title, QWidget* parent)
    : QDialog(parent),
      values_(values),
      column_(new CNumberField(1, kMaxLines, this)),
      row_(new CNumberField(1, kMaxLines, this)),
      size_(new CNumberField(kMinCellSize - 1, kMaxCellSize - 1, this)) {
    setWindowTitle(title);
    column_->setObjectName(QStringLiteral("Column"));
    row_->setObjectName(QStringLiteral("Row"));
    size_->setObjectName(QStringLiteral("Size"));
    column_->SetValue(values.columns);
    row_->SetValue(values.rows);
    // The user sizes the cell without the grid line that every pitch includes.
    size_->SetValue(values.cellSize - 1);

    auto* form = new QFormLayout;
    form->addRow(Text(text::IdsColumnLabel), column_);
    form->addRow(Text(text::IdsRowLabel), row_);
    form->addRow(Text(text::IdsSizeLabel), size_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CSizeDialog::accept() {
    const std::optional<int> columns = column_->CheckedValue();
    if (!columns)
        return;
    const std::optional<int> rows = row_->CheckedValue();
    if (!rows)
        return;
    const std::optional<int> size = size_->CheckedValue();
    if (!size)
        return;
    values_ = {*columns, *rows, *size + 1};
    QDialog::accept();
}

}  // namespace tessemar
