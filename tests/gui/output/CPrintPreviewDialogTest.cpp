#include "gui/output/CPrintPreviewDialog.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "core/text/StringTable.h"
#include "render/LayoutRenderer.h"
#include "support/ModelSetup.h"
#include "support/TempDir.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

// The preview counts the pages the printer would print, shows one at a time and follows the
// page keys within them; its Print button hands the job back to the caller, and printing gives
// exactly those pages.
TEST(CPrintPreviewDialogTest, ShowsThePrintersPagesOneAtATime) {
    text::SetLanguage(text::Language::English);
    CLogicDoc doc;
    LoadSize(doc, 60, 40);
    AppSettings settings;
    settings.zoom = 1000;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const LayoutStyle style(doc.Model(), {});
    CPrintPreviewDialog preview(printer, doc, style, settings, nullptr);
    const int pages = PlanDocumentPrint(printer, doc, style, settings).plan.Pages();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(preview.findChild<QLabel*>()->text(), QStringLiteral("Page 1 of %1").arg(pages));
    const QImage first = preview.ShownPage();
    EXPECT_NEAR(double(first.width()) / first.height(), double(printer.width()) / printer.height(), 0.01);

    struct Step {
        Qt::Key key;
        int page;
    } steps[] = {{Qt::Key_PageUp, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_End, pages}, {Qt::Key_PageDown, pages},
                 {Qt::Key_Home, 1}};
    for (const Step& step : steps) {
        QTest::keyClick(&preview, step.key);
        EXPECT_EQ(preview.CurrentPage(), step.page) << step.key;
    }
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_NE(preview.ShownPage(), first) << "page 2 shows another tile";

    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("&Print..."))
            action->trigger();
    }
    EXPECT_EQ(preview.result(), CPrintPreviewDialog::kPrintRequested);

    const TempDir dir;
    const QString path = QString::fromStdString(dir.File("printed.pdf"));
    printer.setOutputFileName(path);
    ASSERT_EQ(PrintDocument(printer, doc, style, settings), pages);
    QFile printed(path);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(printed.readAll().count("/Type /Page\n"), pages);
}

}  // namespace
}  // namespace tessemar
