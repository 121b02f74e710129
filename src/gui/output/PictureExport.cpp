#include "gui/output/PictureExport.h"

#include "core/document/CLogicDoc.h"
#include "core/text/Format.h"
#include "core/text/StringTable.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/output/CTextPreviewDialog.h"
#include "gui/output/WriteErrorMessage.h"
#include "render/LayoutCanvas.h"
#include "render/SheetExport.h"

#include <QImage>

#include <cerrno>

namespace tessemar {
namespace {

// The dialog of both save commands: a bitmap file unless the user picks PNG.
bool AskForPictureFile(const CLogicDoc& doc, QString& path) {
    const std::string kind(text::LoadString(text::IdsBitmapFileName));
    const std::string extension(text::LoadString(text::IdsBitmapExtension));
    FileDialogRequest request;
    request.open = false;
    request.title = QString::fromStdString(text::Format(text::LoadString(text::IdsSaveToFormat), {kind}));
    request.filters = CTextPreviewDialog::SplitFilter(
        text::Format(text::LoadString(text::IdsSaveFilterFormat), {kind, extension, extension}));
    request.filters.insert(1, Text(text::IdsPngFilter));
    request.defaultExtension = QString::fromStdString(extension);
    request.path = CTextPreviewDialog::ProposedFileName(QString::fromStdString(doc.GetDocumentFileName()));
    if (!CurrentPrompter().PromptForFile(request) || request.path.isEmpty())
        return false;
    path = request.path;
    return true;
}

}  // namespace

void SavePicture(const CLogicDoc& doc, const LayoutCanvas& canvas, bool preview, bool cut) {
    QString path;
    if (!AskForPictureFile(doc, path))
        return;
    const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    const std::string target = path.toStdString();
    int error = 0;
    if (preview) {
        const QImage image = canvas.Preview();
        error = png ? WritePngFile(target, image) : WriteBitmapFile(target, image);
    } else {
        error = png ? WritePngFile(target, RenderSheet(doc.Model(), canvas.Style(), cut))
                    : WriteSheetBitmapFile(target, doc.Model(), canvas.Style(), cut);
    }
    if (error == EFBIG)
        CurrentPrompter().ShowError(Text(text::IdsPictureTooLarge));
    else if (error != 0)
        CurrentPrompter().ShowError(WriteErrorMessage(error, path));
}

}  // namespace tessemar
