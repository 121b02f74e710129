#include "gui/view/CNumberCommands.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "core/text/StringTable.h"
#include "gui/commands/CommandIds.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/common/WaitCursor.h"
#include "gui/view/CClueEditor.h"
#include "gui/view/CEditSession.h"
#include "gui/view/CViewCompanion.h"

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

struct Move {
    int id;
    ScreenDirection direction;
};
constexpr Move kMoves[] = {
    {cmd::MoveLeft, ScreenDirection::Left},
    {cmd::MoveUp, ScreenDirection::Up},
    {cmd::MoveRight, ScreenDirection::Right},
    {cmd::MoveDown, ScreenDirection::Down},
};

// The commands that act at the open number box.
constexpr int kBoxCommands[] = {cmd::MoveLeft,        cmd::MoveUp,          cmd::MoveRight,
                                cmd::MoveDown,        cmd::InsertCharacter, cmd::InsertLine,
                                cmd::DeleteCharacter, cmd::DeleteLine};
constexpr int kOtherCommands[] = {cmd::InputFromTop, cmd::InputFromBottom, cmd::FormatNumber,
                                  cmd::Title};

template <std::size_t N>
bool Contains(const int (&ids)[N], int id) {
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

}  // namespace

bool CNumberCommands::HandlesCommand(int id) const {
    return Contains(kBoxCommands, id) || Contains(kOtherCommands, id);
}

void CNumberCommands::OnCommand(int id) {
    CClueEditor* editor = companion_.Editor();
    if (editor == nullptr || session_.Document().EditInProgress())
        return;
    const auto move = std::find_if(std::begin(kMoves), std::end(kMoves),
                                   [id](const Move& m) { return m.id == id; });
    if (move != std::end(kMoves)) {
        if (const auto slot = editor->Slot())
            editor->MoveNumberBox(MoveOnScreen(slot->side, move->direction));
        return;
    }
    switch (id) {
        case cmd::InsertCharacter:
        case cmd::InsertLine:
            editor->InsertAtBox(id == cmd::InsertLine);
            break;
        case cmd::DeleteCharacter:
        case cmd::DeleteLine:
            editor->DeleteAtBox(id == cmd::DeleteLine);
            break;
        case cmd::InputFromTop:
        case cmd::InputFromBottom:
            session_.SetShiftDirection(id == cmd::InputFromTop ? 1 : 0);
            break;
        case cmd::FormatNumber:
            OnFormatNumber();
            break;
        case cmd::Title:
            editor->OpenTitleBox();
            break;
        default:
            break;
    }
}

void CNumberCommands::OnUpdateCommand(int id, CommandState& state) {
    state.enabled = companion_.Editor() != nullptr && !session_.Document().EditInProgress();
    if (Contains(kBoxCommands, id))
        state.enabled = state.enabled && session_.CanEditClueLines();
    else if (id == cmd::InputFromTop || id == cmd::InputFromBottom)
        state.checked = session_.Settings().shiftDirection == (id == cmd::InputFromTop ? 1 : 0);
}

void CNumberCommands::OnFormatNumber() {
    companion_.Editor()->CloseNumberBox();
    if (CurrentPrompter().Confirm(Text(text::IdsFormatNumberQuestion)) != Prompter::Answer::Yes)
        return;
    WaitCursor wait;
    session_.Document().FormatNumbers();
}

}  // namespace tessemar
