#include "gui/frame/PageSetup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>

namespace tessemar {

bool RunPageSetup(QWidget* parent, QPrinter& printer, AppSettings& settings) {
    printer.setPageMargins(QMarginsF(settings.marginLeft / 100.0, settings.marginTop / 100.0,
                                     settings.marginRight / 100.0, settings.marginBottom / 100.0),
                           QPageLayout::Millimeter);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    settings.marginLeft = qRound(margins.left() * 100.0);
    settings.marginTop = qRound(margins.top() * 100.0);
    settings.marginRight = qRound(margins.right() * 100.0);
    settings.marginBottom = qRound(margins.bottom() * 100.0);
    return true;
}

}  // namespace tessemar
