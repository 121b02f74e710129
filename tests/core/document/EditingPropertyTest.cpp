// Whatever a user does, undoing everything gives back the first document byte for byte and
// redoing everything the last one.
#include "EditingSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tessemar {
namespace {

using edit_test::SameDocument;
using edit_test::Snapshot;

class RandomEditor {
public:
    RandomEditor(CLogicDoc& doc, unsigned seed) : doc_(doc), random_(seed) {}

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
    int AnyX() { return Pick(-3, doc_.columnCount() + 2); }
    int AnyY() { return Pick(-3, doc_.rowCount() + 2); }
    int AnyCell() { return Pick(-1, 8); }
    int Mode() { return Pick(0, 1); }

    // One user action, finished the way the user would finish it: one edit.
    void Act() {
        DocumentEdit edit(doc_);
        int tool = ToolPen;
        switch (Pick(0, 13)) {
            case 0:
                for (int n = Pick(1, 8); n > 0; --n) doc_.WriteCell(AnyX(), AnyY(), AnyCell());
                break;
            case 1:
                doc_.FillRectangle(AnyX(), AnyY(), AnyX(), AnyY(), AnyCell());
                break;
            case 2:
                doc_.DrawStraightLine(Pick(-40, 40), Pick(-40, 40), Pick(-40, 40), Pick(-40, 40), AnyCell());
                break;
            case 3:
                doc_.PaintFill(AnyX(), AnyY(), Pick(0, 1) ? MouseButton::Left : MouseButton::Right, Pick(1, 8));
                break;
            case 4:
                for (int n = Pick(1, 4); n > 0; --n) {
                    doc_.SetClueNumber(Pick(1, 2), Pick(0, 249), Pick(0, 249), Pick(0, 255), Pick(0, 8));
                }
                break;
            case 5:
                doc_.TransformPicture(AnyTransform(), Pick(0, 1) ? ToolPen : ToolPaint, Pick(1, 8), Mode());
                break;
            case 6:
                tool = ToolSelect;
                if (Pick(0, 1)) doc_.LiftSelection(AnyX(), AnyY(), AnyX(), AnyY(), Mode());
                doc_.TransformPicture(AnyTransform(), tool, Pick(1, 8), Mode());
                Finish(tool);
                break;
            case 7:
                tool = ToolSelect;
                doc_.LiftSelection(AnyX(), AnyY(), AnyX(), AnyY(), Mode());
                Finish(tool);
                break;
            case 8: {
                std::string bytes = {static_cast<char>(Pick(0, 30)), static_cast<char>(Pick(0, 30))};
                const int cells = static_cast<unsigned char>(bytes[0]) * static_cast<unsigned char>(bytes[1]);
                for (int n = cells - Pick(0, 1); n > 0; --n) bytes.push_back(static_cast<char>(Pick(-2, 10)));
                doc_.EditPaste(bytes, Mode());
                Finish(ToolSelect);
                break;
            }
            case 9:
                tool = Pick(0, 1) ? ToolSelect : ToolPen;
                if (tool == ToolSelect) doc_.LiftSelection(AnyX(), AnyY(), AnyX(), AnyY(), Mode());
                doc_.EditCut(tool, Mode());
                break;
            case 10: {
                const int side = Pick(1, 2);
                const int i = Pick(0, doc_.columnCount() - 1);
                const int j = Pick(0, doc_.rowCount() - 1);
                switch (Pick(0, 3)) {
                    case 0: doc_.InsertClueSlot(side, i, j); break;
                    case 1: doc_.DeleteClueSlot(side, i, j); break;
                    case 2: doc_.InsertClueLine(side, i, j); break;
                    default: doc_.DeleteClueLine(side, i, j); break;
                }
                break;
            }
            case 11:
                if (Pick(0, 5) == 0) {
                    doc_.ChangeSize(Pick(0, 1) ? 250 : Pick(1, 20), Pick(0, 1) ? 250 : Pick(1, 20), Pick(11, 51), Mode());
                } else {
                    doc_.ChangeSize(Pick(1, 20), Pick(1, 20), Pick(0, 3) ? 17 : Pick(11, 51), Mode());
                }
                break;
            case 12: doc_.ChangeTitle("title " + std::to_string(Pick(0, 3))); break;
            default:
                switch (Pick(0, 3)) {
                    case 0: doc_.FormatPicture(Mode()); break;
                    case 1: doc_.FormatNumbers(); break;
                    case 2:
                        doc_.SelectAll(Mode());
                        Finish(ToolSelect);
                        break;
                    default:
                        doc_.EditCopy(tool, Mode());
                        Finish(ToolSelect);
                        break;
                }
                break;
        }
        if (abandon_) return;
        edit.Commit();
    }

