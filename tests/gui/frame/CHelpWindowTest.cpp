#include "gui/frame/CHelpWindow.h"

#include "core/text/StringTable.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// The resource macros declare their functions in the namespace they are used in, so they are
// used here, outside ours.
static void RemoveManual() {
    Q_CLEANUP_RESOURCE(help);
}
static void RestoreManual() {
    Q_INIT_RESOURCE(help);
}

namespace tessemar {
namespace {

QString ReadPage(const QString& name) {
    QFile file(QStringLiteral(":/help/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The first group of each match, as standard strings, so that a failure prints readable names.
std::vector<std::string> Captures(const QString& html, const char* pattern) {
    const QRegularExpression expression(QString::fromLatin1(pattern),
                                        QRegularExpression::CaseInsensitiveOption);
    std::vector<std::string> values;
    for (auto it = expression.globalMatch(html); it.hasNext();)
        values.push_back(it.next().captured(1).toStdString());
    return values;
}

std::vector<std::string> Links(const QString& html) {
    return Captures(html, R"re(href\s*=\s*"([^"]*)")re");
}

std::set<std::string> Anchors(const QString& html) {
    const std::vector<std::string> names = Captures(html, R"re(<a\s[^>]*name\s*=\s*"([^"]*)")re");
    return {names.begin(), names.end()};
}

class CHelpWindowTest : public ::testing::Test {
  protected:
    ~CHelpWindowTest() override {
        if (window_)
            Close(window_);
        text::SetLanguage(text::Language::English);
    }

    CHelpWindow* Open(text::Language language) {
        text::SetLanguage(language);
        window_ = CHelpWindow::ShowHelp(nullptr);
        return window_;
    }

    // The window deletes itself on close; the deletion is posted, so deliver it here.
    static void Close(CHelpWindow* window) {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTextBrowser* Browser() const { return window_->findChild<QTextBrowser*>(); }

    QPointer<CHelpWindow> window_;
};

TEST_F(CHelpWindowTest, OneWindowServesEveryRequestAndTheNextOneKeepsItsSize) {
    QPointer<CHelpWindow> first = Open(text::Language::English);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CHelpWindow::ShowHelp(nullptr), first);

    // Asked for again while the closed window still waits for its deletion.
    first->resize(530, 410);
    first->close();
    ASSERT_NE(Open(text::Language::English), nullptr);
    EXPECT_NE(window_, first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window_.isNull());
    EXPECT_EQ(window_->size(), QSize(530, 410));
}

TEST_F(CHelpWindowTest, AMissingManualShowsNothing) {
    // Opening once registers the manual, which lets the test take it away again.
    ASSERT_NE(Open(text::Language::English), nullptr);
    Close(window_);
    RemoveManual();
    EXPECT_EQ(CHelpWindow::ShowHelp(nullptr), nullptr);
    RestoreManual();
    EXPECT_NE(Open(text::Language::English), nullptr);
}

// Every link of every page leads to a page and an anchor that exist, and each English page has
// a Japanese twin with the same anchors and links.
TEST_F(CHelpWindowTest, LinksLeadToPagesAndAnchorsThatExistAndBothLanguagesAgree) {
    ASSERT_NE(Open(text::Language::English), nullptr);
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList(QDir::Files);
    int internalLinks = 0;
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString html = ReadPage(page);
        EXPECT_TRUE(html.contains(QLatin1String("<meta charset=\"utf-8\">")));
        if (page.endsWith(QLatin1String("_en.htm"))) {
            const QString japanese = QString(page).replace(QLatin1String("_en.htm"), ".htm");
            EXPECT_EQ(Anchors(html), Anchors(ReadPage(japanese)));
            std::vector<std::string> links = Links(html);
            for (std::string& link : links) {
                if (const auto at = link.find("_en.htm"); at != std::string::npos)
                    link.erase(at, 3);
            }
            EXPECT_EQ(links, Links(ReadPage(japanese)));
        }
        for (const std::string& link : Links(html)) {
            const QUrl url(QString::fromStdString(link));
            if (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("mailto"))
                continue;
            ++internalLinks;
            SCOPED_TRACE(link);
            ASSERT_TRUE(url.scheme().isEmpty());
            const QString target = url.path().isEmpty() ? page : url.path();
            ASSERT_TRUE(pages.contains(target));
            if (url.hasFragment()) {
                EXPECT_TRUE(Anchors(ReadPage(target)).contains(url.fragment().toStdString()));
            }
        }
    }
    EXPECT_GT(internalLinks, 0);
}

TEST_F(CHelpWindowTest, BackForwardAndHomeFollowTheHistoryOfItsOwnPages) {
    ASSERT_NE(Open(text::Language::English), nullptr);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    const QUrl home(QStringLiteral("qrc:/help/index_en.htm"));
    const QUrl selections(QStringLiteral("qrc:/help/drawing_en.htm#select"));
    // Web links go to the desktop, not into the history: any object with a slot taking a QUrl
    // can stand in for the desktop's browser.
    QTextBrowser desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "setSource");
    const QUrl web(QStringLiteral("https://example.org/puzzles.htm"));
    emit Browser()->anchorClicked(web);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(desktop.source(), web);
    EXPECT_EQ(Browser()->source(), home);
    EXPECT_FALSE(window_->findChild<QAction*>(QStringLiteral("helpBack"))->isEnabled());

    emit Browser()->anchorClicked(QUrl(QStringLiteral("drawing_en.htm#select")));
    EXPECT_EQ(Browser()->source(), selections);

    QTest::keyClick(Browser(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Browser()->source(), home);
    QTest::keyClick(Browser(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Browser()->source(), selections);
    QTest::keyClick(Browser(), Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(Browser()->source(), home);

    QTest::keyClick(Browser(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_.isNull());
}

// Each language opens its own first page, and the zoom keys enlarge its text: fixed font sizes
// in a page's style would keep them from reaching it.
TEST_F(CHelpWindowTest, OpensTheFirstPageOfTheLanguageWhoseTextZooms) {
    struct Case {
        text::Language language;
        const char* page;
        QString phrase;
    };
    const Case cases[] = {
        {text::Language::English, "qrc:/help/index_en.htm", QStringLiteral("nonogram")},
        {text::Language::Japanese, "qrc:/help/index.htm", QStringLiteral("ノノグラム")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        ASSERT_NE(Open(c.language), nullptr);
        EXPECT_EQ(Browser()->source(), QUrl(QLatin1String(c.page)));
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
        QTextDocument* page = Browser()->document();
        const QTextBlock paragraph = page->find(c.phrase).block();
        ASSERT_TRUE(paragraph.isValid());
        const auto height = [&] {
            return page->documentLayout()->blockBoundingRect(paragraph).height();
        };
        const qreal before = height();
        QTest::keyClick(Browser(), Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(Browser(), Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_GT(height(), before);
        Close(window_);
    }
}

}  // namespace
}  // namespace tessemar
