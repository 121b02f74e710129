#include "core/settings/AppSettings.h"

#include "core/Version.h"
#include "core/text/Format.h"

#include <cstdlib>
#include <unistd.h>

namespace tessemar {
namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kKey = "Key";
constexpr const char* kPrinter = "Printer";
constexpr const char* kWallPaper = "WallPaper";
constexpr const char* kSolve = "Solve";
constexpr const char* kDefault = "Default";
constexpr const char* kMainFrame = "MainFrame";
constexpr const char* kTextDlg = "TextDlg";
constexpr const char* kInfo = "Info";

constexpr const char* kColorKeys[10] = {"ColorBackground", "Color1", "Color2", "Color3", "Color4",
                                        "Color5",          "Color6", "Color7", "Color8", "ColorX"};
constexpr const char* kShadowKeys[10] = {"ColorBoldLine", "ColorShadow1", "ColorShadow2", "ColorShadow3",
                                         "ColorShadow4",  "ColorShadow5", "ColorShadow6", "ColorShadow7",
                                         "ColorShadow8",  "ColorLine"};
// The size and font of new puzzles in [Default]: "Row" holds the cells across, "Col" the cells
// down.
constexpr const char* kColumnsKey = "Row";
constexpr const char* kRowsKey = "Col";
constexpr const char* kCellSizeKey = "Size";
constexpr const char* kFaceNameKey = "FaceName";
constexpr const char* kWeightKey = "Weight";

// Virtual-key codes run from 1 to 254.
constexpr int kMaxKeyCode = 254;
// Page margins beyond 100 mm (or 10 inches) leave nothing of a page to print on.
constexpr int kMaxMargin = 10000;
// Window rectangles stay within the coordinates a desktop can have.
constexpr int kMaxWindowCoordinate = 32767;

// The edit keys are 16-bit fields: the stored integer is truncated to them.
std::uint16_t ReadKeyCode(const IniFile& ini, const char* key, std::uint16_t defaultValue) {
    const auto code = static_cast<std::uint16_t>(ini.GetInt(kKey, key, defaultValue));
    return code >= 1 && code <= kMaxKeyCode ? code : defaultValue;
}

// Colours keep their 24 bits of red, green and blue; anything above them is no colour.
ColorRef ReadColor(const IniFile& ini, const char* section, const char* key, ColorRef defaultValue) {
    const std::int32_t value = ini.GetInt(section, key, static_cast<std::int32_t>(defaultValue));
    return value >= 0 && static_cast<ColorRef>(value) <= kMaxColorRef ? static_cast<ColorRef>(value) : defaultValue;
}

std::int32_t ReadInRange(const IniFile& ini, const char* section, const char* key, std::int32_t low,
                         std::int32_t high, std::int32_t defaultValue) {
    const std::int32_t value = ini.GetInt(section, key, defaultValue);
    return value >= low && value <= high ? value : defaultValue;
}

// An integer setting whose values outside low..high are replaced by its default on reading.
struct IntRange {
    std::int32_t AppSettings::*field;
    std::int32_t low;
    std::int32_t high;
};

// Switches (any value is on or off) and Path need no range.
constexpr IntRange kIntRanges[] = {
    {&AppSettings::tool, 0, 4},
    {&AppSettings::color, 1, 8},
    {&AppSettings::brush, 0, 3},
    {&AppSettings::recentFileCount, 1, 16},
    {&AppSettings::backDrawMode, 0, 1},
    {&AppSettings::lastChildState, 0, 2},
    {&AppSettings::previewPages, 0, 2},
    {&AppSettings::shiftDirection, 0, 1},
    {&AppSettings::marginLeft, 0, kMaxMargin},
    {&AppSettings::marginTop, 0, kMaxMargin},
    {&AppSettings::marginRight, 0, kMaxMargin},
    {&AppSettings::marginBottom, 0, kMaxMargin},
    {&AppSettings::zoom, 1, 1000},
    {&AppSettings::direction, 0, 1},
    {&AppSettings::resultMode, 0, 2},
};

void CorrectReadValues(AppSettings& s) {
    const AppSettings defaults;
    for (const IntRange& range : kIntRanges) {
        std::int32_t& value = s.*range.field;
        if (value < range.low || value > range.high) value = defaults.*range.field;
    }
}

// A rectangle of at least one pixel with every edge on a desktop's coordinates.
bool IsPlausibleWindow(int left, int top, int right, int bottom) {
    const auto onDesktop = [](int v) { return v >= -kMaxWindowCoordinate && v <= kMaxWindowCoordinate; };
    return onDesktop(left) && onDesktop(top) && onDesktop(right) && onDesktop(bottom) && left < right && top < bottom;
}

}  // namespace

