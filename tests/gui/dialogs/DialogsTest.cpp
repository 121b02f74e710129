#include "gui/dialogs/CAboutDialog.h"
#include "gui/dialogs/CColorSettingsDialog.h"
#include "gui/dialogs/COptionSheet.h"
#include "gui/dialogs/CSizeDialog.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/dialogs/OptionPages.h"

#include "core/text/StringTable.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace tessemar {
namespace {

// A setting read and written as a number, whatever its type.
struct Access {
    std::function<long long(const AppSettings&)> get;
    std::function<void(AppSettings&, long long)> set;
};
template <typename T>
Access Field(T AppSettings::*member) {
    return {[member](const AppSettings& s) { return static_cast<long long>(s.*member); },
            [member](AppSettings& s, long long v) { s.*member = static_cast<T>(v); }};
}

// Controls of the sheet, one of each kind and at least one on every page, the setting it edits,
// the value the sheet is filled with and the value the user gives it. The pages bind every
// control through the same few helpers. An inverted check box is on when its setting is 0.
struct ControlRow {
    int page;
    const char* name;
    Access setting;
    long long filled;
    long long chosen;
    bool inverted = false;
};

const std::vector<ControlRow>& Controls() {
    using S = COptionSheet;
    static const std::vector<ControlRow> rows = {
        {S::General, "RecentFileCount", Field(&AppSettings::recentFileCount), 4, 12},
        {S::General, "CreateNewFile", Field(&AppSettings::createNewFile), 0, 1},
        {S::View, "ShiftDirection", Field(&AppSettings::shiftDirection), 1, 0},
        {S::Wallpaper, "Brush", Field(&AppSettings::brush), 1, 0},
        {S::Wallpaper, "Color1", Field(&AppSettings::wallpaperColor1), 0x112233, 0x445566},
        {S::Solve, "ResultMode", Field(&AppSettings::resultMode), 2, 1},
        {S::Print, "Zoom", Field(&AppSettings::zoom), 250, 1000},
        {S::Print, "CutBlankNum", Field(&AppSettings::cutBlankNum), 0, 1, true},
        {S::Keyboard, "EditKeyUp", Field(&AppSettings::editKeyUp), 'I', 'O'},
    };
    return rows;
}

class DialogsTest : public ::testing::Test {
  protected:
    DialogsTest() { text::SetLanguage(text::Language::English); }

    QWidget* Control(const COptionSheet& sheet, const ControlRow& row) {
        auto* control = sheet.Page(row.page)->findChild<QWidget*>(QString::fromLatin1(row.name));
        EXPECT_NE(control, nullptr) << row.name;
        return control;
    }

    // What the control shows, as the setting's number.
    static long long Shown(QWidget* control, bool inverted) {
        if (auto* box = qobject_cast<QCheckBox*>(control))
            return box->isChecked() != inverted ? 1 : 0;
        if (auto* group = qobject_cast<QGroupBox*>(control))
            return group->findChild<QButtonGroup*>()->checkedId();
        if (auto* number = qobject_cast<CNumberField*>(control))
            return number->Value().value_or(-1);
        if (auto* key = qobject_cast<CKeyField*>(control))
            return key->Key();
        return qobject_cast<CColorField*>(control)->Color();
    }

    // Gives the control a value as the user would: clicks, typing, keys and the chooser.
    void Choose(QWidget* control, const ControlRow& row) {
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            if (Shown(box, row.inverted) != row.chosen)
                box->click();
        } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
            group->findChild<QButtonGroup*>()->button(static_cast<int>(row.chosen))->click();
        } else if (auto* number = qobject_cast<CNumberField*>(control)) {
            number->selectAll();
            QTest::keyClicks(number, QString::number(row.chosen));
        } else if (auto* key = qobject_cast<CKeyField*>(control)) {
            QTest::keyClick(key, static_cast<Qt::Key>(row.chosen));
        } else {
            prompter_.colors.push_back(
                QColor(RedOf(row.chosen), GreenOf(row.chosen), BlueOf(row.chosen)));
            qobject_cast<CColorField*>(control)->Choose();
        }
    }

    TempDir dir_;
    IniFile ini_{dir_.File("Tessemar.INI")};
    ScriptedPrompter prompter_;
};

TEST_F(DialogsTest, EveryControlShowsItsSettingAndAppliesItBack) {
    AppSettings filled;
    for (const ControlRow& row : Controls())
        row.setting.set(filled, row.filled);
    COptionSheet sheet(filled, ini_);
    QSignalSpy applied(&sheet, &COptionSheet::applied);
    for (const ControlRow& row : Controls())
        EXPECT_EQ(Shown(Control(sheet, row), row.inverted), row.filled) << row.name;
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());

    for (const ControlRow& row : Controls())
        Choose(Control(sheet, row), row);
    sheet.ApplyButton()->click();
    ASSERT_EQ(applied.count(), 1);
    const auto chosen = applied.front().front().value<AppSettings>();
    for (const ControlRow& row : Controls())
        EXPECT_EQ(row.setting.get(chosen), row.chosen) << row.name;
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
}

