#include "gui/view/CPictureCommands.h"

#include "core/document/CLogicDoc.h"
#include "core/text/StringTable.h"
#include "gui/commands/CommandIds.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/common/WaitCursor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CViewCompanion.h"
#include "gui/view/FragmentClipboard.h"

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

// A command and the value it stands for: a tool, or a transform.
struct IdValue {
    int id;
    int value;
};

constexpr IdValue kTools[] = {
    {cmd::ToolPen, ToolPen},     {cmd::ToolStraightLine, ToolStraightLine}, {cmd::ToolRectangle, ToolRectangle},
    {cmd::ToolPaint, ToolPaint}, {cmd::ToolSelect, ToolSelect},
};

constexpr IdValue kTransforms[] = {
    {cmd::MirrorColor, static_cast<int>(PictureTransform::MirrorColor)},
    {cmd::MirrorHorizontally, static_cast<int>(PictureTransform::MirrorHorizontally)},
    {cmd::MirrorVertically, static_cast<int>(PictureTransform::MirrorVertically)},
    {cmd::TurnLeft90, static_cast<int>(PictureTransform::TurnLeft90)},
    {cmd::TurnRight90, static_cast<int>(PictureTransform::TurnRight90)},
    {cmd::Turn180, static_cast<int>(PictureTransform::Turn180)},
    {cmd::EraseX, static_cast<int>(PictureTransform::EraseXMarks)},
};

constexpr int kOtherCommands[] = {cmd::Cut,       cmd::Copy,   cmd::Paste,       cmd::ClearSelect,   cmd::SetSelect,
                                  cmd::SelectAll, cmd::Opaque, cmd::Transparent, cmd::FormatPicture, cmd::ClearUndoBuffer};

template <std::size_t N>
const IdValue* Find(const IdValue (&table)[N], int id) {
    const auto it = std::find_if(std::begin(table), std::end(table), [id](const IdValue& e) { return e.id == id; });
    return it == std::end(table) ? nullptr : it;
}

}  // namespace

bool CPictureCommands::HandlesCommand(int id) const {
    return Find(kTools, id) != nullptr || Find(kTransforms, id) != nullptr ||
           std::find(std::begin(kOtherCommands), std::end(kOtherCommands), id) != std::end(kOtherCommands);
}

void CPictureCommands::OnCommand(int id) {
    // Nothing changes the picture under a drag in progress, nor while a solver run writes it.
    if (session_.Document().EditInProgress())
        return;
    CLogicDoc& doc = session_.Document();
    const int mode = session_.BackDrawMode();
    if (const IdValue* tool = Find(kTools, id)) {
        session_.ChooseTool(tool->value);
        return;
    }
    if (const IdValue* transform = Find(kTransforms, id)) {
        WaitCursor wait;
        doc.TransformPicture(static_cast<PictureTransform>(transform->value), session_.Tool(), session_.Color(), mode);
        return;
    }
    switch (id) {
        case cmd::Cut:
        case cmd::Copy:
            OnCopy(id == cmd::Cut);
            break;
        case cmd::Paste:
            OnPaste();
            break;
        case cmd::ClearSelect:
            doc.ClearSelection();
            break;
        case cmd::SetSelect:
            doc.CommitFloatingSelection(mode);
            break;
        case cmd::SelectAll:
            EnterSelectTool();
            doc.SelectAll(mode);
            break;
        case cmd::Opaque:
        case cmd::Transparent:
            // Either command switches between the two backgrounds; what floats shows the new one.
            session_.SetBackDrawMode(1 - mode);
            emit companion_.SelectionChanged();
            break;
        case cmd::FormatPicture: {
            // What floats is dropped whatever the answer.
            doc.CommitFloatingSelection(mode);
            if (CurrentPrompter().Confirm(Text(text::IdsFormatPictureQuestion)) != Prompter::Answer::Yes)
                break;
            WaitCursor wait;
            doc.FormatPicture(mode);
            break;
        }
        case cmd::ClearUndoBuffer:
            OnClearUndoBuffer();
            break;
        default:
            break;
    }
}

void CPictureCommands::OnUpdateCommand(int id, CommandState& state) {
    const CLogicDoc& doc = session_.Document();
    const bool selecting = session_.Tool() == ToolSelect;
    state.enabled = !doc.EditInProgress();
    if (const IdValue* tool = Find(kTools, id)) {
        state.checked = session_.Tool() == tool->value;
        return;
    }
    switch (id) {
        case cmd::Paste:
            state.enabled = state.enabled && ClipboardHoldsFragment();
            break;
        case cmd::ClearSelect:
        case cmd::SetSelect:
            state.enabled = state.enabled && doc.CanChangeSelection(session_.Tool());
            break;
        case cmd::Opaque:
        case cmd::Transparent:
            state.enabled = state.enabled && selecting;
            state.checked = session_.BackDrawMode() == (id == cmd::Opaque ? 1 : 0);
            break;
        case cmd::ClearUndoBuffer:
            state.enabled = state.enabled && doc.CanClearUndoBuffer();
            break;
        default:
            break;
    }
}

void CPictureCommands::EnterSelectTool() {
    if (session_.Tool() != ToolSelect)
        session_.ChooseTool(ToolSelect);
}

void CPictureCommands::OnCopy(bool cut) {
    CLogicDoc& doc = session_.Document();
    const int tool = session_.Tool();
    EnterSelectTool();
    // The tool before the switch decides whether what floats is the selection to take.
    const std::string bytes = cut ? doc.EditCut(tool, session_.BackDrawMode()) : doc.EditCopy(tool, session_.BackDrawMode());
    PutFragmentOnClipboard(bytes);
}

void CPictureCommands::OnPaste() {
    const std::optional<std::string> bytes = FragmentFromClipboard();
    if (!bytes)
        return;
    EnterSelectTool();
    session_.Document().EditPaste(*bytes, session_.BackDrawMode());
}

void CPictureCommands::OnClearUndoBuffer() {
    CLogicDoc& doc = session_.Document();
    if (!doc.CanClearUndoBuffer())
        return;
    if (CurrentPrompter().Confirm(Text(text::IdsClearUndoQuestion)) == Prompter::Answer::Yes)
        doc.ClearUndoHistory();
}

}  // namespace tessemar
