#pragma once

#include "core/document/CLogicDoc.h"
#include "core/settings/AppSettings.h"
#include "gui/document/RecentFileList.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessemar {

// The parts of the document template string: newline-separated fields.
enum class DocTemplateField {
    WindowTitle,
    DocName,
    FileNewName,
    FilterName,
    FilterExt,
    RegFileTypeId,
    RegFileTypeName
};
QString DocTemplateString(DocTemplateField field);

// The open documents: New, Open, Save, Save As and Close with their dialogs and questions.
// Windows are not its business: it announces documents as they come and go, and the main
// window shows them.
class CDocManager : public QObject {
    Q_OBJECT
  public:
    CDocManager(const IniFile& ini, const AppSettings& settings, RecentFileList& recentFiles);
    ~CDocManager() override;

    std::vector<CLogicDoc*> Documents() const;
    // The settings file, whose section Default new documents come from.
    const IniFile& Ini() const { return ini_; }

    // A new document from the settings file's section Default, titled Logic1, Logic2, ...
    CLogicDoc* OnFileNew();
    // Asks for a file and opens it.
    void OnFileOpen();
    // Opens a document file or a puzzle of another format. A file that is open already is
    // brought to the front instead. On failure the user is told why, naming the file, and
    // nothing opens: the result is nullptr.
    CLogicDoc* OpenDocumentFile(const QString& path);
    // Opens an entry of the recent-file list; an entry that no longer opens leaves the list.
    CLogicDoc* OpenRecentFile(std::size_t index);

    // Save writes to the document's own file, asking for a name when it has none; Save As
    // always asks. False when the user cancelled or the file could not be written (the user
    // has been told; the document keeps its changes).
    bool SaveDocument(CLogicDoc& doc);
    bool SaveDocumentAs(CLogicDoc& doc);

    // For a modified document: "Save changes to ...?" with Yes, No and Cancel. False means
    // the document must stay open (Cancel, or saving failed).
    bool SaveModified(CLogicDoc& doc);
    // Closes a document after SaveModified; false when it stays open.
    bool CloseDocument(CLogicDoc& doc);
    // SaveModified for every document in turn; false as soon as one must stay open.
    bool SaveAllModified();
    // Closes every document without a question.
    void CloseAllDocuments();

    // What a window still holds in an in-place editor goes into the document now: before the
    // document is saved, asked about, solved or printed.
    void FinishEditing(CLogicDoc& doc) { emit finishEditing(&doc); }
    // FinishEditing, and a fragment still floating goes into the picture: what is saved,
    // printed or exported is the picture the user sees.
    void CompleteEditing(CLogicDoc& doc);

    // The open/save dialog for documents. path: in, the proposed name; out, the chosen file.
    bool DoPromptFileName(QString& path, bool open);

    // The name Save As proposes for a document.
    QString ProposedSaveName(const CLogicDoc& doc) const;

  signals:
    void documentOpened(tessemar::CLogicDoc* doc);
    // Asked to bring an open document to the front.
    void documentActivated(tessemar::CLogicDoc* doc);
    // Its file or title changed.
    void documentRenamed(tessemar::CLogicDoc* doc);
    // Sent just before the document is destroyed.
    void documentClosing(tessemar::CLogicDoc* doc);
    void finishEditing(tessemar::CLogicDoc* doc);
    void recentFilesChanged();

  private:
    CLogicDoc* Adopt(std::unique_ptr<CLogicDoc> doc);
    bool DoSave(CLogicDoc& doc, bool replace);

    const IniFile& ini_;
    const AppSettings& settings_;
    RecentFileList& recentFiles_;
    std::vector<std::unique_ptr<CLogicDoc>> documents_;
    // Puzzles read from another program's format have no path of their own (saving must not
    // overwrite the foreign file); Save As proposes a document beside the file they came from.
    std::map<const CLogicDoc*, std::string> sourceFiles_;
    int untitledCount_ = 0;
};

// The message for a file that could not be read or written; call inside a catch block.
QString FileErrorMessage(const QString& path, bool writing);

}  // namespace tessemar
