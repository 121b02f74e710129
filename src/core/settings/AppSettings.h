#pragma once

#include "core/document/Colors.h"
#include "core/document/DocumentDefaults.h"
#include "core/settings/IniFile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tessemar {

// Desktop colours that stand behind two wallpaper defaults.
struct SystemColors {
    ColorRef applicationWorkspace = MakeColorRef(171, 171, 171);
    ColorRef window = MakeColorRef(255, 255, 255);
};

// Every setting that the program reads at start-up and writes back when its main window
// closes; each field is named after its key.
struct AppSettings {
    // [Settings]
    std::int32_t recentFileCount = 10;
    std::int32_t backDrawMode = 1;
    std::int32_t boldLine = 1;
    std::int32_t graduateNumber = 1;
    std::int32_t showPreview = 1;
    std::int32_t createNewFile = 1;
    std::int32_t fullColorBar = 1;
    std::int32_t tool = 0;
    std::int32_t color = 1;
    std::int32_t lastChildState = 0;
    std::int32_t registerFileType = 0;
    std::int32_t previewPages = 0;
    // [Key]
    std::int32_t shiftDirection = 1;
    std::uint16_t editKeyUp = 87;
    std::uint16_t editKeyDown = 83;
    std::uint16_t editKeyLeft = 65;
    std::uint16_t editKeyRight = 68;
    // [Printer]
    std::int32_t marginLeft = 1250;
    std::int32_t marginTop = 1000;
    std::int32_t marginRight = 1250;
    std::int32_t marginBottom = 1000;
    std::int32_t zoom = 300;
    std::int32_t cutBlankNum = 1;
    // [WallPaper]
    std::int32_t brush = 2;
    ColorRef wallpaperColor1 = SystemColors{}.applicationWorkspace;
    ColorRef wallpaperColor2 = SystemColors{}.window;
    std::int32_t direction = 1;
    std::string path;
    // [Solve]
    std::int32_t updateView = 0;
    std::int32_t resultMode = 0;
};

// Reads the sections Settings, Key, Printer, WallPaper and Solve in that order, then corrects
// Tool, Color, Brush and RecentFileCount, in that order.
AppSettings LoadSettings(const IniFile& ini, const SystemColors& system = {});

// Where the main window stood when it closed.
struct MainFramePlacement {
    bool zoomed = false;
    bool restored = true;  // neither maximized nor minimized: then the rectangle is written
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Writes everything that the closing main window stores, in the stored order: the toolbar
// layout (through writeDockingState, which the frame supplies), the sections Settings, Key,
// Printer, WallPaper, Solve, MainFrame, then the version stamp.
void SaveSettings(const IniFile& ini, const AppSettings& settings, const MainFramePlacement& placement,
                  const std::function<void(const IniFile&)>& writeDockingState = {});

// The prefix of the sections that hold the toolbar layout.
inline constexpr const char* kToolBarStatePrefix = "ToolBarState";

// The twenty colour keys of section Default, group A then group B.
void ReadDefaultColors(const IniFile& ini, ColorTable& colors, ColorTable& shadowColors);
void WriteDefaultColors(const IniFile& ini, const ColorTable& colors, const ColorTable& shadowColors);

// The default size (key Row: columns, Col: rows, Size: cell pitch) and number font of new
// documents, written at once by the option page's buttons.
void WriteDefaultSize(const IniFile& ini, int columns, int rows, int cellSize);
void WriteDefaultFont(const IniFile& ini, const std::string& faceName, int weight);

// What section Default gives a new document; a value out of its range gives the built-in default.
DocumentDefaults ReadDocumentDefaults(const IniFile& ini);

// The program's version as "%d.%02d/%02d.%04d" (1.35.2.422 gives "1.35/02.0422").
std::string FormatProductVersion();
std::string FormatProductVersion(int major, int minor, int patch, int tweak);
void WriteVersionStamp(const IniFile& ini);
// True when the stored version equals the running program's: only then is a saved toolbar
// layout used.
bool IsLayoutVersionCurrent(const IniFile& ini);

// Stores the file-association switch at once (the association itself is the shell's work).
void WriteRegisterFileType(const IniFile& ini, bool on);

// The report window's rectangle, section TextDlg.
struct WindowRect {
    int left = 100, top = 100, right = 420, bottom = 480;
};
WindowRect ReadTextDialogRect(const IniFile& ini);
void WriteTextDialogRect(const IniFile& ini, const WindowRect& rect);

// The main window's stored placement, section MainFrame.
MainFramePlacement ReadMainFramePlacement(const IniFile& ini);

// Tessemar.INI beside the program when its folder is writable, else in the user's
// configuration folder ($XDG_CONFIG_HOME or ~/.config, subfolder Tessemar).
std::string DefaultIniPath(const std::string& programDirectory);

}  // namespace tessemar
