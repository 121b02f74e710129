#include "core/document/CLogicDoc.h"
#include "core/solver/ClueNumbers.h"
#include "core/text/StringTable.h"
#include "gui/solver/CCheckController.h"
#include "gui/solver/CSolveController.h"
#include "gui/solver/SolverFakes.h"
#include "gui/view/CViewCompanion.h"
#include "support/CommandStates.h"
#include "support/PictureDocument.h"

#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace tessemar {
namespace {

using Choice = CheckDialogs::Choice;

class FakeCheckDialogs : public CheckDialogs {
  public:
    Choice ShowCheckReport(const QString& /*caption*/, const QString& text, bool offer) override {
        texts << text;
        offered.push_back(offer);
        return answer;
    }
    Choice answer = Choice::Close;
    QStringList texts;
    std::vector<bool> offered;
};

class CheckControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        text::SetLanguage(text::Language::English);
        auto dialogs = std::make_unique<FakeCheckDialogs>();
        dialogs_ = dialogs.get();
        checker_.SetDialogs(std::move(dialogs));
    }

    // The clues of the picture with the picture blank and no history; it lives as long as the
    // test, longer than the window state that watches it.
    CLogicDoc* Puzzle(const std::vector<std::string>& rows) {
        docs_.push_back(DocumentFromPicture(rows));
        CLogicDoc* doc = docs_.back().get();
        ChangeModel(*doc, [](PuzzleModel& m) { m = WithoutPicture(m); });
        doc->ClearUndoHistory();
        return doc;
    }

    void Check(CLogicDoc& doc) {
        active_ = &doc;
        companion_ = std::make_unique<CViewCompanion>(doc);
        checker_.OnCommand(cmd::CheckUniqueness);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !checker_.IsRunning(); }, 120000));
    }

    std::vector<std::unique_ptr<CLogicDoc>> docs_;
    EventLog log_;
    AppSettings settings_;
    RecordingStatus status_{log_};
    CLogicDoc* active_ = nullptr;
    std::unique_ptr<CViewCompanion> companion_;
    CSolveController solver_{settings_, status_, [this] { return active_; }, nullptr};
    CCheckController checker_{solver_, status_, [this] { return active_; },
                              [this](CLogicDoc&) { return companion_.get(); }, nullptr};
    FakeCheckDialogs* dialogs_ = nullptr;
};

// The diagonal in rows 2 and 3 can swap.
const std::vector<std::string> kSwappable = {"11111", ".....", ".1...", "..1.."};

// Several solutions: the differing cells are marked until an edit, a Break or the writing of
// the solution the user chose, which is one undo entry.
TEST_F(CheckControllerTest, SeveralMarksTheDifferencesUntilAnEditABreakOrAWrittenSolution) {
    auto doc = Puzzle(kSwappable);
    Check(*doc);
    ASSERT_EQ(dialogs_->texts.size(), 1);
    EXPECT_TRUE(dialogs_->texts[0].startsWith(QStringLiteral("Several solutions: two of them differ in 4 cells")));
    EXPECT_TRUE(dialogs_->offered[0]);
    EXPECT_TRUE(status_.messages.back().startsWith(QStringLiteral("Several solutions")));
    const std::vector<CellPoint> expected = {{1, 2}, {1, 3}, {2, 2}, {2, 3}};
    EXPECT_EQ(companion_->MarkedCells(), expected);
    EXPECT_EQ(doc->UndoHistory().size(), 0u);

    // Escape is Break's key: with marks shown it takes them away.
    ASSERT_TRUE(checker_.HandlesCommand(cmd::Break));
    checker_.OnCommand(cmd::Break);
    EXPECT_TRUE(companion_->MarkedCells().empty());
    EXPECT_FALSE(checker_.HandlesCommand(cmd::Break));

    Check(*doc);
    EXPECT_FALSE(companion_->MarkedCells().empty());
    doc->WriteCell(4, 3, 1);
    EXPECT_TRUE(companion_->MarkedCells().empty());

    doc->ClearUndoHistory();
    dialogs_->answer = Choice::WriteSecond;
    Check(*doc);
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_TRUE(companion_->MarkedCells().empty());
    // The written grid is a solution: seven coloured cells; the cell painted by hand is blank.
    int filled = 0;
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 4; ++y)
            filled += doc->Cell(x, y) == 1 ? 1 : 0;
    EXPECT_EQ(filled, 7);
    EXPECT_EQ(doc->Cell(4, 3), -1);
}

TEST_F(CheckControllerTest, UniqueAndNoSolutionOfferNothing) {
    auto unique = Puzzle({"11.", "1..", "..."});
    auto none = Puzzle({"11.", "1..", "..."});
    // A number the window still holds goes into the clues before the check copies them.
    solver_.SetFinishEditing([none](CLogicDoc& doc) {
        if (&doc == none)
            doc.SetClueNumber(SideRow, 0, 0, 3, 1);
    });
    for (CLogicDoc* doc : {unique, none})
        Check(*doc);
    ASSERT_EQ(dialogs_->texts.size(), 2);
    EXPECT_TRUE(dialogs_->texts[0].startsWith(QStringLiteral("Unique")));
    EXPECT_TRUE(dialogs_->texts[1].startsWith(QStringLiteral("No solution")));
    EXPECT_EQ(dialogs_->offered, (std::vector<bool>{false, false}));
    EXPECT_TRUE(companion_->MarkedCells().empty());
}

TEST_F(CheckControllerTest, BreakStopsARunningCheckWhichHoldsTheSolverBack) {
    std::mt19937 random(18);
    std::vector<std::string> noise(120, std::string(120, '.'));
    for (auto& row : noise)
        for (char& cell : row)
            cell = random() % 2 ? '1' : '.';
    auto doc = Puzzle(noise);
    active_ = doc;
    companion_ = std::make_unique<CViewCompanion>(*doc);
    checker_.StartCheck();
    ASSERT_TRUE(checker_.IsRunning());
    EXPECT_FALSE(StateOf(checker_, cmd::Solve).enabled);
    EXPECT_FALSE(StateOf(checker_, cmd::CheckUniqueness).enabled);
    EXPECT_TRUE(checker_.HandlesCommand(cmd::Solve));
    checker_.OnCommand(cmd::Break);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !checker_.IsRunning(); }, 60000));
    ASSERT_EQ(dialogs_->texts.size(), 1);
    EXPECT_TRUE(dialogs_->texts[0].startsWith(QStringLiteral("Undecided: stopped by the user")));
    EXPECT_FALSE(status_.animating);
    EXPECT_FALSE(checker_.HandlesCommand(cmd::Solve));
    EXPECT_TRUE(StateOf(checker_, cmd::CheckUniqueness).enabled);
}

TEST_F(CheckControllerTest, SolveThatLeavesCellsOpenSuggestsTheCheck) {
    auto doc = Puzzle(kSwappable);
    solver_.SetDialogs(std::make_unique<FakeDialogs>(log_));
    active_ = doc;
    solver_.StartSolving(SolveCommandSolve);
    ASSERT_TRUE(QTest::qWaitFor([this] { return solver_.IsIdle(); }, 60000));
    EXPECT_EQ(status_.messages.back().toStdString(),
              std::string(text::LoadString(text::IdsCheckSuggestion)));
}

}  // namespace
}  // namespace tessemar
