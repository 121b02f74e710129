#include "core/document/CLogicDoc.h"
#include "core/formats/PuzzleFiles.h"
#include "core/solver/SolveResult.h"
#include "core/text/StringTable.h"
#include "gui/solver/CSolveController.h"
#include "gui/solver/SolverFakes.h"
#include "support/CommandStates.h"
#include "support/DocumentCounts.h"
#include "support/ModelSetup.h"
#include "support/PictureDocument.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tessemar {
namespace {

using Icon = SolverStatusDisplay::Icon;
using Sound = SolveDialogs::Sound;

// A picture row by row: '.' blank, '1'..'8' a colour.
using Picture = std::vector<std::string>;

// A puzzle document whose clues come from the picture and whose picture is then blank, with
// no undo history and no unsaved change.
std::unique_ptr<CLogicDoc> MakePuzzle(const Picture& picture) {
    auto doc = DocumentFromPicture(picture);
    ChangeModel(*doc, [](PuzzleModel& m) { m = WithoutPicture(m); });
    doc->ClearUndoHistory();
    doc->SetModifiedFlag(false);
    doc->SetTitle("Logic1");
    return doc;
}

// Row 1 asks for three cells of two: the clue check fails before any run.
std::unique_ptr<CLogicDoc> MakeWrongClues() {
    auto doc = MakePuzzle({"11", ".."});
    doc->SetClueNumber(SideRow, 0, 1, 3, 1);
    doc->ClearUndoHistory();
    doc->SetModifiedFlag(false);
    return doc;
}

// Solvable by line logic alone.
const Picture kHeart = {
    ".11.11.", "1111111", "1111111", ".11111.", "..111..", "...1...",
};

// A 250 x 250 puzzle that keeps the solver busy for a long time: the corpus's noise puzzle, or
// random noise of our own when the corpus is not beside the project.
std::unique_ptr<CLogicDoc> MakeLongPuzzle() {
    const std::string path = std::string(TESSEMAR_PUZZLES_DIR) + "/generated/N04-noise-250x250.non";
    if (std::filesystem::exists(path))
        return OpenPuzzleFile(path);
    std::mt19937 random(4711);
    Picture picture(250, std::string(250, '.'));
    for (std::string& row : picture)
        for (char& cell : row)
            cell = (random() % 10 < 7) ? '1' : '.';
    return MakePuzzle(picture);
}

class SolveControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        text::SetLanguage(text::Language::English);
        auto dialogs = std::make_unique<FakeDialogs>(log_);
        dialogs_ = dialogs.get();
        controller_.SetDialogs(std::move(dialogs));
    }

    // The active document; the controller asks for it at each command.
    void Activate(CLogicDoc* doc) { active_ = doc; }

    // Makes doc the active document, kept until the next one or the end of the test.
    CLogicDoc* Open(std::unique_ptr<CLogicDoc> doc) {
        doc_ = std::move(doc);
        Activate(doc_.get());
        return doc_.get();
    }

    bool WaitIdle(int timeoutMs = 120000) {
        return QTest::qWaitFor([this] { return controller_.IsIdle(); }, timeoutMs);
    }

    bool SolveAndWait() {
        controller_.StartSolving(SolveCommandSolve);
        return WaitIdle();
    }

    EventLog log_;
    AppSettings settings_;
    RecordingStatus status_{log_};
    std::unique_ptr<CLogicDoc> doc_;
    CLogicDoc* active_ = nullptr;
    CSolveController controller_{settings_, status_, [this] { return active_; }, nullptr};
    FakeDialogs* dialogs_ = nullptr;
};

