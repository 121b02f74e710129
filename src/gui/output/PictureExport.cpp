#include "gui/output/PictureExport.h"

#include "core/document/CLogicDoc.h"
#include "core/text/Format.h"
#include "core/text/StringTable.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"
#include "gui/output/CTextPreviewDialog.h"
#include "gui/output/WriteErrorMessage.h"
#include "render/LayoutCanvas.h"
#include "render/PdfFile.h"
#include "render/SheetExport.h"

#include <QImage>

#include <cerrno>

namespace tessemar {
namespace {

// The dialog of both save commands: a bitmap file unless the user picks PNG or PDF.
bool AskForPictureFile(const CLogicDoc& doc, QString& path) {
    const std::string kind(text::LoadString(text::IdsBitmapFileName));
    const std::string extension(text::LoadString(text::IdsBitmapExtension));
    FileDialogRequest request;
    request.open = false;
    request.title = QString::fromStdString(text::Format(text::LoadString(text::IdsSaveToFormat), {kind}));
    request.filters = CTextPreviewDialog::SplitFilter(
        text::Format(text::LoadString(text::IdsSaveFilterFormat), {kind, extension, extension}));
    request.filters.insert(1, Text(text::IdsPngFilter));
    request.filters.insert(2, Text(text::IdsPdfFilter));
    request.defaultExtension = QString::fromStdString(extension);
    request.path = CTextPreviewDialog::ProposedFileName(QString::fromStdString(doc.GetDocumentFileName()));
    if (!CurrentPrompter().PromptForFile(request) || request.path.isEmpty())
        return false;
    path = request.path;
    return true;
}

// The format follows the extension: PNG, PDF, or a bitmap file for any other.
int WritePictureFile(const QString& path, const CLogicDoc& doc, const LayoutCanvas& canvas, bool preview, bool cut) {
    const std::string target = path.toStdString();
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return WritePngFile(target, preview ? canvas.Preview() : RenderSheet(doc.Model(), canvas.Style(), cut));
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return preview ? WriteImagePdfFile(target, canvas.Preview())
                       : WriteSheetPdfFile(target, doc.Model(), canvas.Style(), cut);
    return preview ? WriteBitmapFile(target, canvas.Preview())
                   : WriteSheetBitmapFile(target, doc.Model(), canvas.Style(), cut);
}

}  // namespace

void SavePicture(const CLogicDoc& doc, const LayoutCanvas& canvas, bool preview, bool cut) {
    QString path;
    if (!AskForPictureFile(doc, path))
        return;
    const int error = WritePictureFile(path, doc, canvas, preview, cut);
    if (error == EFBIG)
        CurrentPrompter().ShowError(Text(text::IdsPictureTooLarge));
    else if (error != 0)
        CurrentPrompter().ShowError(WriteErrorMessage(error, path));
}

}  // namespace tessemar
