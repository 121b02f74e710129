#include "gui/view/FragmentClipboard.h"

#include "core/document/Fragment.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tessemar {

void PutFragmentOnClipboard(const std::string& bytes) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kFragmentMimeType),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    clipboard->setMimeData(data);
}

std::optional<std::string> FragmentFromClipboard() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(kFragmentMimeType)))
        return std::nullopt;
    const QByteArray block = data->data(QString::fromLatin1(kFragmentMimeType));
    std::string bytes(block.constData(), static_cast<std::size_t>(block.size()));
    if (!ParseFragment(bytes))
        return std::nullopt;
    return bytes;
}

bool ClipboardHoldsFragment() {
    static std::optional<bool> holds;
    static const bool watching = [] {
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, qApp, [] { holds.reset(); });
        return true;
    }();
    (void)watching;
    if (!holds)
        holds = FragmentFromClipboard().has_value();
    return *holds;
}

}  // namespace tessemar
