#pragma once

// The command ids of the program's menus, toolbars and accelerators. The numbers are fixed:
// the settings file's toolbar layout and the string table (prompt = string of the same id)
// depend on them.
namespace tessemar::cmd {

// File
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FirstRecentFile = 57616;  // + index of the entry
inline constexpr int AppExit = 57665;
inline constexpr int ClearRecentFile = 32859;
inline constexpr int SaveBitmap = 32831;
inline constexpr int SavePreview = 32860;
inline constexpr int PageSetup = 32833;
inline constexpr int PrintZoom = 32867;
inline constexpr int Property = 32863;

// Edit
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int ClearUndoBuffer = 32857;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int ClearSelect = 32811;
inline constexpr int SetSelect = 32825;
inline constexpr int SelectAll = 32810;
inline constexpr int Opaque = 32809;
inline constexpr int Transparent = 32820;

// View: the toolbar toggles, the colour bar and the preview.
inline constexpr int ViewStandardBar = 59392;
inline constexpr int ViewToolBar = 32803;
inline constexpr int ViewImageBar = 32823;
inline constexpr int ViewNumberBar = 32824;
inline constexpr int ViewOptionBar = 32822;
inline constexpr int ViewCommandBar = 32856;
inline constexpr int ViewColorBar = 32866;
inline constexpr int FullColorBar = 32884;
inline constexpr int SimpleColorBar = 32885;
inline constexpr int ShowPreview = 32817;

// Tool
inline constexpr int ToolPen = 32774;
inline constexpr int ToolStraightLine = 32826;
inline constexpr int ToolRectangle = 32775;
inline constexpr int ToolPaint = 32777;
inline constexpr int ToolSelect = 32808;

// Color
inline constexpr int FirstColor = 32846;  // Color 1 .. Color 8: 32846 .. 32853
inline constexpr int ColorCount = 8;
inline constexpr int ChooseColor = 32838;
inline constexpr int ColorSetting = 32854;      // "Setting..." of the colour pop-up
inline constexpr int ColorSettings = 32858;     // "Color Settings..." of menus and toolbars
inline constexpr int FirstColorSwatch = 32876;  // the eight swatches of the full colour bar

// Image
inline constexpr int MirrorColor = 32818;
inline constexpr int MirrorHorizontally = 32812;
inline constexpr int MirrorVertically = 32813;
inline constexpr int TurnLeft90 = 32816;
inline constexpr int TurnRight90 = 32814;
inline constexpr int Turn180 = 32815;
inline constexpr int EraseX = 32887;
inline constexpr int FormatPicture = 32802;
inline constexpr int FormatNumber = 32796;

// Number
inline constexpr int MoveLeft = 32888;
inline constexpr int MoveUp = 32889;
inline constexpr int MoveRight = 32890;
inline constexpr int MoveDown = 32891;
inline constexpr int InsertCharacter = 32778;
inline constexpr int InsertLine = 32779;
inline constexpr int DeleteCharacter = 32793;
inline constexpr int DeleteLine = 32794;
inline constexpr int InputFromTop = 32805;
inline constexpr int InputFromBottom = 32806;

// Command
inline constexpr int Solve = 32787;
inline constexpr int Hint = 32828;
inline constexpr int Break = 32827;
inline constexpr int CalculateNumber = 32788;
inline constexpr int CheckUniqueness = 32900;

// Option
inline constexpr int Title = 32819;
inline constexpr int SizeSettings = 32772;
inline constexpr int Font = 32862;
inline constexpr int Options = 32782;
inline constexpr int FirstOptionPage = 32870;  // General, View, Wallpaper, Solve, Print, Keyboard
inline constexpr int OptionPageCount = 6;
inline constexpr int ChangeWallpaper = 32835;

// Window
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTile = 57651;
inline constexpr int FirstWindow = 65280;  // + index of the document window in the Window menu

// Help
inline constexpr int Help = 32886;
inline constexpr int About = 57664;

}  // namespace tessemar::cmd