// The key fields keep plain keys: modifiers held with a key are dropped, alone they count as
// a change without changing the key; Default gives W, S, A, D.
TEST_F(DialogsTest, KeyFieldsStorePlainKeys) {
    CPage5 page;
    page.Fill(AppSettings{});
    QSignalSpy modified(&page, &COptionPage::modified);
    auto* up = page.findChild<CKeyField*>(QStringLiteral("EditKeyUp"));
    QTest::keyClick(up, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(up, Qt::Key_Shift);
    EXPECT_EQ(up->Key(), 'Q');
    EXPECT_EQ(modified.count(), 3);  // Ctrl, Q and Shift
    page.RestoreDefaultKeys();
    AppSettings stored;
    stored.editKeyUp = stored.editKeyDown = stored.editKeyLeft = stored.editKeyRight = 1;
    EXPECT_EQ(page.Store(stored), nullptr);
    EXPECT_EQ(std::vector<int>(
                  {stored.editKeyUp, stored.editKeyDown, stored.editKeyLeft, stored.editKeyRight}),
              std::vector<int>({'W', 'S', 'A', 'D'}));
}

TEST_F(DialogsTest, SizeDialogRefusesWhatIsNoNumberInItsRange) {
    const struct {
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {{"Column", "0", "Please enter an integer between 1 and 250."},
                 {"Column", "abc", "Please enter an integer between 1 and 250."},
                 {"Size", "51", "Please enter an integer between 10 and 50."}};
    for (const auto& c : cases) {
        CSizeDialog dialog({20, 15, 17}, QStringLiteral("Size"));
        dialog.show();
        dialog.findChild<CNumberField*>(QString::fromLatin1(c.field))
            ->SetText(QString::fromLatin1(c.text));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << c.field << " " << c.text;
        ASSERT_FALSE(prompter_.errors.isEmpty());
        EXPECT_EQ(prompter_.errors.takeLast(), QString::fromLatin1(c.message));
    }
}

// The defaults go to the file at once: the size as shown plus the grid line.
TEST_F(DialogsTest, DefaultSizeWritesRowColAndSizeAtOnce) {
    CPage1 page(ini_);
    test::WhenShown<CSizeDialog>([](CSizeDialog& dialog) {
        EXPECT_EQ(dialog.SizeField()->text(), "16");
        dialog.ColumnField()->SetText(QStringLiteral("30"));
        dialog.RowField()->SetText(QStringLiteral("20"));
        dialog.SizeField()->SetText(QStringLiteral("16"));
        dialog.accept();
    });
    page.EditDefaultSize();
    EXPECT_EQ(ini_.GetInt("Default", "Row", 0), 30);
    EXPECT_EQ(ini_.GetInt("Default", "Col", 0), 20);
    EXPECT_EQ(ini_.GetInt("Default", "Size", 0), 17);

    prompter_.fonts = {std::nullopt, FontChoice{QStringLiteral("DejaVu Serif"), 400}};
    page.EditDefaultFont();
    EXPECT_EQ(ini_.GetString("Default", "FaceName", "none"), "none");
    page.EditDefaultFont();
    EXPECT_EQ(ini_.GetString("Default", "FaceName", ""), "DejaVu Serif");
    EXPECT_EQ(ini_.GetInt("Default", "Weight", 0), 400);
}

TEST_F(DialogsTest, ColorDialogMakesShadowsAndRestoresDefaults) {
    ColorTable colors = kDefaultColors;
    colors[1] = MakeColorRef(240, 16, 40);
    ColorTable shadows{};
    CColorSettingsDialog dialog(colors, shadows, kDefaultColors, kDefaultShadowColors,
                                QStringLiteral("Color"));
    dialog.findChild<QPushButton*>(QStringLiteral("autoShadow"))->click();
    EXPECT_EQ(dialog.ShadowColors(), AutoShadow(colors, shadows));

    // A cancelled chooser changes nothing; a chosen colour goes to its place in the tables.
    prompter_.colors = {std::nullopt, QColor(1, 2, 3)};
    dialog.Swatch(1)->Choose();
    EXPECT_EQ(dialog.Colors()[9], kDefaultColors[9]);
    dialog.Swatch(1)->Choose();
    EXPECT_EQ(dialog.Colors()[9], MakeColorRef(1, 2, 3));
    dialog.findChild<QPushButton*>(QStringLiteral("default"))->click();
    EXPECT_EQ(dialog.Colors(), kDefaultColors);
    EXPECT_EQ(dialog.ShadowColors(), kDefaultShadowColors);
}

TEST_F(DialogsTest, AboutAnimationStopsWhenTheBoxCloses) {
    QStringList status;
    CAboutDialog about([&status](const QString& text) { status.push_back(text); });
    about.show();
    EXPECT_TRUE(about.AnimationRunning());
    about.close();
    EXPECT_FALSE(about.AnimationRunning());
}

TEST(AboutLogoAnimationTest, ColourRunsThroughTheChannelsAndBack) {
    LogoColorCycle cycle;
    std::vector<ColorRef> corners;
    for (int tick = 0; tick < 6 * 52; ++tick) {
        cycle.Tick();
        if (tick % 52 == 51)
            corners.push_back(cycle.Color());
    }
    EXPECT_EQ(corners,
              std::vector<ColorRef>({MakeColorRef(255, 0, 0), MakeColorRef(255, 255, 0),
                                     MakeColorRef(255, 255, 255), MakeColorRef(0, 255, 255),
                                     MakeColorRef(0, 0, 255), MakeColorRef(0, 0, 0)}));

    // The shadow moves one pixel a tick, never beyond 8, and comes back to where it started.
    ShadowOrbit orbit;
    int ticks = 0;
    do {
        const int x = orbit.X(), y = orbit.Y();
        orbit.Tick();
        EXPECT_LE(std::max(std::abs(orbit.X() - x), std::abs(orbit.Y() - y)), 1);
        EXPECT_LE(std::max(std::abs(orbit.X()), std::abs(orbit.Y())), ShadowOrbit::kRadius);
    } while (++ticks < 1000 && (orbit.X() != ShadowOrbit::kRadius || orbit.Y() != 0));
    EXPECT_EQ(ticks, 48);
}

}  // namespace
}  // namespace tessemar
