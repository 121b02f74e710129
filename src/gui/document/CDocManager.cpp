#include "gui/document/CDocManager.h"

#include "core/document/Errors.h"
#include "core/document/TsdFile.h"
#include "core/formats/PuzzleFiles.h"
#include "core/text/Format.h"
#include "core/text/StringTable.h"
#include "gui/common/Prompter.h"
#include "gui/common/UiText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <new>

namespace tessemar {
namespace {

QString Inserted(unsigned id, const QString& insert) {
    const QByteArray utf8 = insert.toUtf8();
    return QString::fromUtf8(text::FormatInserts(
        text::LoadString(id), {std::string_view(utf8.constData(), utf8.size())}));
}

std::string ToStd(const QString& text) {
    return text.toUtf8().toStdString();
}
QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

unsigned AccessMessageId(const FileAccessError& error) {
    if (error.operation() == FileAccessError::Operation::Read) {
        return error.error() == ENOENT   ? text::IdsFileNotFound
               : error.error() == EACCES ? text::IdsFileAccessDenied
                                         : text::IdsFileReadError;
    }
    if (error.error() == ENOSPC)
        return text::IdsDiskFull;
    if (error.error() == EACCES || error.error() == EROFS || error.error() == EPERM)
        return text::IdsFileWriteDenied;
    return text::IdsFileWriteError;
}

}  // namespace

QString DocTemplateString(DocTemplateField field) {
    const QStringList fields = Text(text::IdsDocTemplate).split(QLatin1Char('\n'));
    const auto index = static_cast<qsizetype>(field);
    return index < fields.size() ? fields[index] : QString();
}

QString FileErrorMessage(const QString& path, bool writing) {
    try {
        throw;
    } catch (const FileFormatError&) {
        // The framework's text alone would not say which file it means when several open
        // at once (a drop, the command line of a second start).
        return path + QLatin1Char('\n') + Text(text::IdsUnexpectedFileFormat);
    } catch (const FileAccessError& error) {
        return Inserted(AccessMessageId(error), FromStd(error.path()));
    } catch (const std::bad_alloc&) {
        return Inserted(writing ? text::IdsFileWriteError : text::IdsFileReadError, path);
    } catch (const std::exception&) {
        return Inserted(writing ? text::IdsFileWriteError : text::IdsFileReadError, path);
    }
}

CDocManager::CDocManager(const IniFile& ini, const AppSettings& settings,
                         RecentFileList& recentFiles)
    : ini_(ini), settings_(settings), recentFiles_(recentFiles) {}

CDocManager::~CDocManager() = default;

std::vector<CLogicDoc*> CDocManager::Documents() const {
    std::vector<CLogicDoc*> docs;
    for (const auto& doc : documents_)
        docs.push_back(doc.get());
    return docs;
}

CLogicDoc* CDocManager::Adopt(std::unique_ptr<CLogicDoc> doc) {
    CLogicDoc* raw = doc.get();
    documents_.push_back(std::move(doc));
    emit documentOpened(raw);
    return raw;
}

CLogicDoc* CDocManager::OnFileNew() {
    auto doc = std::make_unique<CLogicDoc>();
    doc->OnNewDocument(ReadDocumentDefaults(ini_));
    doc->SetTitle(ToStd(DocTemplateString(DocTemplateField::DocName)) +
                  std::to_string(++untitledCount_));
    doc->SetModifiedFlag(false);
    return Adopt(std::move(doc));
}

void CDocManager::OnFileOpen() {
    QString path;
    if (DoPromptFileName(path, true))
        OpenDocumentFile(path);
}

CLogicDoc* CDocManager::OpenDocumentFile(const QString& path) {
    const std::string normalized = NormalizedPath(ToStd(path));
    for (const auto& doc : documents_) {
        const bool same =
            doc->GetPathName() == normalized ||
            (sourceFiles_.contains(doc.get()) && sourceFiles_.at(doc.get()) == normalized);
        if (same) {
            emit documentActivated(doc.get());
            return doc.get();
        }
    }
    std::unique_ptr<CLogicDoc> doc;
    try {
        doc = OpenPuzzleFile(normalized, ReadDocumentDefaults(ini_));
    } catch (...) {
        CurrentPrompter().ShowError(FileErrorMessage(FromStd(normalized), false));
        return nullptr;
    }
    if (doc->GetTitle().empty())
        doc->SetTitle(ToStd(QFileInfo(FromStd(normalized)).fileName()));
    if (doc->GetPathName().empty())
        sourceFiles_[doc.get()] = normalized;
    recentFiles_.Add(normalized);
    emit recentFilesChanged();
    return Adopt(std::move(doc));
}

CLogicDoc* CDocManager::OpenRecentFile(std::size_t index) {
    if (index >= recentFiles_.Entries().size())
        return nullptr;
    const std::string path = recentFiles_.Entries()[index];
    CLogicDoc* doc = OpenDocumentFile(FromStd(path));
    if (!doc) {
        auto it = std::find(recentFiles_.Entries().begin(), recentFiles_.Entries().end(), path);
        if (it != recentFiles_.Entries().end()) {
            recentFiles_.Remove(static_cast<std::size_t>(it - recentFiles_.Entries().begin()));
            emit recentFilesChanged();
        }
    }
    return doc;
}

bool CDocManager::DoPromptFileName(QString& path, bool open) {
    FileDialogRequest request;
    request.open = open;
    request.title = Text(open ? text::IdsOpenTitle : text::IdsSaveAsTitle);
    request.path = path;
    request.defaultExtension = DocTemplateString(DocTemplateField::FilterExt).mid(1);
    request.filters.push_back(DocTemplateString(DocTemplateField::FilterName));
    if (open) {
        // Puzzles of other programs open as new documents; they are saved as documents.
        request.filters.push_back(Text(text::IdsWebpbnFilter));
        request.filters.push_back(Text(text::IdsNonFilter));
    }
    request.filters += ConvertFilter(Text(text::IdsAllFilter) + QStringLiteral("|*.*||"));
    if (!CurrentPrompter().PromptForFile(request))
        return false;
    path = request.path;
    return true;
}

QString CDocManager::ProposedSaveName(const CLogicDoc& doc) const {
    if (!doc.GetPathName().empty())
        return FromStd(doc.GetPathName());
    const QString extension = DocTemplateString(DocTemplateField::FilterExt);
    auto source = sourceFiles_.find(&doc);
    if (source != sourceFiles_.end()) {
        const QFileInfo info(FromStd(source->second));
        return info.dir().filePath(info.completeBaseName() + extension);
    }
    QString name = FromStd(doc.GetTitle());
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name + extension;
}

bool CDocManager::SaveDocument(CLogicDoc& doc) {
    return DoSave(doc, false);
}

bool CDocManager::SaveDocumentAs(CLogicDoc& doc) {
    return DoSave(doc, true);
}

void CDocManager::CompleteEditing(CLogicDoc& doc) {
    FinishEditing(doc);
    if (doc.HasFloatingSelection())
        doc.CommitFloatingSelection(settings_.backDrawMode);
}

bool CDocManager::DoSave(CLogicDoc& doc, bool replace) {
    FinishEditing(doc);
    QString path = FromStd(doc.GetPathName());
    if (replace || path.isEmpty()) {
        path = ProposedSaveName(doc);
        if (!DoPromptFileName(path, false))
            return false;
        // A document written under a .xml or .non name would not open again as what it is,
        // because files are read by their extension.
        if (PuzzleFormatOfPath(ToStd(path)) != PuzzleFormat::Tsd) {
            path += DocTemplateString(DocTemplateField::FilterExt);
            if (QFileInfo::exists(path) &&
                CurrentPrompter().Ask(Inserted(text::IdsFileReplaceAsk, path), false) !=
                    Prompter::Answer::Yes) {
                return false;
            }
        }
    }
    // A fragment still floating is part of what the user sees, so it goes into the file.
    CompleteEditing(doc);
    try {
        SaveDocumentFile(doc, ToStd(path));
    } catch (...) {
        CurrentPrompter().ShowError(FileErrorMessage(path, true));
        return false;
    }
    sourceFiles_.erase(&doc);
    recentFiles_.Add(doc.GetPathName());
    emit recentFilesChanged();
    emit documentRenamed(&doc);
    return true;
}

bool CDocManager::SaveModified(CLogicDoc& doc) {
    FinishEditing(doc);
    if (!doc.IsModified())
        return true;
    const QString name = FromStd(doc.GetPathName().empty() ? doc.GetTitle() : doc.GetPathName());
    switch (CurrentPrompter().Ask(Inserted(text::IdsAskToSave, name), true)) {
        case Prompter::Answer::Yes:
            return DoSave(doc, false);
        case Prompter::Answer::No:
            return true;
        case Prompter::Answer::Cancel:
            break;
    }
    return false;
}

bool CDocManager::CloseDocument(CLogicDoc& doc) {
    if (!SaveModified(doc))
        return false;
    emit documentClosing(&doc);
    sourceFiles_.erase(&doc);
    std::erase_if(documents_, [&doc](const auto& owned) { return owned.get() == &doc; });
    return true;
}

bool CDocManager::SaveAllModified() {
    for (CLogicDoc* doc : Documents()) {
        if (!SaveModified(*doc))
            return false;
    }
    return true;
}

void CDocManager::CloseAllDocuments() {
    while (!documents_.empty()) {
        CLogicDoc* doc = documents_.back().get();
        emit documentClosing(doc);
        sourceFiles_.erase(doc);
        documents_.pop_back();
    }
}

}  // namespace tessemar
