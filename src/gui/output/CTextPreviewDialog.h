#pragma once

#include "core/settings/IniFile.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QPlainTextEdit;

namespace tessemar {

// The report window: a solver report (or any other report text) in a read-only text box that
// fills the window, with a menu to save the text to a file. Its position and size are kept in
// the settings file, section TextDlg, from one report to the next.
class CTextPreviewDialog : public QDialog {
    Q_OBJECT
  public:
    // What the save dialog is asked: a title, the proposed file name, Qt filter entries and the
    // extension added to a name typed without one.
    struct SaveRequest {
        QString title;
        QString proposedName;
        QStringList filters;
        QString defaultExtension;
    };
    // Returns the chosen path, or nothing when the user cancels.
    using PromptForSave = std::function<std::optional<QString>(const SaveRequest&)>;
    using ShowError = std::function<void(const QString&)>;

    explicit CTextPreviewDialog(const IniFile& ini, QWidget* parent = nullptr);

    // The four fields the caller sets before the window opens.
    void SetIcon(const QIcon& icon) { icon_ = icon; }
    void SetCaptionPrefix(const QString& prefix) { captionPrefix_ = prefix; }
    void SetDocumentName(const QString& name) { documentName_ = name; }
    // The report exactly as it is saved, CR LF line ends included.
    void SetText(std::string text);
    const std::string& Text() const { return text_; }

    // Places the window from the settings file, sets caption and text. exec() and show() do it
    // themselves the first time.
    void Initialize();

    // The "Save As..." command.
    void SaveAs();

    // Replace the file dialog and the message box (tests answer them without a screen).
    void SetPromptForSave(PromptForSave prompt) { promptForSave_ = std::move(prompt); }
    void SetShowError(ShowError show) { showError_ = std::move(show); }

    QPlainTextEdit* Editor() const { return editor_; }

    // The file name proposed for the report of a document: its name without folder and
    // extension.
    static QString ProposedFileName(const QString& documentName);
    // The save dialog's filter entries from the program's "a|b|c|d||" filter text.
    static QStringList SplitFilter(const std::string& filter);

    // Enter does what Close does.
    void accept() override;
    // Stores the window's rectangle, then closes.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    // Enter closes the window even though it has no default button.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void StoreRectangle();

    const IniFile& ini_;
    QIcon icon_;
    QString captionPrefix_;
    QString documentName_;
    std::string text_;
    QPlainTextEdit* editor_ = nullptr;
    bool initialized_ = false;
    PromptForSave promptForSave_;
    ShowError showError_;
};

}  // namespace tessemar