AppSettings LoadSettings(const IniFile& ini, const SystemColors& system) {
    AppSettings s;
    s.recentFileCount = ini.GetInt(kSettings, "RecentFileCount", 10);
    s.backDrawMode = ini.GetInt(kSettings, "BackDrawMode", 1);
    s.boldLine = ini.GetInt(kSettings, "BoldLine", 1);
    s.graduateNumber = ini.GetInt(kSettings, "GraduateNumber", 1);
    s.showPreview = ini.GetInt(kSettings, "ShowPreview", 1);
    s.createNewFile = ini.GetInt(kSettings, "CreateNewFile", 1);
    s.fullColorBar = ini.GetInt(kSettings, "FullColorBar", 1);
    s.tool = ini.GetInt(kSettings, "Tool", 0);
    s.color = ini.GetInt(kSettings, "Color", 1);
    s.lastChildState = ini.GetInt(kSettings, "LastChildState", 0);
    s.registerFileType = ini.GetInt(kSettings, "RegisterFileType", 0);
    s.previewPages = ini.GetInt(kSettings, "PreviewPages", 0);

    s.shiftDirection = ini.GetInt(kKey, "ShiftDirection", 1);
    s.editKeyUp = ReadKeyCode(ini, "EditKeyUp", 87);
    s.editKeyDown = ReadKeyCode(ini, "EditKeyDown", 83);
    s.editKeyLeft = ReadKeyCode(ini, "EditKeyLeft", 65);
    s.editKeyRight = ReadKeyCode(ini, "EditKeyRight", 68);

    s.marginLeft = ini.GetInt(kPrinter, "MarginLeft", 1250);
    s.marginTop = ini.GetInt(kPrinter, "MarginTop", 1000);
    s.marginRight = ini.GetInt(kPrinter, "MarginRight", 1250);
    s.marginBottom = ini.GetInt(kPrinter, "MarginBottom", 1000);
    s.zoom = ini.GetInt(kPrinter, "Zoom", 300);
    s.cutBlankNum = ini.GetInt(kPrinter, "CutBlankNum", 1);

    s.brush = ini.GetInt(kWallPaper, "Brush", 2);
    s.wallpaperColor1 = ReadColor(ini, kWallPaper, "Color1", system.applicationWorkspace);
    s.wallpaperColor2 = ReadColor(ini, kWallPaper, "Color2", system.window);
    s.direction = ini.GetInt(kWallPaper, "Direction", 1);
    s.path = ini.GetString(kWallPaper, "Path", "");

    s.updateView = ini.GetInt(kSolve, "UpdateView", 0);
    s.resultMode = ini.GetInt(kSolve, "ResultMode", 0);

    CorrectReadValues(s);
    return s;
}

