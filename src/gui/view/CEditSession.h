#pragma once

#include "core/document/DocumentEdit.h"
#include "gui/view/PictureTools.h"

#include <optional>

namespace tessemar {

class CLogicDoc;
struct AppSettings;

// What one document window edits with besides its document: the application's tool, drawing
// colour and selection background, a mouse stroke in progress, and the in-place box (a clue
// number or the title) with its own undo step. The window's tools and commands reach the
// document and the application only through here.
class CEditSession {
  public:
    CEditSession(CLogicDoc& document, AppSettings& settings);
    // A stroke still going when the window closes keeps what it drew.
    ~CEditSession() { EndStroke(); }
    CEditSession(const CEditSession&) = delete;
    CEditSession& operator=(const CEditSession&) = delete;

    CLogicDoc& Document() const { return document_; }
    CPictureTools& Tools() { return tools_; }
    int Tool() const;
    // A new tool starts with nothing floating: what floats is dropped first.
    void ChooseTool(int tool);
    int Color() const;
    int BackDrawMode() const;
    void SetBackDrawMode(int mode);
    // The settings of typing clues: ShiftDirection and the keys that move the number box.
    const AppSettings& Settings() const { return settings_; }
    void SetShiftDirection(int direction);

    // One press and release of a mouse button is one edit; until it ends the history stays
    // where it is.
    void BeginStroke();
    void EndStroke();

    // The in-place box. While it is open, Undo and Redo take its own last change back and
    // forth (undoState: the next Undo goes to the box) and leave the document alone.
    void SetBoxOpen(bool open, bool isTitle = false);
    void SetBoxUndoState(bool state) { boxUndoState_ = state; }
    // The clue slot and line commands act at an open clue-number box.
    bool CanEditClueLines() const { return boxOpen_ && !boxIsTitle_; }

    // boxCanUndo: the open box has a change of its own to take back.
    bool CanUndo(bool boxCanUndo) const;
    bool CanRedo(bool boxCanUndo) const;
    enum class Step { None, Box, Document };
    Step Undo();
    Step Redo();

  private:
    CLogicDoc& document_;
    AppSettings& settings_;
    std::optional<DocumentEdit> stroke_;
    CPictureTools tools_{*this};
    bool boxOpen_ = false;
    bool boxIsTitle_ = false;
    bool boxUndoState_ = false;
};

}  // namespace tessemar
