#include "gui/frame/ToolBarLayout.h"

#include "core/settings/AppSettings.h"

#include <QByteArray>
#include <QMainWindow>

#include <string>

namespace tessemar {
namespace {

constexpr const char* kLayoutKey = "Layout";
// Qt's own version number of the stored state; a change of the toolbars' meaning raises it.
constexpr int kLayoutFormat = 1;

}  // namespace

void WriteToolBarState(const IniFile& ini, const QMainWindow& window) {
    const QByteArray state = window.saveState(kLayoutFormat).toBase64();
    ini.WriteString(kToolBarStateSection, kLayoutKey,
                    std::string(state.constData(), static_cast<std::size_t>(state.size())));
}

bool RestoreToolBarState(const IniFile& ini, QMainWindow& window) {
    if (!IsLayoutVersionCurrent(ini))
        return false;
    const std::string text = ini.GetString(kToolBarStateSection, kLayoutKey, "");
    if (text.empty())
        return false;
    const QByteArray state = QByteArray::fromBase64(QByteArray::fromStdString(text));
    // A damaged layout is refused by Qt as a whole, leaving the initial one.
    return window.restoreState(state, kLayoutFormat);
}

}  // namespace tessemar