    // The next action ends half way: its edit is left without a commit.
    void AbandonNext() { abandon_ = true; }
    void CommitNext() { abandon_ = false; }

private:
    PictureTransform AnyTransform() { return static_cast<PictureTransform>(Pick(0, 6)); }

    // A floating fragment is moved about a little and then dropped, cut or cleared.
    void Finish(int tool) {
        for (int n = Pick(0, 2); n > 0; --n) doc_.MoveSelection(Pick(-6, 6), Pick(-6, 6));
        switch (Pick(0, 3)) {
            case 0: doc_.EditCut(tool, Mode()); break;
            case 1: doc_.ClearSelection(); break;
            default: doc_.CommitFloatingSelection(Mode()); break;
        }
    }

    CLogicDoc& doc_;
    std::mt19937 random_;
    bool abandon_ = false;
};

struct HistoryAnnouncements : DocumentObserver {
    int count = 0;
    void OnHistoryChanged() override { ++count; }
};

TEST(EditingPropertyTest, UndoingEverythingGivesBackTheFirstDocument) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        auto doc = edit_test::MakeDoc(12, 9);
        std::mt19937 fill(seed);
        edit_test::FillEverything(*doc, fill);
        RandomEditor editor(*doc, seed);
        HistoryAnnouncements announcements;
        doc->AddObserver(&announcements);

        // states[p + 1] is the document with entries 0..p applied.
        std::vector<Snapshot> states;
        states.emplace_back(*doc);
        for (int step = 0; step < 60; ++step) {
            if (editor.Pick(0, 9) == 0) {
                // Some steps back; the next action must drop what was undone.
                for (int n = editor.Pick(1, 3); n > 0; --n) doc->Undo(editor.Mode());
                ASSERT_TRUE(SameDocument(states[doc->UndoPosition() + 1], *doc));
            }
            const int before = doc->UndoPosition();
            const std::size_t entries = doc->UndoHistory().size();
            if (editor.Pick(0, 7) == 0) {
                editor.AbandonNext();
                editor.Act();
                editor.CommitNext();
                ASSERT_FALSE(doc->HasFloatingSelection());
                ASSERT_FALSE(doc->HasPendingUndo());
                ASSERT_EQ(doc->UndoPosition(), before);
                ASSERT_EQ(doc->UndoHistory().size(), entries);
                ASSERT_TRUE(SameDocument(states[before + 1], *doc)) << "abandoned at step " << step;
                continue;
            }
            announcements.count = 0;
            editor.Act();
            ASSERT_FALSE(doc->HasFloatingSelection());
            ASSERT_FALSE(doc->HasPendingUndo());
            const int after = doc->UndoPosition();
            if (after == before) {
                ASSERT_EQ(announcements.count, 0);
                // No entry: the action must not have changed anything either.
                ASSERT_TRUE(SameDocument(states[after + 1], *doc)) << "step " << step;
                continue;
            }
            ASSERT_EQ(after, before + 1) << "one action, one entry (step " << step << ")";
            ASSERT_EQ(announcements.count, 1) << "step " << step;
            ASSERT_EQ(doc->UndoHistory().size(), static_cast<std::size_t>(after + 1));
            states.erase(states.begin() + after + 1, states.end());
            states.emplace_back(*doc);
        }

        ASSERT_EQ(states.size(), doc->UndoHistory().size() + 1);
        while (doc->UndoPosition() >= 0) {
            ASSERT_TRUE(doc->Undo(editor.Mode()));
            ASSERT_TRUE(SameDocument(states[doc->UndoPosition() + 1], *doc)) << "undo to " << doc->UndoPosition();
        }
        EXPECT_TRUE(SameDocument(states.front(), *doc));
        while (doc->Redo()) {
            ASSERT_TRUE(SameDocument(states[doc->UndoPosition() + 1], *doc)) << "redo to " << doc->UndoPosition();
        }
        EXPECT_TRUE(SameDocument(states.back(), *doc));
        EXPECT_FALSE(doc->HasPendingUndo());
    }
}

}  // namespace
}  // namespace tessemar