TEST_F(SolveControllerTest, SolveWritesTheSolutionAsOneUndoEntryAndReportsIt) {
    CLogicDoc* doc = Open(MakePuzzle(kHeart));
    controller_.OnCommand(cmd::Solve);
    EXPECT_EQ(controller_.SolvingDocument(), doc);
    ASSERT_TRUE(WaitIdle());

    EXPECT_EQ(CountSetCells(*doc), 42);
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_FALSE(doc->HasPendingUndo());
    EXPECT_EQ(controller_.SolvingDocument(), nullptr);

    ASSERT_EQ(dialogs_->reports.size(), 1u);
    const SolveDialogs::Report& report = dialogs_->reports.front();
    EXPECT_EQ(report.captionPrefix, QStringLiteral("Complete - "));
    EXPECT_EQ(report.documentName, QStringLiteral("Logic1"));
    EXPECT_EQ(dialogs_->sounds, std::vector<Sound>{Sound::Information});
    // While the report is open the status bar shows the headline; afterwards it is clear.
    const int reportAt = log_.IndexOf(QStringLiteral("report"));
    ASSERT_GT(reportAt, 0);
    EXPECT_TRUE(log_.events[reportAt - 1].startsWith(QStringLiteral("message:Complete  Time: ")));
    EXPECT_EQ(status_.messages.back(), QString());
    EXPECT_EQ(status_.icons.back(), Icon::Application);
    EXPECT_FALSE(status_.animating);
    EXPECT_EQ(log_.events.count(QStringLiteral("hide-progress")), 1);
}

// A Hint makes one step: it writes what it found as one undo entry and shows nothing.
TEST_F(SolveControllerTest, HintWritesItsStepWithoutReport) {
    CLogicDoc* doc = Open(MakePuzzle(kHeart));
    controller_.OnCommand(cmd::Hint);
    ASSERT_TRUE(WaitIdle());
    EXPECT_GT(CountSetCells(*doc), 0);
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_TRUE(dialogs_->reports.empty());
    EXPECT_TRUE(dialogs_->sounds.empty());
    EXPECT_EQ(status_.messages.back(), QString());
}

TEST_F(SolveControllerTest, CommandsFollowTheRunState) {
    // Hint and Calculate number share Solve's state.
    struct Expect {
        bool solve, breakRun, withholds;
    };
    const auto check = [this](const Expect& e, const char* when) {
        EXPECT_EQ(StateOf(controller_, cmd::Solve).enabled, e.solve) << when;
        EXPECT_EQ(StateOf(controller_, cmd::Break).enabled, e.breakRun) << when;
        // While a run writes into the active document, Undo and Redo are held back from the
        // view, and options, print zoom and (cells being painted) print preview wait too.
        for (int id : {cmd::Undo, cmd::Redo, cmd::Options, cmd::PrintZoom, cmd::FilePrintPreview}) {
            EXPECT_EQ(controller_.HandlesCommand(id), e.withholds) << when << " " << id;
            if (e.withholds) {
                EXPECT_FALSE(StateOf(controller_, id).enabled) << when << " " << id;
            }
        }
    };
    check({false, false, false}, "no document");
    Open(MakeLongPuzzle());
    check({true, false, false}, "idle");

    settings_.updateView = 1;
    controller_.OnCommand(cmd::Solve);
    check({false, true, true}, "running");

    // After Break the stopping run still owns the application until its end is handled.
    EXPECT_TRUE(controller_.OnEscapeKey());
    check({false, false, true}, "stopping");
    controller_.OnCommand(cmd::Solve);
    EXPECT_FALSE(controller_.OnEscapeKey());
    ASSERT_TRUE(WaitIdle());
    check({true, false, false}, "idle again");
}

// Break during a long solve: the stopped report, and the cells found so far are in the document
// as one undo entry.
TEST_F(SolveControllerTest, BreakKeepsTheCellsFoundSoFar) {
    CLogicDoc* doc = Open(MakeLongPuzzle());
    settings_.updateView = 1;
    controller_.StartSolving(SolveCommandSolve);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status_.lastProgressText.isEmpty(); }, 60000));
    EXPECT_TRUE(controller_.Break());
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(status_.lastProgressText.contains(QStringLiteral(" / 62500  ")));

    ASSERT_EQ(dialogs_->reports.size(), 1u);
    EXPECT_EQ(dialogs_->reports.front().icon, Icon::Stopped);
    EXPECT_EQ(dialogs_->sounds, std::vector<Sound>{Sound::Default});
    EXPECT_NE(std::find(status_.icons.begin(), status_.icons.end(), Icon::Stopped),
              status_.icons.end());
    EXPECT_GT(CountSetCells(*doc), 0);
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
}