void SaveSettings(const IniFile& ini, const AppSettings& s, const MainFramePlacement& placement,
                  const std::function<void(const IniFile&)>& writeDockingState) {
    if (writeDockingState) writeDockingState(ini);

    ini.WriteInt(kSettings, "RecentFileCount", s.recentFileCount);
    ini.WriteInt(kSettings, "BackDrawMode", s.backDrawMode);
    ini.WriteInt(kSettings, "BoldLine", s.boldLine);
    ini.WriteInt(kSettings, "GraduateNumber", s.graduateNumber);
    ini.WriteInt(kSettings, "ShowPreview", s.showPreview);
    ini.WriteInt(kSettings, "CreateNewFile", s.createNewFile);
    ini.WriteInt(kSettings, "Tool", s.tool);
    ini.WriteInt(kSettings, "Color", s.color);
    ini.WriteInt(kSettings, "LastChildState", s.lastChildState);
    ini.WriteInt(kSettings, "FullColorBar", s.fullColorBar);

    ini.WriteInt(kKey, "ShiftDirection", s.shiftDirection);
    ini.WriteInt(kKey, "EditKeyUp", s.editKeyUp);
    ini.WriteInt(kKey, "EditKeyDown", s.editKeyDown);
    ini.WriteInt(kKey, "EditKeyLeft", s.editKeyLeft);
    ini.WriteInt(kKey, "EditKeyRight", s.editKeyRight);

    ini.WriteInt(kPrinter, "MarginLeft", s.marginLeft);
    ini.WriteInt(kPrinter, "MarginTop", s.marginTop);
    ini.WriteInt(kPrinter, "MarginRight", s.marginRight);
    ini.WriteInt(kPrinter, "MarginBottom", s.marginBottom);
    ini.WriteInt(kPrinter, "Zoom", s.zoom);
    ini.WriteInt(kPrinter, "CutBlankNum", s.cutBlankNum);

    ini.WriteInt(kWallPaper, "Brush", s.brush);
    ini.WriteInt(kWallPaper, "Color1", static_cast<std::int32_t>(s.wallpaperColor1));
    ini.WriteInt(kWallPaper, "Color2", static_cast<std::int32_t>(s.wallpaperColor2));
    ini.WriteInt(kWallPaper, "Direction", s.direction);
    ini.WriteString(kWallPaper, "Path", s.path);

    ini.WriteInt(kSolve, "UpdateView", s.updateView);
    ini.WriteInt(kSolve, "ResultMode", s.resultMode);

    if (placement.restored) {
        ini.WriteInt(kMainFrame, "Left", placement.left);
        ini.WriteInt(kMainFrame, "Top", placement.top);
        ini.WriteInt(kMainFrame, "Right", placement.right);
        ini.WriteInt(kMainFrame, "Bottom", placement.bottom);
    }
    ini.WriteInt(kMainFrame, "Zoomed", placement.zoomed ? 1 : 0);

    WriteVersionStamp(ini);
}

void ReadDefaultColors(const IniFile& ini, ColorTable& colors, ColorTable& shadowColors) {
    for (int i = 0; i < 10; ++i) colors[i] = ReadColor(ini, kDefault, kColorKeys[i], kDefaultColors[i]);
    for (int i = 0; i < 10; ++i) shadowColors[i] = ReadColor(ini, kDefault, kShadowKeys[i], kDefaultShadowColors[i]);
}

void WriteDefaultColors(const IniFile& ini, const ColorTable& colors, const ColorTable& shadowColors) {
    for (int i = 0; i < 10; ++i) ini.WriteInt(kDefault, kColorKeys[i], static_cast<std::int32_t>(colors[i]));
    for (int i = 0; i < 10; ++i) ini.WriteInt(kDefault, kShadowKeys[i], static_cast<std::int32_t>(shadowColors[i]));
}

void WriteDefaultSize(const IniFile& ini, int columns, int rows, int cellSize) {
    ini.WriteInt(kDefault, kColumnsKey, columns);
    ini.WriteInt(kDefault, kRowsKey, rows);
    ini.WriteInt(kDefault, kCellSizeKey, cellSize);
}

void WriteDefaultFont(const IniFile& ini, const std::string& faceName, int weight) {
    ini.WriteString(kDefault, kFaceNameKey, faceName);
    ini.WriteInt(kDefault, kWeightKey, weight);
}

