#include "gui/common/Prompter.h"

#include "core/text/StringTable.h"
#include "gui/common/UiText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace tessemar {
namespace {

Prompter* currentPrompter = nullptr;

QString AppTitle() {
    return Text(text::IdsAppTitle);
}

QWidget* Owner() {
    return QApplication::activeWindow();
}

}  // namespace

Prompter::Answer WidgetPrompter::Ask(const QString& text, bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(Owner(), AppTitle(), text, buttons, QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            // Closing the box with Escape or the title bar is no consent.
            return withCancel ? Answer::Cancel : Answer::No;
    }
}

Prompter::Answer WidgetPrompter::Confirm(const QString& text) {
    QMessageBox box(QMessageBox::Warning, Text(text::IdsConfirmCaption), text,
                    QMessageBox::Yes | QMessageBox::No, Owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void WidgetPrompter::ShowError(const QString& text) {
    QMessageBox::critical(Owner(), AppTitle(), text);
}

void WidgetPrompter::ShowInformation(const QString& text) {
    QMessageBox::information(Owner(), AppTitle(), text);
}

bool WidgetPrompter::PromptForFile(FileDialogRequest& request) {
    QFileDialog dialog(Owner(), request.title);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.defaultExtension.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultExtension);
        // A name typed without an extension takes the one of the file type the user chose.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString& filter) {
            dialog.setDefaultSuffix(DefaultSuffixOf(filter, request.defaultExtension));
        });
    }
    if (!request.path.isEmpty())
        dialog.selectFile(request.path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.path = dialog.selectedFiles().constFirst();
    return true;
}

bool WidgetPrompter::PromptForColor(QColor& color) {
    const QColor chosen = QColorDialog::getColor(color, Owner());
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool WidgetPrompter::PromptForFont(FontChoice& font) {
    QFont initial(font.faceName);
    initial.setWeight(static_cast<QFont::Weight>(font.weight));
    bool ok = false;
    // Only scalable fonts: the number font's height follows the cell size.
    const QFont chosen = QFontDialog::getFont(&ok, initial, Owner(), QString(), QFontDialog::ScalableFonts);
    if (!ok)
        return false;
    font.faceName = chosen.family();
    font.weight = chosen.weight();
    return true;
}

Prompter& CurrentPrompter() {
    static WidgetPrompter widgetPrompter;
    return currentPrompter ? *currentPrompter : widgetPrompter;
}

void SetCurrentPrompter(Prompter* prompter) {
    currentPrompter = prompter;
}

QString DefaultSuffixOf(const QString& filter, const QString& fallback) {
    static const QRegularExpression firstPattern(QStringLiteral(R"(\(\*\.(\w+)[ )])"));
    const QRegularExpressionMatch match = firstPattern.match(filter);
    return match.hasMatch() ? match.captured(1) : fallback;
}

QStringList ConvertFilter(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        if (name.isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        const QString joined = patterns.join(QLatin1Char(' '));
        // "All Files (*.*)" names its pattern for the reader; Qt reads the patterns from the
        // parentheses, so they are replaced by the ones that work here.
        QString shown = name;
        const qsizetype paren = shown.lastIndexOf(QLatin1String(" ("));
        if (paren > 0 && shown.endsWith(QLatin1Char(')')))
            shown.truncate(paren);
        entries.push_back(shown + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return entries;
}

bool PromptFileName(bool open, QString& path, const QString& defaultExtension, const QString& title,
                    const QString& filter) {
    FileDialogRequest request;
    request.open = open;
    request.title = title;
    request.path = path;
    request.defaultExtension = defaultExtension;
    request.filters = ConvertFilter(filter);
    if (!CurrentPrompter().PromptForFile(request))
        return false;
    path = request.path;
    return true;
}

}  // namespace tessemar
