#include "gui/view/CDocumentOptionCommands.h"

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "core/text/StringTable.h"
#include "gui/commands/CommandIds.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/common/WaitCursor.h"
#include "gui/dialogs/CColorSettingsDialog.h"
#include "gui/dialogs/CSizeDialog.h"
#include "gui/view/CEditSession.h"

#include <QApplication>

namespace tessemar {

bool CDocumentOptionCommands::HandlesCommand(int id) const {
    return id == cmd::SizeSettings || id == cmd::ColorSettings || id == cmd::ColorSetting ||
           id == cmd::Font;
}

void CDocumentOptionCommands::OnCommand(int id) {
    // Nothing changes the puzzle under a drag in progress, nor while a solver run writes it.
    if (session_.Document().EditInProgress())
        return;
    switch (id) {
        case cmd::SizeSettings:
            ChangeSize();
            break;
        case cmd::ColorSettings:
        case cmd::ColorSetting:
            EditColors();
            break;
        case cmd::Font:
            ChangeFont();
            break;
        default:
            break;
    }
}

void CDocumentOptionCommands::OnUpdateCommand(int, CommandState& state) {
    state.enabled = !session_.Document().EditInProgress();
}

void CDocumentOptionCommands::ChangeSize() {
    CLogicDoc& doc = session_.Document();
    doc.CommitFloatingSelection(session_.BackDrawMode());
    CSizeDialog dialog({doc.columnCount(), doc.rowCount(), doc.cellSize()},
                       Text(text::IdsSizeTitle), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SizeValues& size = dialog.Values();
    // A new size lays the whole window out again, which takes a moment on a large puzzle.
    WaitCursor wait;
    doc.ChangeSize(size.columns, size.rows, size.cellSize, session_.BackDrawMode());
}

void CDocumentOptionCommands::EditColors() {
    CLogicDoc& doc = session_.Document();
    doc.CommitFloatingSelection(session_.BackDrawMode());
    ColorTable defaultColors;
    ColorTable defaultShadows;
    ReadDefaultColors(ini_, defaultColors, defaultShadows);
    const PuzzleModel& model = doc.Model();
    CColorSettingsDialog dialog(model.colors, model.shadowColors, defaultColors, defaultShadows,
                                Text(text::IdsColorSettingTitle), QApplication::activeWindow());
    if (dialog.exec() == QDialog::Accepted)
        doc.SetColorTables(dialog.Colors(), dialog.ShadowColors());
}

void CDocumentOptionCommands::ChangeFont() {
    CLogicDoc& doc = session_.Document();
    doc.CommitFloatingSelection(session_.BackDrawMode());
    const PuzzleModel& model = doc.Model();
    FontChoice font{QString::fromStdString(model.fontFaceName), model.fontWeight};
    if (!CurrentPrompter().PromptForFont(font))
        return;
    WaitCursor wait;
    doc.SetNumberFont(font.faceName.toStdString(), font.weight);
}

}  // namespace tessemar
