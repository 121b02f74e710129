#include "gui/output/CTextPreviewDialog.h"

#include "core/io/FileUtil.h"
#include "core/settings/AppSettings.h"
#include "core/text/Format.h"
#include "core/text/StringTable.h"
#include "gui/output/WriteErrorMessage.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include <cerrno>

namespace tessemar {
namespace {

QString Load(unsigned id) {
    std::string_view text = text::LoadString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string LoadStd(unsigned id) {
    return std::string(text::LoadString(id));
}

}  // namespace

CTextPreviewDialog::CTextPreviewDialog(const IniFile& ini, QWidget* parent)
    : QDialog(parent), ini_(ini) {
    setWindowTitle(QStringLiteral("TextPreviewDialog"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    auto* menu = new QMenuBar(this);
    QAction* saveAs = menu->addAction(Load(text::IdsReportMenuSaveAs));
    QAction* close = menu->addAction(Load(text::IdsReportMenuClose));
    connect(saveAs, &QAction::triggered, this, &CTextPreviewDialog::SaveAs);
    connect(close, &QAction::triggered, this, &CTextPreviewDialog::reject);

    editor_ = new QPlainTextEdit(this);
    editor_->setReadOnly(true);
    // Read-only text still shows a caret, so that the keyboard can move through the report.
    editor_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_->installEventFilter(this);

    // The text box covers the whole client area under the menu, whatever the window's size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(editor_);

    promptForSave_ = [this](const SaveRequest& request) -> std::optional<QString> {
        QFileDialog dialog(this, request.title, request.proposedName);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(request.filters);
        dialog.setDefaultSuffix(request.defaultExtension);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    };
    showError_ = [this](const QString& message) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), message);
    };
}

void CTextPreviewDialog::SetText(std::string text) {
    text_ = std::move(text);
    QString shown = QString::fromUtf8(text_.data(), static_cast<qsizetype>(text_.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    editor_->setPlainText(shown);
}

void CTextPreviewDialog::Initialize() {
    initialized_ = true;
    if (!icon_.isNull())
        setWindowIcon(icon_);
    setWindowTitle(captionPrefix_ + documentName_);
    WindowRect rect = ReadTextDialogRect(ini_);
    move(rect.left, rect.top);
    resize(std::max(1, rect.right - rect.left), std::max(1, rect.bottom - rect.top));
}

void CTextPreviewDialog::showEvent(QShowEvent* event) {
    if (!initialized_)
        Initialize();
    QDialog::showEvent(event);
}

void CTextPreviewDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

bool CTextPreviewDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusIn) {
        // Nothing selected when the box gets the focus, and the caret in view.
        QTextCursor cursor = editor_->textCursor();
        cursor.clearSelection();
        editor_->setTextCursor(cursor);
        editor_->ensureCursorVisible();
    }
    return QDialog::eventFilter(watched, event);
}

void CTextPreviewDialog::StoreRectangle() {
    // Stored as it is restored: the window's position and its size, so that a window that is
    // opened and closed again keeps its place to the pixel.
    WindowRect rect;
    rect.left = x();
    rect.top = y();
    rect.right = x() + width();
    rect.bottom = y() + height();
    WriteTextDialogRect(ini_, rect);
}

void CTextPreviewDialog::accept() {
    reject();
}

void CTextPreviewDialog::reject() {
    StoreRectangle();
    QDialog::reject();
}

QString CTextPreviewDialog::ProposedFileName(const QString& documentName) {
    QString name = documentName;
    qsizetype slash =
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0)
        name = name.mid(slash + 1);
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name = name.left(dot);
    return name;
}

QStringList CTextPreviewDialog::SplitFilter(const std::string& filter) {
    // "name|pattern|name|pattern||": Qt wants "name" entries that carry their patterns, which
    // the program's names already do ("Text File (*.txt)").
    QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        entries << parts[i];
    }
    return entries;
}

void CTextPreviewDialog::SaveAs() {
    const std::string kind = LoadStd(text::IdsTextFileName);
    const std::string extension = LoadStd(text::IdsTextFileExtension);
    SaveRequest request;
    request.title =
        QString::fromStdString(text::Format(text::LoadString(text::IdsSaveToFormat), {kind}));
    request.filters = SplitFilter(
        text::Format(text::LoadString(text::IdsSaveFilterFormat), {kind, extension, extension}));
    request.defaultExtension = QString::fromStdString(extension);
    request.proposedName = ProposedFileName(documentName_);
    std::optional<QString> path = promptForSave_ ? promptForSave_(request) : std::nullopt;
    if (!path || path->isEmpty())
        return;
    // A file that cannot be written leaves the window open with its text; an existing file is
    // replaced only by a complete one.
    FileStatus status = WriteFileAtomically(path->toStdString(), text_);
    if (!status.ok) {
        if (showError_)
            showError_(WriteErrorMessage(status.error, *path));
        return;
    }
    reject();
}

}  // namespace tessemar
