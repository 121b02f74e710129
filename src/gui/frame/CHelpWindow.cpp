#include "gui/frame/CHelpWindow.h"

#include "core/text/StringTable.h"
#include "gui/common/UiText.h"
#include "gui/common/ResourceRegistrar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QIcon>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

// Once is enough: registering again on every request would undo a test's removal of the
// manual.
TESSEMAR_RESOURCE_REGISTRAR(InitHelpResources, help)

namespace tessemar {
namespace {

QUrl HomePage() {
    return QUrl(text::CurrentLanguage() == text::Language::Japanese
                    ? QStringLiteral("qrc:/help/index.htm")
                    : QStringLiteral("qrc:/help/index_en.htm"));
}

bool PageExists(const QUrl& page) {
    return QFile::exists(QLatin1Char(':') + page.path());
}

bool IsExternal(const QUrl& link) {
    const QString scheme = link.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

QPointer<CHelpWindow>& Instance() {
    static QPointer<CHelpWindow> instance;
    return instance;
}

}  // namespace

QSize CHelpWindow::lastSize_;

CHelpWindow* CHelpWindow::ShowHelp(QWidget* parent) {
    InitHelpResources();
    const QUrl home = HomePage();
    CHelpWindow* window = Instance();
    if (!window) {
        if (!PageExists(home))
            return nullptr;
        // Owned by the caller's window, like a help viewer on the desktop: it stays in front of
        // that window and goes with it.
        window = new CHelpWindow(home, parent ? parent->window() : nullptr);
        Instance() = window;
    } else if (window->home_ != home) {
        if (!PageExists(home))
            return nullptr;
        window->SetHome(home);
    }
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    return window;
}

CHelpWindow::CHelpWindow(const QUrl& home, QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(Text(text::IdsHelpTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessemar-16.png")));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    // Links are followed by hand, so that web and mail addresses go to the desktop's own
    // programs instead of being loaded as a page the browser cannot show.
    browser_->setOpenLinks(false);
    setCentralWidget(browser_);
    connect(browser_, &QTextBrowser::anchorClicked, this, &CHelpWindow::FollowLink);
    connect(browser_, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
            [this](const QUrl& link) {
                if (link.isEmpty())
                    statusBar()->clearMessage();
                else
                    statusBar()->showMessage(IsExternal(link) ? link.toString() : QString());
            });

    QToolBar* toolBar = addToolBar(QString());
    toolBar->setObjectName(QStringLiteral("helpToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle* style = QApplication::style();
    QAction* back = AddNavigation(
        "helpBack",
        QIcon::fromTheme(QStringLiteral("go-previous"), style->standardIcon(QStyle::SP_ArrowBack)),
        text::IdsHelpBack, QKeySequence(Qt::ALT | Qt::Key_Left));
    QAction* forward = AddNavigation(
        "helpForward",
        QIcon::fromTheme(QStringLiteral("go-next"), style->standardIcon(QStyle::SP_ArrowForward)),
        text::IdsHelpForward, QKeySequence(Qt::ALT | Qt::Key_Right));
    QAction* homeAction = AddNavigation(
        "helpHome",
        QIcon::fromTheme(QStringLiteral("go-home"), style->standardIcon(QStyle::SP_DirHomeIcon)),
        text::IdsHelpHome, QKeySequence(Qt::ALT | Qt::Key_Home));
    toolBar->addAction(back);
    toolBar->addAction(forward);
    toolBar->addAction(homeAction);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(homeAction, &QAction::triggered, this, [this] { browser_->setSource(home_); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    QAction* closeAction = new QAction(Text(text::IdsHelpClose), this);
    closeAction->setObjectName(QStringLiteral("helpClose"));
    closeAction->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);

    // Reading sizes are the browser's own; the keys are the usual ones of a document viewer.
    QAction* zoomIn = new QAction(this);
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, browser_, [this] { browser_->zoomIn(); });
    addAction(zoomIn);
    QAction* zoomOut = new QAction(this);
    zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(zoomOut, &QAction::triggered, browser_, [this] { browser_->zoomOut(); });
    addAction(zoomOut);

    if (lastSize_.isValid()) {
        resize(lastSize_);
    } else {
        QSize size(760, 620);
        if (const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen())
            size = size.boundedTo(screen->availableSize() * 9 / 10);
        resize(size);
    }
    SetHome(home);
    // Arrow and page keys scroll the page from the start.
    browser_->setFocus();
}

CHelpWindow::~CHelpWindow() {
    // Also reached without a close, when the owning window goes.
    RememberSize();
}

void CHelpWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    RememberSize();
    // The window is deleted only when the event loop comes round again; a request made before
    // then must get a new window, not this one on its way out.
    if (Instance() == this)
        Instance() = nullptr;
}

void CHelpWindow::RememberSize() {
    // A maximised window would otherwise hand its screen-filling size to the next one.
    lastSize_ = isMaximized() || isFullScreen() ? normalGeometry().size() : size();
}

void CHelpWindow::SetHome(const QUrl& home) {
    home_ = home;
    browser_->setSource(home_);
    browser_->clearHistory();
}

void CHelpWindow::FollowLink(const QUrl& link) {
    if (IsExternal(link)) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QUrl target = browser_->source().resolved(link);
    // A link to a page the manual does not have would leave an empty page behind; stay put.
    if (target.scheme() != QLatin1String("qrc") || !PageExists(target))
        return;
    browser_->setSource(target);
}

QAction* CHelpWindow::AddNavigation(const char* objectName, const QIcon& icon, unsigned textId,
                                    const QKeySequence& key) {
    QAction* action = new QAction(icon, Text(textId), this);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(key);
    action->setToolTip(
        QStringLiteral("%1 (%2)").arg(Text(textId), key.toString(QKeySequence::NativeText)));
    // The actions live on the window, so their keys work wherever the focus is inside it.
    addAction(action);
    return action;
}

}  // namespace tessemar
