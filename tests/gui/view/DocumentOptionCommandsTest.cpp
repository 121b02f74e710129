#include "WindowFixture.h"

#include "gui/dialogs/CColorSettingsDialog.h"
#include "gui/dialogs/CSizeDialog.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/view/CViewCommands.h"
#include "support/ModalDialog.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using DocumentOptionCommandsTest = test::WindowFixture;

// The size dialog starts from the document and a new size is one undo step; what its undo
// brings back is the core's concern, and the window's undo is the child frame test's.
TEST_F(DocumentOptionCommandsTest, ChangeSizeIsOneStep) {
    CChildFrame* frame = OpenSample();
    CLogicDoc& doc = frame->Document();
    test::WhenShown<CSizeDialog>([](CSizeDialog& dialog) {
        EXPECT_EQ(dialog.SizeField()->text(), "16");
        dialog.ColumnField()->SetText(QStringLiteral("10"));
        dialog.RowField()->SetText(QStringLiteral("10"));
        dialog.accept();
    });
    frame->ViewCommands()->OnCommand(cmd::SizeSettings);
    EXPECT_EQ(doc.columnCount(), 10);
    EXPECT_EQ(doc.UndoHistory().size(), 1u);
}

// Colours and font change the document without a step in its history; Cancel changes nothing.
TEST_F(DocumentOptionCommandsTest, ColoursAndFontAreNoUndoSteps) {
    CChildFrame* frame = OpenSample();
    CLogicDoc& doc = frame->Document();
    test::WhenShown<CColorSettingsDialog>([](CColorSettingsDialog& dialog) { dialog.reject(); });
    frame->ViewCommands()->OnCommand(cmd::ColorSettings);
    EXPECT_FALSE(doc.IsModified());

    test::WhenShown<CColorSettingsDialog>([](CColorSettingsDialog& dialog) {
        dialog.Swatch(4)->Choose();
        dialog.accept();
    });
    prompter_.colors = {QColor(240, 16, 40)};
    frame->ViewCommands()->OnCommand(cmd::ColorSetting);
    EXPECT_EQ(doc.Model().colors[1], MakeColorRef(240, 16, 40));

    prompter_.fonts = {FontChoice{QStringLiteral("DejaVu Serif"), 400}};
    frame->ViewCommands()->OnCommand(cmd::Font);
    EXPECT_EQ(doc.Model().fontFaceName, "DejaVu Serif");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.UndoHistory().empty());
}

}  // namespace
}  // namespace tessemar