// Clues that fail the check ask first: No leaves everything as it was, Yes solves anyway and
// shows the contradiction the run meets.
TEST_F(SolveControllerTest, TheAnswerToTheClueQuestionDecidesWhetherToSolve) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        dialogs_->questions.clear();
        status_.messages.clear();
        CLogicDoc* doc = Open(MakeWrongClues());
        dialogs_->answerYes = yes;
        controller_.StartSolving(SolveCommandSolve);
        EXPECT_EQ(dialogs_->questions.size(), 1);
        EXPECT_EQ(status_.messages.front(), QStringLiteral("ERROR"));
        ASSERT_TRUE(WaitIdle());
        EXPECT_EQ(dialogs_->contradictions.size(), yes ? 1 : 0);
        EXPECT_EQ(doc->IsModified(), yes);
        EXPECT_EQ(status_.messages.back(), QString());
    }
}

// The question runs an event loop in which the document's window may close.
TEST_F(SolveControllerTest, DocumentClosedDuringTheQuestionIsNotSolved) {
    Open(MakeWrongClues());
    dialogs_->onQuestion = [&] {
        controller_.OnDocumentClosing(*doc_);
        Activate(nullptr);
        doc_.reset();
    };
    controller_.StartSolving(SolveCommandSolve);
    EXPECT_TRUE(controller_.IsIdle());
    EXPECT_EQ(log_.IndexOf(QStringLiteral("show-progress")), -1);
    EXPECT_EQ(status_.messages.back(), QString());
}

// The application may end while a solve runs: the controller stops and waits for its worker.
TEST_F(SolveControllerTest, DestroyingTheControllerDuringASolve) {
    auto doc = MakeLongPuzzle();
    settings_.updateView = 1;
    {
        CSolveController local(
            settings_, status_, [&doc] { return doc.get(); }, nullptr);
        local.SetDialogs(std::make_unique<FakeDialogs>(log_));
        local.StartSolving(SolveCommandSolve);
        ASSERT_TRUE(QTest::qWaitFor([&] { return CountSetCells(*doc) > 0; }, 60000));
    }
    const int cells = CountSetCells(*doc);
    QTest::qWait(20);
    EXPECT_EQ(CountSetCells(*doc), cells);
    EXPECT_EQ(log_.IndexOf(QStringLiteral("report")), -1);
}

// What the end of a run shows under each ResultMode; only mode 0 shows the report of a
// complete run (the first test).
TEST_F(SolveControllerTest, ResultModeDecidesWhatIsShown) {
    struct Case {
        int resultMode;
        bool contradiction;
        int messages;
        std::vector<Sound> sounds;
    };
    const Case cases[] = {
        {1, false, 0, {Sound::Information}},
        {0, true, 1, {}},
        {2, true, 0, {Sound::Stop}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.resultMode << " contradiction " << c.contradiction);
        dialogs_->contradictions.clear();
        dialogs_->sounds.clear();
        status_.messages.clear();
        settings_.resultMode = c.resultMode;
        // The same clue totals, but the columns cannot hold what the rows need.
        CLogicDoc* doc = Open(c.contradiction ? MakePuzzle({"11", ".."}) : MakePuzzle(kHeart));
        if (c.contradiction) {
            doc->SetClueNumber(SideColumn, 0, 0, 2, 1);
            doc->SetClueNumber(SideColumn, 1, 0, 0, 1);
            doc->ClearUndoHistory();
        }
        ASSERT_TRUE(SolveAndWait());
        EXPECT_TRUE(dialogs_->reports.empty());
        EXPECT_EQ(dialogs_->contradictions.size(), c.messages);
        EXPECT_EQ(dialogs_->sounds, c.sounds);
        const QString contradicted = QStringLiteral("Stop calculating:Contradiction        ");
        EXPECT_EQ(status_.messages.front() == contradicted, c.contradiction);
        EXPECT_EQ(status_.messages.back(), QString());
        EXPECT_TRUE(doc->IsModified());
    }
}

