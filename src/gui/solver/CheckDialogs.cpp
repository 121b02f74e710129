#include "gui/solver/CheckDialogs.h"

#include "core/text/StringTable.h"
#include "gui/common/UiText.h"

#include <QMessageBox>
#include <QPushButton>

namespace tessemar {
CheckDialogs::Choice CWidgetCheckDialogs::ShowCheckReport(const QString& caption,
                                                          const QString& text,
                                                          bool offerSolutions) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Close, parent_);
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    if (offerSolutions) {
        box.setInformativeText(Text(text::IdsCheckWriteQuestion));
        first = box.addButton(Text(text::IdsCheckWriteSolution1), QMessageBox::AcceptRole);
        second = box.addButton(Text(text::IdsCheckWriteSolution2), QMessageBox::AcceptRole);
    }
    box.setDefaultButton(QMessageBox::Close);
    box.exec();
    if (first != nullptr && box.clickedButton() == first)
        return Choice::WriteFirst;
    if (second != nullptr && box.clickedButton() == second)
        return Choice::WriteSecond;
    return Choice::Close;
}

}  // namespace tessemar