DocumentDefaults ReadDocumentDefaults(const IniFile& ini) {
    DocumentDefaults d;
    ReadDefaultColors(ini, d.colors, d.shadowColors);
    d.columnCount = ReadInRange(ini, kDefault, kColumnsKey, 1, kMaxLines, d.columnCount);
    d.rowCount = ReadInRange(ini, kDefault, kRowsKey, 1, kMaxLines, d.rowCount);
    d.cellSize = ReadInRange(ini, kDefault, kCellSizeKey, kMinCellSize, kMaxCellSize, d.cellSize);
    d.fontFaceName = ini.GetString(kDefault, kFaceNameKey, d.fontFaceName);
    if (d.fontFaceName.empty()) d.fontFaceName = DocumentDefaults{}.fontFaceName;
    // 0 is the font's own weight ("don't care").
    d.fontWeight = ReadInRange(ini, kDefault, kWeightKey, 0, kMaxFontWeight, d.fontWeight);
    d.title = ini.GetString(kDefault, "Title", d.title);
    return d;
}

std::string FormatProductVersion(int major, int minor, int patch, int tweak) {
    return text::Format("%d.%02d/%02d.%04d", {major, minor, patch, tweak});
}

std::string FormatProductVersion() {
    return FormatProductVersion(kVersionMajor, kVersionMinor, kVersionPatch, kVersionTweak);
}

void WriteVersionStamp(const IniFile& ini) { ini.WriteString(kInfo, "Version", FormatProductVersion()); }

bool IsLayoutVersionCurrent(const IniFile& ini) {
    return ini.GetString(kInfo, "Version", "") == FormatProductVersion();
}

void WriteRegisterFileType(const IniFile& ini, bool on) { ini.WriteInt(kSettings, "RegisterFileType", on ? 1 : 0); }

WindowRect ReadTextDialogRect(const IniFile& ini) {
    const WindowRect defaults;
    WindowRect r;
    r.left = ini.GetInt(kTextDlg, "WindowLeft", defaults.left);
    r.top = ini.GetInt(kTextDlg, "WindowTop", defaults.top);
    r.right = ini.GetInt(kTextDlg, "WindowRight", defaults.right);
    r.bottom = ini.GetInt(kTextDlg, "WindowBottom", defaults.bottom);
    return IsPlausibleWindow(r.left, r.top, r.right, r.bottom) ? r : defaults;
}

void WriteTextDialogRect(const IniFile& ini, const WindowRect& r) {
    ini.WriteInt(kTextDlg, "WindowLeft", r.left);
    ini.WriteInt(kTextDlg, "WindowTop", r.top);
    ini.WriteInt(kTextDlg, "WindowRight", r.right);
    ini.WriteInt(kTextDlg, "WindowBottom", r.bottom);
}

MainFramePlacement ReadMainFramePlacement(const IniFile& ini) {
    MainFramePlacement p;
    p.left = ini.GetInt(kMainFrame, "Left", 0);
    p.top = ini.GetInt(kMainFrame, "Top", 0);
    p.right = ini.GetInt(kMainFrame, "Right", 0);
    p.bottom = ini.GetInt(kMainFrame, "Bottom", 0);
    p.zoomed = ini.GetInt(kMainFrame, "Zoomed", 0) != 0;
    p.restored = !p.zoomed;
    // No rectangle at all stands for the first start, which places the window itself.
    if (!IsPlausibleWindow(p.left, p.top, p.right, p.bottom)) p.left = p.top = p.right = p.bottom = 0;
    return p;
}

std::string DefaultIniPath(const std::string& programDirectory) {
    const std::string fileName = "Tessemar.INI";
    if (!programDirectory.empty() && ::access(programDirectory.c_str(), W_OK) == 0) {
        return programDirectory + "/" + fileName;
    }
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        config = std::string(home) + "/.config";
    } else {
        config = "/tmp";
    }
    return config + "/Tessemar/" + fileName;
}

}  // namespace tessemar
