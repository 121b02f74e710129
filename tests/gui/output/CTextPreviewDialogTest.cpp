#include "core/io/FileUtil.h"
#include "core/settings/AppSettings.h"
#include "core/text/StringTable.h"
#include "gui/output/CTextPreviewDialog.h"
#include "support/TempDir.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

class TextPreviewDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { text::SetLanguage(text::Language::English); }
    TempDir dir_;
    IniFile ini_{dir_.File("Tessemar.INI")};
};

// The caption names the document. Closing stores the rectangle and the next report window
// opens there. Enter in the text box closes as Close does; so do accepting (which Enter does)
// and Save As, whose test checks the stored rectangle too.
TEST_F(TextPreviewDialogTest, RectangleRoundTripsThroughTheSettingsFile) {
    {
        CTextPreviewDialog dialog(ini_);
        dialog.SetCaptionPrefix(QStringLiteral("Solved - "));
        dialog.SetDocumentName(QStringLiteral("puzzle.tsd"));
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Solved - puzzle.tsd"));
        dialog.move(77, 88);
        dialog.resize(400, 250);
        QTest::keyClick(dialog.Editor(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
    CTextPreviewDialog next(ini_);
    next.show();
    EXPECT_EQ(next.pos(), QPoint(77, 88));
    EXPECT_EQ(next.size(), QSize(400, 250));
    next.reject();
}

TEST_F(TextPreviewDialogTest, TheTextIsShownReadOnlyWithItsLineEnds) {
    CTextPreviewDialog dialog(ini_);
    dialog.SetText("line one\r\nline two\r\n");
    EXPECT_TRUE(dialog.Editor()->isReadOnly());
    EXPECT_EQ(dialog.Editor()->toPlainText(), QStringLiteral("line one\nline two\n"));
}

// Save As writes the exact text and closes as Close does; a cancelled or failed save keeps the
// window open with its text.
TEST_F(TextPreviewDialogTest, SaveAsWritesTheExactTextAndClosesUnlessCancelledOrFailed) {
    const std::string report = "Solved\r\n  Time: 0.01 s\r\n\r\nlast line without end";
    CTextPreviewDialog dialog(ini_);
    dialog.SetDocumentName(QStringLiteral("puzzle.tsd"));
    dialog.SetText(report);
    QString error;
    dialog.SetShowError([&](const QString& message) { error = message; });
    CTextPreviewDialog::SaveRequest asked;
    std::optional<QString> answer;
    dialog.SetPromptForSave([&](const CTextPreviewDialog::SaveRequest& request) {
        asked = request;
        return answer;
    });
    dialog.show();
    dialog.move(222, 111);
    const QString shown = dialog.Editor()->toPlainText();

    dialog.SaveAs();
    EXPECT_EQ(asked.proposedName, QStringLiteral("puzzle"));
    EXPECT_EQ(asked.filters, (QStringList{QStringLiteral("Text File (*.txt)"),
                                          QStringLiteral("All Files (*.*)")}));
    EXPECT_EQ(asked.defaultExtension, QStringLiteral("txt"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(error.isEmpty());

    answer = QString::fromStdString(dir_.File("no/such/folder/report.txt"));
    dialog.SaveAs();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(error.contains(*answer)) << error.toStdString();
    EXPECT_EQ(dialog.Editor()->toPlainText(), shown);

    answer = QString::fromStdString(dir_.File("report.txt"));
    dialog.SaveAs();
    EXPECT_EQ(ReadWholeFile(answer->toStdString()), report);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ReadTextDialogRect(ini_).left, 222);  // closed as by Close
}

TEST_F(TextPreviewDialogTest, ProposedNamesAndFilters) {
    struct Case {
        const char* documentName;
        const char* proposed;
    };
    const Case cases[] = {{"puzzle.tsd", "puzzle"}, {"/home/a/b/cat.v2.tsd", "cat.v2"},
                          {"Untitled", "Untitled"}, {"C:\\x\\y.tsd", "y"},
                          {".hidden", ".hidden"},   {"", ""}};
    for (const Case& k : cases) {
        EXPECT_EQ(CTextPreviewDialog::ProposedFileName(QString::fromUtf8(k.documentName)),
                  QString::fromUtf8(k.proposed))
            << k.documentName;
    }
    EXPECT_TRUE(CTextPreviewDialog::SplitFilter("").isEmpty());
    // The Japanese filter names the "all files" entry in Japanese.
    text::SetLanguage(text::Language::Japanese);
    CTextPreviewDialog dialog(ini_);
    CTextPreviewDialog::SaveRequest asked;
    dialog.SetPromptForSave([&](const CTextPreviewDialog::SaveRequest& request) {
        asked = request;
        return std::optional<QString>();
    });
    dialog.SaveAs();
    EXPECT_EQ(asked.filters.value(1), QStringLiteral("すべてのファイル (*.*)"));
    text::SetLanguage(text::Language::English);
}

}  // namespace
}  // namespace tessemar
