#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace tessemar {

// The file dialog a command asks for.
struct FileDialogRequest {
    bool open = true;
    QString title;
    // In: the initial file name (may carry a folder); out: the chosen path.
    QString path;
    // Appended when the user types a name without an extension.
    QString defaultExtension;
    // Qt filter entries, "Name (*.a *.b)"; the first one is selected.
    QStringList filters;
};

// A face and a weight of a font; the size is never the user's choice here.
struct FontChoice {
    QString faceName;
    int weight = 700;
};

// Every question, message and file dialog of the shell goes through one prompter, so that the
// program shows message boxes and file dialogs while tests answer them without a screen.
class Prompter {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    // A question with Yes and No, and Cancel when withCancel.
    virtual Answer Ask(const QString& text, bool withCancel) = 0;
    // A warning that asks for consent before something that cannot be taken back: Yes or No.
    virtual Answer Confirm(const QString& text) = 0;
    virtual void ShowError(const QString& text) = 0;
    virtual void ShowInformation(const QString& text) = 0;
    // True when the user confirmed a file; then request.path holds it. A save dialog asks
    // before it lets the user choose an existing file.
    virtual bool PromptForFile(FileDialogRequest& request) = 0;
    // The colour chooser on color; true when the user confirmed, then color holds the choice.
    virtual bool PromptForColor(QColor& color) = 0;
    // The font chooser on font; true when the user confirmed, then font holds the choice.
    virtual bool PromptForFont(FontChoice& font) = 0;
};

// Message boxes and file dialogs owned by a window of the program.
class WidgetPrompter : public Prompter {
  public:
    // owner is looked up at each call: the main window may not exist yet.
    Answer Ask(const QString& text, bool withCancel) override;
    Answer Confirm(const QString& text) override;
    void ShowError(const QString& text) override;
    void ShowInformation(const QString& text) override;
    bool PromptForFile(FileDialogRequest& request) override;
    bool PromptForColor(QColor& color) override;
    bool PromptForFont(FontChoice& font) override;
};

// The program's prompter; the widget prompter unless another one was set.
Prompter& CurrentPrompter();
// Sets the prompter (not owned); nullptr goes back to the widget prompter.
void SetCurrentPrompter(Prompter* prompter);

// Turns a "|"-separated filter of the string table, "Name|pattern|Name|pattern||" with
// patterns joined by ";", into Qt filter entries "Name (patterns)". "*.*" becomes "*", which
// is what matches every file here; a name that already ends with its patterns in
// parentheses keeps its text.
QStringList ConvertFilter(const QString& filter);

// The extension a Qt filter entry stands for ("PNG File (*.png)" gives "png"); fallback for
// one that matches every file.
QString DefaultSuffixOf(const QString& filter, const QString& fallback);

// The file dialog for every file the program reads or writes besides documents (bitmaps,
// reports, wallpaper pictures). path holds the initial file name on entry and the chosen file
// on return; true when the user confirmed.
bool PromptFileName(bool open, QString& path, const QString& defaultExtension, const QString& title,
                    const QString& filter);

}  // namespace tessemar
