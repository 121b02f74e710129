#include "MainFrameFixture.h"

#include "gui/dialogs/COptionSheet.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/frame/CChildFrame.h"
#include "gui/images/CWallpaperPainter.h"
#include "gui/view/CViewCompanion.h"
#include "support/ModalDialog.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tessemar {
namespace {

class OptionsTest : public test::MainFrameFixture {};

TEST_F(OptionsTest, EachOptionCommandOpensItsPage) {
    const struct {
        int command;
        int page;
    } cases[] = {{cmd::Options, COptionSheet::General},
                 {cmd::PrintZoom, COptionSheet::Print},
                 {cmd::ChangeWallpaper, COptionSheet::Wallpaper},
                 {cmd::FirstOptionPage + 5, COptionSheet::Keyboard}};
    for (const auto& c : cases) {
        int shown = -1;
        test::WhenShown<COptionSheet>([&shown](COptionSheet& sheet) {
            shown = sheet.ActivePage();
            sheet.reject();
        });
        EXPECT_TRUE(Frame().Commands().Execute(c.command));
        EXPECT_EQ(shown, c.page) << c.command;
    }
}

// Apply hands the values over at once; the Cancel that follows keeps them.
TEST_F(OptionsTest, CancelAfterApplyKeepsTheAppliedValues) {
    test::WhenShown<COptionSheet>([](COptionSheet& sheet) {
        for (const auto& [name, text] :
             {std::pair{"Zoom", "150"}, std::pair{"RecentFileCount", "5"}}) {
            auto* field = sheet.findChild<CNumberField*>(QString::fromLatin1(name));
            field->selectAll();
            QTest::keyClicks(field, QString::fromLatin1(text));
        }
        sheet.ApplyButton()->click();
        sheet.reject();
    });
    Frame().OpenOptions(COptionSheet::Print);
    EXPECT_EQ(settings_.zoom, 150);
    EXPECT_EQ(settings_.recentFileCount, 5);
    EXPECT_EQ(recentFileCounts_, std::vector<int>{5});
    EXPECT_EQ(registerFileTypes_, std::vector<bool>{false});
}

// Only what changed is done again: the preview lays every window out anew, the lines and
// numbers draw it anew. The window watched is not the active one.
TEST_F(OptionsTest, ViewSettingsRedoOnlyWhatTheyChange) {
    CChildFrame* frame = Frame().FrameOf(docs_.OnFileNew());
    docs_.OnFileNew();
    QSignalSpy layouts(frame->Companion(), &CViewCompanion::ShowPreviewChanged);
    QSignalSpy redraws(&frame->Companion()->Canvas(), &LayoutCanvas::LayoutReset);
    AppSettings chosen = settings_;
    chosen.showPreview = 0;
    Frame().ApplyOptions(chosen);
    chosen.boldLine = 0;
    Frame().ApplyOptions(chosen);
    EXPECT_EQ(layouts.count(), 1);
    EXPECT_EQ(redraws.count(), 1);
}

// A picture without a file stays the choice (that the wallpaper then tells it could not load is
// the wallpaper's own test).
TEST_F(OptionsTest, PictureModeWithoutPathKeepsTheEmptyPath) {
    AppSettings chosen = settings_;
    chosen.brush = CWallpaperPainter::ModePicture;
    chosen.path.clear();
    Frame().ApplyOptions(chosen);
    EXPECT_EQ(settings_.brush, CWallpaperPainter::ModePicture);
    EXPECT_EQ(settings_.path, "");
}

}  // namespace
}  // namespace tessemar
