#include "gui/dialogs/COptionSheet.h"

#include "core/text/StringTable.h"
#include "gui/commands/CommandTable.h"
#include "gui/common/UiText.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/dialogs/OptionPages.h"
#include "gui/dialogs/WallpaperPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tessemar {

COptionSheet::COptionSheet(const AppSettings& settings, const IniFile& ini, QWidget* parent)
    : QDialog(parent), values_(settings), tabs_(new QTabWidget(this)) {
    setWindowTitle(Text(text::IdsOptionsCaption));
    setWindowIcon(CCommandTable::ActionIcon("option-settings"));
    pages_ = {new CPage1(ini), new CPage2, new CPage6, new CPage3, new CPage4, new CPage5};
    constexpr unsigned kTitles[PageCount] = {text::IdsPageGeneral,   text::IdsPageView,
                                             text::IdsPageWallpaper, text::IdsPageSolve,
                                             text::IdsPagePrint,     text::IdsPageKeyboard};
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    for (int i = 0; i < PageCount; ++i) {
        COptionPage* page = Page(i);
        page->Fill(values_);
        tabs_->addTab(page, Text(kTitles[i]));
        connect(page, &COptionPage::modified, apply_, [this] { apply_->setEnabled(true); });
    }
    connect(apply_, &QPushButton::clicked, this, &COptionSheet::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionSheet::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void COptionSheet::SetActivePage(int index) {
    tabs_->setCurrentIndex(index);
}

int COptionSheet::ActivePage() const {
    return tabs_->currentIndex();
}

bool COptionSheet::Apply() {
    AppSettings values = values_;
    for (int i = 0; i < PageCount; ++i) {
        if (CNumberField* refused = Page(i)->Store(values)) {
            SetActivePage(i);
            refused->setFocus();
            refused->selectAll();
            return false;
        }
    }
    values_ = values;
    apply_->setEnabled(false);
    emit applied(values_);
    return true;
}

void COptionSheet::accept() {
    if (Apply())
        QDialog::accept();
}

}  // namespace tessemar
