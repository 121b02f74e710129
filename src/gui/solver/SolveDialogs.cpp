#include "gui/solver/SolveDialogs.h"

#include "core/settings/IniFile.h"
#include "gui/output/CTextPreviewDialog.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QStyle>

namespace tessemar {
namespace {

// The same word in both languages: the program's error boxes are captioned so.
const QString kErrorCaption = QStringLiteral("ERROR");

QIcon ReportIcon(SolverStatusDisplay::Icon icon) {
    if (icon == SolverStatusDisplay::Icon::Stopped)
        return QApplication::style()->standardIcon(QStyle::SP_BrowserStop);
    if (icon == SolverStatusDisplay::Icon::Application)
        return QIcon(QStringLiteral(":/icons/tessemar-16.png"));
    return {};
}

}  // namespace

CWidgetSolveDialogs::CWidgetSolveDialogs(QWidget* parent, const IniFile* ini)
    : parent_(parent), ini_(ini) {}

CWidgetSolveDialogs::~CWidgetSolveDialogs() = default;

bool CWidgetSolveDialogs::AskSolveAnyway(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kErrorCaption, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void CWidgetSolveDialogs::ShowContradiction(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kErrorCaption, text, QMessageBox::Ok, parent_);
    box.exec();
}

void CWidgetSolveDialogs::ShowReport(const Report& report) {
    // A file that cannot be read behaves as empty and one with no name is never written, so
    // the window still opens, at its default place.
    const IniFile noSettings{std::string()};
    CTextPreviewDialog dialog(ini_ != nullptr ? *ini_ : noSettings, parent_);
    dialog.SetIcon(ReportIcon(report.icon));
    dialog.SetCaptionPrefix(report.captionPrefix);
    dialog.SetDocumentName(report.documentName);
    dialog.SetText(report.text.toStdString());
    dialog.exec();
}

void CWidgetSolveDialogs::PlaySound(Sound /*sound*/) {
    // The desktop has one bell; the kinds differ only on systems with sound themes.
    QApplication::beep();
}

}  // namespace tessemar
