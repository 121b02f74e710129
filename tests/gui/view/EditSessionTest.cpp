#include "gui/view/CEditSession.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"

#include <gtest/gtest.h>

namespace tessemar {
namespace {

using Step = CEditSession::Step;

TEST(EditSessionTest, AStrokeIsOneEntryAndHoldsTheHistoryUntilItEnds) {
    CLogicDoc doc;
    AppSettings settings;
    CEditSession session(doc, settings);
    doc.WriteCell(0, 0, 1);
    session.BeginStroke();
    doc.WriteCell(1, 0, 1);
    doc.WriteCell(2, 0, 1);
    EXPECT_FALSE(session.CanUndo(false));
    EXPECT_EQ(session.Undo(), Step::None);
    session.EndStroke();
    EXPECT_EQ(doc.UndoHistory().size(), 2u);
    EXPECT_EQ(session.Undo(), Step::Document);
    EXPECT_EQ(doc.Cell(1, 0), 0);
    EXPECT_EQ(doc.Cell(0, 0), 1);
}

TEST(EditSessionTest, AnOpenBoxTakesUndoAndRedoInTurnsAndLeavesTheHistoryAlone) {
    CLogicDoc doc;
    AppSettings settings;
    CEditSession session(doc, settings);
    doc.WriteCell(0, 0, 1);
    session.SetBoxOpen(true);
    EXPECT_TRUE(session.CanEditClueLines());
    EXPECT_FALSE(session.CanUndo(true));  // nothing typed yet
    EXPECT_TRUE(session.CanRedo(true));
    EXPECT_FALSE(session.CanRedo(false));  // the box has nothing of its own
    session.SetBoxUndoState(true);
    EXPECT_EQ(session.Undo(), Step::Box);
    EXPECT_EQ(session.Undo(), Step::None);
    EXPECT_EQ(session.Redo(), Step::Box);
    EXPECT_EQ(doc.Cell(0, 0), 1);
    session.SetBoxOpen(true, true);
    EXPECT_FALSE(session.CanEditClueLines());  // the title box has no clue lines
    session.SetBoxOpen(false);
    EXPECT_EQ(session.Undo(), Step::Document);
}

}  // namespace
}  // namespace tessemar
