#include "gui/solver/CheckDialogs.h"

#include "core/text/StringTable.h"

#include <QMessageBox>
#include <QPushButton>

namespace tessemar {
namespace {

QString Load(unsigned id) {
    const std::string_view text = text::LoadString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

CheckDialogs::Choice CWidgetCheckDialogs::ShowCheckReport(const QString& caption,
                                                          const QString& text,
                                                          bool offerSolutions) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Close, parent_);
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    if (offerSolutions) {
        box.setInformativeText(Load(text::IdsCheckWriteQuestion));
        first = box.addButton(Load(text::IdsCheckWriteSolution1), QMessageBox::AcceptRole);
        second = box.addButton(Load(text::IdsCheckWriteSolution2), QMessageBox::AcceptRole);
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
