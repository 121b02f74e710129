#include "gui/commands/CommandDefs.h"

#include "core/text/StringTable.h"

#include <algorithm>
#include <iterator>

namespace tessemar {
namespace {

using namespace cmd;

// The commands the program offers now. A command whose feature is still missing stays out of
// this list; its menu items and buttons are not shown at all.
// clang-format off
constexpr int kAvailable[] = {
    FileNew, FileOpen, FileClose, FileSave, FileSaveAs, ClearRecentFile, AppExit, PageSetup, Property,
    SaveBitmap, SavePreview, FilePrint, FilePrintPreview,
    Undo, Redo, ShowPreview, Solve, Hint, Break, CalculateNumber, CheckUniqueness,
    ToolPen, ToolStraightLine, ToolRectangle, ToolPaint, ToolSelect,
    Cut, Copy, Paste, ClearSelect, SetSelect, SelectAll, Opaque, Transparent, ClearUndoBuffer,
    MirrorColor, MirrorHorizontally, MirrorVertically, TurnLeft90, TurnRight90, Turn180, EraseX,
    FormatPicture,
    ViewStandardBar, ViewToolBar, ViewImageBar, ViewNumberBar, ViewOptionBar, ViewCommandBar,
    ViewColorBar, FullColorBar, SimpleColorBar,
    FirstColor + 0, FirstColor + 1, FirstColor + 2, FirstColor + 3,
    FirstColor + 4, FirstColor + 5, FirstColor + 6, FirstColor + 7, ChooseColor,
    WindowCascade, WindowTile, Help,
    SizeSettings, ColorSettings, ColorSetting, Font, Options, PrintZoom, ChangeWallpaper, About,
    FirstOptionPage + 0, FirstOptionPage + 1, FirstOptionPage + 2,
    FirstOptionPage + 3, FirstOptionPage + 4, FirstOptionPage + 5,
    MoveLeft, MoveUp, MoveRight, MoveDown, InsertCharacter, InsertLine, DeleteCharacter, DeleteLine,
    InputFromTop, InputFromBottom, FormatNumber, Title,
};
// clang-format on

// The radio groups of alternatives.
enum : int { RadioNone = 0, RadioColorBar, RadioTool, RadioColor, RadioBackground, RadioDirection };

QKeySequence Key(QKeyCombination combination) {
    return QKeySequence(combination);
}

std::vector<CommandDef> MakeDefs() {
    const auto ctrl = [](Qt::Key key) { return Key(Qt::CTRL | key); };
    const auto alt = [](Qt::Key key) { return Key(Qt::ALT | key); };
    const auto ctrlAlt = [](Qt::Key key) { return Key(Qt::CTRL | Qt::ALT | key); };
    const auto shift = [](Qt::Key key) { return Key(Qt::SHIFT | key); };
    const auto plain = [](Qt::Key key) { return Key(QKeyCombination(key)); };

    std::vector<CommandDef> defs = {
        // File
        {FileNew, text::IdsMenuFileNew, {ctrl(Qt::Key_N)}, false, "file-new"},
        {FileOpen, text::IdsMenuFileOpen, {ctrl(Qt::Key_O)}, false, "file-open"},
        {FileClose, text::IdsMenuFileClose, {}},
        {FileSave, text::IdsMenuFileSave, {ctrl(Qt::Key_S)}, false, "file-save"},
        {FileSaveAs, text::IdsMenuFileSaveAs, {}},
        {SaveBitmap, text::IdsMenuSaveBitmap, {}, false, "save-bitmap"},
        {SavePreview, text::IdsMenuSavePreview, {}, false, "save-preview"},
        {FilePrint, text::IdsMenuFilePrint, {ctrl(Qt::Key_P)}, false, "file-print"},
        {FilePrintPreview, text::IdsMenuFilePrintPreview, {}, false, "file-print-preview"},
        {PageSetup, text::IdsMenuPageSetup, {}, false, "page-setup"},
        {PrintZoom, text::IdsMenuPrintZoom, {}},
        {Property, text::IdsMenuProperty, {}, false, "document-properties"},
        {ClearRecentFile, text::IdsMenuClearRecentFile, {}},
        {AppExit, text::IdsMenuAppExit, {}},
        // Edit
        {Undo, text::IdsMenuUndo, {ctrl(Qt::Key_Z), alt(Qt::Key_Backspace)}, false, "edit-undo"},
        {Redo, text::IdsMenuRedo, {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, false, "edit-redo"},
        {ClearUndoBuffer, text::IdsMenuClearUndoBuffer, {}},
        {Cut, text::IdsMenuCut, {ctrl(Qt::Key_X), shift(Qt::Key_Delete)}, false, "edit-cut"},
        {Copy, text::IdsMenuCopy, {ctrl(Qt::Key_C), ctrl(Qt::Key_Insert)}, false, "edit-copy"},
        {Paste, text::IdsMenuPaste, {ctrl(Qt::Key_V), shift(Qt::Key_Insert)}, false, "edit-paste"},
        {ClearSelect, text::IdsMenuClearSelect, {plain(Qt::Key_Delete)}},
        // Ctrl with either Enter key of the keyboard.
        {SetSelect, text::IdsMenuSetSelect, {ctrl(Qt::Key_Return), ctrl(Qt::Key_Enter)}},
        {SelectAll, text::IdsMenuSelectAll, {ctrl(Qt::Key_A)}},
        {Opaque, text::IdsMenuOpaque, {}, false, "option-opaque", RadioBackground},
        {Transparent, text::IdsMenuTransparent, {}, false, "option-transparent", RadioBackground},
        // View
        {ViewStandardBar, text::IdsMenuViewStandardBar, {}, true},
        {ViewToolBar, text::IdsMenuViewToolBar, {}, true},
        {ViewImageBar, text::IdsMenuViewImageBar, {}, true},
        {ViewNumberBar, text::IdsMenuViewNumberBar, {}, true},
        {ViewOptionBar, text::IdsMenuViewOptionBar, {}, true},
        {ViewCommandBar, text::IdsMenuViewCommandBar, {}, true},
        {ViewColorBar, text::IdsMenuViewColorBar, {}, true},
        {FullColorBar, text::IdsMenuFullColorBar, {}, false, nullptr, RadioColorBar},
        {SimpleColorBar, text::IdsMenuSimpleColorBar, {}, false, nullptr, RadioColorBar},
        {ShowPreview, text::IdsMenuShowPreview, {}, true, "show-preview"},
        // Tool
        {ToolPen, text::IdsMenuToolPen, {ctrl(Qt::Key_1)}, false, "tool-pen", RadioTool},
        {ToolStraightLine,
         text::IdsMenuToolStraightLine,
         {ctrl(Qt::Key_2)},
         false,
         "tool-line",
         RadioTool},
        {ToolRectangle,
         text::IdsMenuToolRectangle,
         {ctrl(Qt::Key_3)},
         false,
         "tool-rectangle",
         RadioTool},
        {ToolPaint, text::IdsMenuToolPaint, {ctrl(Qt::Key_4)}, false, "tool-fill", RadioTool},
        {ToolSelect, text::IdsMenuToolSelect, {ctrl(Qt::Key_5)}, false, "tool-select", RadioTool},
        // Color
        {ChooseColor, text::IdsMenuChooseColor, {}, false, "colour-choose"},
        {ColorSetting, text::IdsMenuColorSetting, {}, false, "colour-setting"},
        {ColorSettings, text::IdsMenuColorSettings, {}, false, "option-colours"},
        // Image
        {MirrorColor, text::IdsMenuMirrorColor, {ctrl(Qt::Key_B)}, false, "image-mirror-colour"},
        {MirrorHorizontally,
         text::IdsMenuMirrorHorizontally,
         {ctrl(Qt::Key_H)},
         false,
         "image-flip-horizontal"},
        {MirrorVertically,
         text::IdsMenuMirrorVertically,
         {ctrl(Qt::Key_G)},
         false,
         "image-flip-vertical"},
        {TurnLeft90, text::IdsMenuTurnLeft90, {plain(Qt::Key_Less)}, false, "image-rotate-left"},
        {TurnRight90,
         text::IdsMenuTurnRight90,
         {plain(Qt::Key_Greater)},
         false,
         "image-rotate-right"},
        {Turn180, text::IdsMenuTurn180, {plain(Qt::Key_Slash)}, false, "image-rotate-180"},
        {EraseX, text::IdsMenuEraseX, {}},
        {FormatPicture,
         text::IdsMenuFormatPicture,
         {ctrl(Qt::Key_Delete)},
         false,
         "format-picture"},
        {FormatNumber, text::IdsMenuFormatNumber, {alt(Qt::Key_Delete)}, false, "format-numbers"},
        // Number
        {MoveLeft, text::IdsMenuMoveLeft, {}, false, "number-left"},
        {MoveUp, text::IdsMenuMoveUp, {}, false, "number-up"},
        {MoveRight, text::IdsMenuMoveRight, {}, false, "number-right"},
        {MoveDown, text::IdsMenuMoveDown, {}, false, "number-down"},
        {InsertCharacter, text::IdsMenuInsertCharacter, {}, false, "number-insert-character"},
        {InsertLine, text::IdsMenuInsertLine, {}, false, "number-insert-line"},
        {DeleteCharacter, text::IdsMenuDeleteCharacter, {}, false, "number-delete-character"},
        {DeleteLine, text::IdsMenuDeleteLine, {}, false, "number-delete-line"},
        {InputFromTop, text::IdsMenuInputFromTop, {}, false, nullptr, RadioDirection},
        {InputFromBottom, text::IdsMenuInputFromBottom, {}, false, nullptr, RadioDirection},
        // Command
        {Solve, text::IdsMenuSolve, {ctrlAlt(Qt::Key_S)}, false, "solve"},
        {Hint, text::IdsMenuHint, {ctrlAlt(Qt::Key_H)}, false, "solve-hint"},
        // The Break key is Pause with Ctrl held. Escape stops a running solve too; the action is
        // disabled while none runs, so Escape then reaches the widgets as usual.
        {Break,
         text::IdsMenuBreak,
         {ctrl(Qt::Key_Pause), ctrl(Qt::Key_Cancel), plain(Qt::Key_Escape)},
         false,
         "solve-break"},
        {CalculateNumber,
         text::IdsMenuCalculateNumber,
         {ctrlAlt(Qt::Key_N)},
         false,
         "calculate-numbers"},
        {CheckUniqueness,
         text::IdsMenuCheckUniqueness,
         {ctrlAlt(Qt::Key_U)},
         false,
         "check-uniqueness"},
        // Option
        {Title, text::IdsMenuTitle, {plain(Qt::Key_F2)}, false, "option-title"},
        {SizeSettings, text::IdsMenuSizeSettings, {}, false, "option-size"},
        {Font, text::IdsMenuFont, {}},
        {Options, text::IdsMenuOptions, {}, false, "option-settings"},
        {FirstOptionPage + 0, text::IdsMenuOptionGeneral, {}},
        {FirstOptionPage + 1, text::IdsMenuOptionView, {}},
        {FirstOptionPage + 2, text::IdsMenuOptionWallpaper, {}},
        {FirstOptionPage + 3, text::IdsMenuOptionSolve, {}},
        {FirstOptionPage + 4, text::IdsMenuOptionPrint, {}},
        {FirstOptionPage + 5, text::IdsMenuOptionKeyboard, {}},
        {ChangeWallpaper, text::IdsMenuChangeWallpaper, {}},
        // Window
        {WindowCascade, text::IdsMenuWindowCascade, {}, false, "window-cascade"},
        {WindowTile, text::IdsMenuWindowTile, {}, false, "window-tile"},
        // Help
        {Help, text::IdsMenuHelpTopics, {plain(Qt::Key_F1)}, false, "help-contents"},
        {About, text::IdsMenuAbout, {}, false, "help-about"},
    };
    constexpr Qt::Key kDigits[cmd::ColorCount] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                                  Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8};
    for (int i = 0; i < cmd::ColorCount; ++i) {
        defs.push_back({FirstColor + i,
                        static_cast<unsigned>(100000 + FirstColor + i),
                        {alt(kDigits[i])},
                        false,
                        nullptr,
                        RadioColor});
    }
    return defs;
}

// Shorthands for the menu tables.
constexpr MenuEntry C(int id) {
    return {MenuEntry::Command, id};
}
constexpr MenuEntry P(unsigned titleId) {
    return {MenuEntry::Popup, static_cast<int>(titleId)};
}
constexpr MenuEntry kSep{MenuEntry::Separator};
constexpr MenuEntry kEnd{MenuEntry::End};
constexpr MenuEntry kRecent{MenuEntry::RecentFiles};
constexpr MenuEntry kWindows{MenuEntry::WindowList};

// The View menu is the same with and without a document, apart from the preview switch, which
// needs one.
#define TESSEMAR_VIEW_BARS                                                                       \
    C(ViewStandardBar), C(ViewToolBar), C(ViewImageBar), C(ViewNumberBar), C(ViewOptionBar),     \
        C(ViewCommandBar), C(ViewColorBar), kSep, P(text::IdsMenuColorBarKind), C(FullColorBar), \
        C(SimpleColorBar), kEnd

#define TESSEMAR_OPTION_PAGES                                                   \
    P(text::IdsMenuOptionPage), C(FirstOptionPage + 0), C(FirstOptionPage + 1), \
        C(FirstOptionPage + 2), C(FirstOptionPage + 3), C(FirstOptionPage + 4), \
        C(FirstOptionPage + 5), kEnd

constexpr MenuEntry kMenu128[] = {
    P(text::IdsMenuFile),
    C(FileNew),
    C(FileOpen),
    kSep,
    C(PageSetup),
    C(PrintZoom),
    kSep,
    kRecent,
    C(ClearRecentFile),
    kSep,
    C(AppExit),
    kEnd,
    P(text::IdsMenuView),
    TESSEMAR_VIEW_BARS,
    kEnd,
    P(text::IdsMenuOption),
    C(Options),
    TESSEMAR_OPTION_PAGES,
    kSep,
    C(ChangeWallpaper),
    kEnd,
    P(text::IdsMenuHelp),
    C(Help),
    kSep,
    C(About),
    kEnd,
};

constexpr MenuEntry kMenu129[] = {
    P(text::IdsMenuFile),
    C(FileNew),
    C(FileOpen),
    C(FileClose),
    kSep,
    C(FileSave),
    C(FileSaveAs),
    C(SaveBitmap),
    C(SavePreview),
    kSep,
    C(FilePrint),
    C(FilePrintPreview),
    C(PageSetup),
    C(PrintZoom),
    kSep,
    C(Property),
    kSep,
    kRecent,
    C(ClearRecentFile),
    kSep,
    C(AppExit),
    kEnd,

    P(text::IdsMenuEdit),
    C(Undo),
    C(Redo),
    kSep,
    C(Cut),
    C(Copy),
    C(Paste),
    kSep,
    C(SelectAll),
    C(SetSelect),
    C(ClearSelect),
    kSep,
    C(ClearUndoBuffer),
    kEnd,

    P(text::IdsMenuView),
    TESSEMAR_VIEW_BARS,
    kSep,
    C(ShowPreview),
    kEnd,

    P(text::IdsMenuTool),
    C(ToolPen),
    C(ToolStraightLine),
    C(ToolRectangle),
    C(ToolPaint),
    C(ToolSelect),
    kEnd,

    P(text::IdsMenuColor),
    C(FirstColor + 0),
    C(FirstColor + 1),
    C(FirstColor + 2),
    C(FirstColor + 3),
    C(FirstColor + 4),
    C(FirstColor + 5),
    C(FirstColor + 6),
    C(FirstColor + 7),
    kSep,
    C(ChooseColor),
    C(ColorSettings),
    kEnd,

    P(text::IdsMenuImage),
    C(MirrorColor),
    C(MirrorHorizontally),
    C(MirrorVertically),
    kSep,
    C(TurnLeft90),
    C(TurnRight90),
    C(Turn180),
    kSep,
    C(EraseX),
    C(FormatPicture),
    kEnd,

    P(text::IdsMenuNumber),
    P(text::IdsMenuMove),
    C(MoveLeft),
    C(MoveUp),
    C(MoveRight),
    C(MoveDown),
    kEnd,
    P(text::IdsMenuInsert),
    C(InsertCharacter),
    C(InsertLine),
    kEnd,
    P(text::IdsMenuDelete),
    C(DeleteCharacter),
    C(DeleteLine),
    kEnd,
    kSep,
    C(InputFromTop),
    C(InputFromBottom),
    kSep,
    C(FormatNumber),
    kEnd,

    P(text::IdsMenuCommand),
    C(Solve),
    C(Hint),
    C(Break),
    C(CheckUniqueness),
    kSep,
    C(CalculateNumber),
    kEnd,

    P(text::IdsMenuOption),
    C(Title),
    C(ColorSettings),
    C(SizeSettings),
    C(Font),
    kSep,
    C(Opaque),
    C(Transparent),
    kSep,
    C(Options),
    TESSEMAR_OPTION_PAGES,
    C(ChangeWallpaper),
    kEnd,

    P(text::IdsMenuWindow),
    C(WindowCascade),
    C(WindowTile),
    kWindows,
    kEnd,

    P(text::IdsMenuHelp),
    C(Help),
    kSep,
    C(About),
    kEnd,
};

#undef TESSEMAR_VIEW_BARS
#undef TESSEMAR_OPTION_PAGES

constexpr MenuEntry kPopupFileOpen[] = {P(0), C(FileOpen), kSep, kRecent, kEnd};
constexpr MenuEntry kPopupFileSave[] = {P(0),          C(FileSave),    C(FileSaveAs), kSep,
                                        C(SaveBitmap), C(SavePreview), kEnd};
constexpr MenuEntry kPopupOption[] = {P(0),
                                      C(FirstOptionPage + 0),
                                      C(FirstOptionPage + 1),
                                      C(FirstOptionPage + 2),
                                      C(FirstOptionPage + 3),
                                      C(FirstOptionPage + 4),
                                      C(FirstOptionPage + 5),
                                      kEnd};
// The picture pane's menu under the Select tool.
constexpr MenuEntry kPictureContextMenu[] = {
    P(0),         C(Cut),         C(Copy),        C(Paste),       kSep,           C(ClearSelect),
    C(SetSelect), C(SelectAll),   kSep,           C(MirrorColor), C(MirrorHorizontally), C(MirrorVertically),
    P(text::IdsMenuTurn), C(TurnLeft90), C(TurnRight90), C(Turn180), kEnd, kSep, C(FormatPicture), kEnd};

// The clue panes' menu and the corner's.
constexpr MenuEntry kClueContextMenu[] = {
    P(0),           P(text::IdsMenuInsert), C(InsertCharacter), C(InsertLine),       kEnd,
    P(text::IdsMenuDelete), C(DeleteCharacter), C(DeleteLine), kEnd, kSep,
    P(text::IdsMenuMove),   C(MoveLeft),    C(MoveUp),         C(MoveRight),         C(MoveDown), kEnd,
    kSep,           C(FormatNumber),        C(CalculateNumber), kEnd};
constexpr MenuEntry kCornerContextMenu[] = {P(0), C(ShowPreview), C(Title), C(SavePreview), kEnd};

// The colours are laid out by the colour bar; the table holds the rest of the pop-up.
constexpr MenuEntry kPopupColor[] = {P(0), kSep, C(ColorSetting), kEnd};

constexpr DropDownDef kDropDowns[] = {
    {FileOpen, PopupFileOpen},
    {FileSave, PopupFileSave},
    {Options, PopupOption},
    {ChooseColor, PopupColor},
};

constexpr int kStandardButtons[] = {FileNew, FileOpen, FileSave, 0,     FilePrint, FilePrintPreview,
                                    0,       Cut,      Copy,     Paste, 0,         Undo,
                                    Redo,    0,        Property, 0,     Help};
constexpr int kToolButtons[] = {ToolPen, ToolStraightLine, ToolRectangle, ToolPaint, ToolSelect};
constexpr int kImageButtons[] = {MirrorColor, MirrorHorizontally, MirrorVertically, 0,
                                 TurnLeft90,  TurnRight90,        Turn180};
constexpr int kNumberButtons[] = {MoveLeft,        MoveUp,     MoveRight,       MoveDown,  0,
                                  InsertCharacter, InsertLine, DeleteCharacter, DeleteLine};
constexpr int kOptionButtons[] = {Title, ColorSettings, SizeSettings, 0, Opaque, Transparent,
                                  0,     Options};
constexpr int kCommandButtons[] = {Solve,           Hint,         Break,        CheckUniqueness, 0,
                                   CalculateNumber, FormatNumber, FormatPicture};
constexpr int kSimpleColorButtons[] = {ChooseColor};
constexpr int kFullColorButtons[] = {
    FirstColorSwatch + 0, FirstColorSwatch + 1, FirstColorSwatch + 2,
    FirstColorSwatch + 3, FirstColorSwatch + 4, FirstColorSwatch + 5,
    FirstColorSwatch + 6, FirstColorSwatch + 7, ColorSettings};

constexpr ToolBarDef kToolBars[] = {
    {kToolBarStandard, text::IdsToolBarStandard, ViewStandardBar, kStandardButtons},
    {kToolBarTool, text::IdsToolBarTool, ViewToolBar, kToolButtons},
    {kToolBarImage, text::IdsToolBarImage, ViewImageBar, kImageButtons},
    {kToolBarNumber, text::IdsToolBarNumber, ViewNumberBar, kNumberButtons},
    {kToolBarOption, text::IdsToolBarOption, ViewOptionBar, kOptionButtons},
    {kToolBarCommand, text::IdsToolBarCommand, ViewCommandBar, kCommandButtons},
    {kToolBarSimpleColor, text::IdsToolBarColor, ViewColorBar, kSimpleColorButtons},
    {kToolBarFullColor, text::IdsToolBarColor, ViewColorBar, kFullColorButtons},
};

}  // namespace

const std::vector<CommandDef>& CommandDefs() {
    static const std::vector<CommandDef> defs = MakeDefs();
    return defs;
}

const CommandDef* FindCommandDef(int id) {
    const std::vector<CommandDef>& defs = CommandDefs();
    auto it = std::find_if(defs.begin(), defs.end(),
                           [id](const CommandDef& def) { return def.id == id; });
    return it == defs.end() ? nullptr : &*it;
}

std::span<const int> AvailableCommandIds() {
    return kAvailable;
}

void AddCommands(CCommandTable& table, std::span<const int> ids) {
    for (int id : ids) {
        if (const CommandDef* def = FindCommandDef(id))
            table.Add(*def);
    }
}

std::span<const MenuEntry> MainMenu128() {
    return kMenu128;
}

std::span<const MenuEntry> MainMenu129() {
    return kMenu129;
}

std::span<const MenuEntry> PictureContextMenu() {
    return kPictureContextMenu;
}

std::span<const MenuEntry> ClueContextMenu() {
    return kClueContextMenu;
}

std::span<const MenuEntry> CornerContextMenu() {
    return kCornerContextMenu;
}

std::span<const MenuEntry> DropDownMenu(DropDownPopup popup) {
    switch (popup) {
        case PopupFileOpen:
            return kPopupFileOpen;
        case PopupFileSave:
            return kPopupFileSave;
        case PopupColor:
            return kPopupColor;
        case PopupOption:
            return kPopupOption;
    }
    return {};
}

std::span<const DropDownDef> DropDownButtons() {
    return kDropDowns;
}

std::span<const ToolBarDef> ToolBarDefs() {
    return kToolBars;
}

}  // namespace tessemar