// A new Solve right after a run (even one started from inside the report of the last) works
// on a fresh run object. Finding every cell already right, it rewrites none and leaves no undo
// entry, but still marks the document modified.
TEST_F(SolveControllerTest, SecondSolveRightAfterOne) {
    CLogicDoc* doc = Open(MakePuzzle(kHeart));
    bool refusedInsideReport = false;
    dialogs_->onReport = [&] {
        const auto starts = log_.events.count(QStringLiteral("show-progress"));
        controller_.StartSolving(SolveCommandSolve);
        refusedInsideReport = log_.events.count(QStringLiteral("show-progress")) == starts;
        dialogs_->onReport = nullptr;
    };
    ASSERT_TRUE(SolveAndWait());
    EXPECT_TRUE(refusedInsideReport);
    doc->ClearUndoHistory();
    doc->SetModifiedFlag(false);
    CellLogger cells(*doc, log_);

    ASSERT_TRUE(SolveAndWait());
    EXPECT_EQ(dialogs_->reports.size(), 2u);
    EXPECT_TRUE(doc->UndoHistory().empty());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(log_.events.filter(QStringLiteral("cell:")).size(), 0);
}

// Closing the document's window during its solve stops and waits for the worker; nothing the
// run sent afterwards reaches the destroyed document.
TEST_F(SolveControllerTest, ClosingTheDocumentDuringItsSolve) {
    CLogicDoc* doc = Open(MakeLongPuzzle());
    settings_.updateView = 1;
    controller_.StartSolving(SolveCommandSolve);
    ASSERT_TRUE(QTest::qWaitFor([&] { return CountSetCells(*doc) > 0; }, 60000));

    controller_.OnDocumentClosing(*doc);
    Activate(nullptr);
    doc_.reset();
    EXPECT_TRUE(controller_.IsIdle());
    EXPECT_EQ(controller_.SolvingDocument(), nullptr);
    EXPECT_FALSE(status_.animating);
    EXPECT_EQ(status_.messages.back(), QString());
    EXPECT_EQ(status_.icons.back(), Icon::Application);
    EXPECT_EQ(log_.events.count(QStringLiteral("hide-progress")), 1);
    QTest::qWait(50);
    EXPECT_TRUE(dialogs_->reports.empty());

    // The next document solves as usual.
    CLogicDoc* next = Open(MakePuzzle(kHeart));
    ASSERT_TRUE(SolveAndWait());
    EXPECT_EQ(CountSetCells(*next), 42);
}

// With UpdateView on, coloured cells reach the document (and so the panes) while the run
// works, and X marks arrive only with the result; with it off, nothing arrives before the end.
TEST_F(SolveControllerTest, UpdateViewPaintsCellsWhileSolving) {
    for (int updateView : {0, 1}) {
        SCOPED_TRACE(updateView);
        log_.events.clear();
        settings_.updateView = updateView;
        Picture picture(20, std::string(20, '.'));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                picture[y][x] = x < 15 && y < 15 ? static_cast<char>('1' + y % 3) : '.';
        CLogicDoc* doc = Open(MakePuzzle(picture));
        CellLogger cells(*doc, log_);
        ASSERT_TRUE(SolveAndWait());

        const int end = log_.IndexOf(QStringLiteral("hide-progress"));
        ASSERT_GE(end, 0);
        const QStringList during = log_.events.mid(0, end);
        const int cellsDuring = static_cast<int>(during.filter(QStringLiteral("cell:")).size());
        if (updateView == 0) {
            EXPECT_EQ(cellsDuring, 0);
        } else {
            EXPECT_GT(cellsDuring, 0);
            EXPECT_FALSE(during.contains(QStringLiteral("cell:-1")));
        }
        EXPECT_EQ(doc->UndoHistory().size(), 1u);
        doc->Undo(settings_.backDrawMode);
        EXPECT_EQ(CountSetCells(*doc), 0);
    }
}

TEST_F(SolveControllerTest, CalculateNumberIsOneUndoStep) {
    CLogicDoc* doc = Open(MakePuzzle({"11.", "..1"}));
    LoadCell(*doc, 0, 1, 2);
    controller_.OnCommand(cmd::CalculateNumber);
    EXPECT_EQ(doc->UndoHistory().size(), 1u);
    EXPECT_EQ(doc->Model().rowClueColors[0][1], 2);
}

}  // namespace
}  // namespace tessemar
