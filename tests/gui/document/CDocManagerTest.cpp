#include "gui/document/CDocManager.h"

#include "DocManagerFixture.h"
#include "core/document/TsdFile.h"
#include "support/DocumentFiles.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tessemar {
namespace {

using Answer = Prompter::Answer;

class CDocManagerTest : public test::DocManagerFixture {};

TEST_F(CDocManagerTest, NewDocumentsAreNumberedAndTakeTheDefaults) {
    ini_.WriteInt("Default", "Row", 7);
    ini_.WriteInt("Default", "Col", 3);
    CLogicDoc* first = docs_.OnFileNew();
    CLogicDoc* second = docs_.OnFileNew();
    EXPECT_EQ(first->GetTitle(), "Logic1");
    EXPECT_EQ(second->GetTitle(), "Logic2");
    EXPECT_EQ(first->columnCount(), 7);
    EXPECT_EQ(first->rowCount(), 3);
    docs_.CloseDocument(*first);
    // Numbers are not given out twice, even after a close.
    EXPECT_EQ(docs_.OnFileNew()->GetTitle(), "Logic3");
}

TEST_F(CDocManagerTest, OpeningAGoodFileAddsItToTheRecentFiles) {
    WriteSampleDocument(dir_.File("cat.tsd"), 6, 2);
    QSignalSpy opened(&docs_, &CDocManager::documentOpened);
    CLogicDoc* doc = docs_.OpenDocumentFile(Q(dir_.File("cat.tsd")));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), "cat.tsd");
    EXPECT_EQ(opened.count(), 1);
    ASSERT_EQ(recent_.Entries().size(), 1u);
    EXPECT_EQ(recent_.Entries()[0], dir_.File("cat.tsd"));

    // The same file again, even by another name, brings the open document forward.
    QSignalSpy activated(&docs_, &CDocManager::documentActivated);
    EXPECT_EQ(docs_.OpenDocumentFile(Q(dir_.Path() + "/./cat.tsd")), doc);
    EXPECT_EQ(activated.count(), 1);
    EXPECT_EQ(docs_.Documents().size(), 1u);
}

TEST_F(CDocManagerTest, FilesThatDoNotOpenAreReportedByNameAndOpenNothing) {
    WriteBadFile(dir_.File("bad.tsd"));
    std::filesystem::create_directory(dir_.File("folder.tsd"));
    struct Case {
        std::string path;
        QString expected;
    } cases[] = {
        {dir_.File("bad.tsd"),
         Q(dir_.File("bad.tsd")) + QStringLiteral("\nUnexpected file format.")},
        {dir_.File("missing.tsd"), Q(dir_.File("missing.tsd")) + QStringLiteral(" was not found.")},
        {dir_.File("folder.tsd"), QStringLiteral("An unexpected error occurred while reading ") +
                                      Q(dir_.File("folder.tsd"))},
    };
    for (const Case& c : cases) {
        prompter_.errors.clear();
        EXPECT_EQ(docs_.OpenDocumentFile(Q(c.path)), nullptr) << c.path;
        ASSERT_EQ(prompter_.errors.size(), 1) << c.path;
        EXPECT_TRUE(prompter_.errors[0].startsWith(c.expected))
            << prompter_.errors[0].toStdString();
    }
    EXPECT_TRUE(docs_.Documents().empty());
    EXPECT_TRUE(recent_.Entries().empty());
}

TEST_F(CDocManagerTest, ARecentEntryThatNoLongerOpensLeavesTheList) {
    WriteSampleDocument(dir_.File("a.tsd"));
    recent_.Add(dir_.File("gone.tsd"));
    recent_.Add(dir_.File("a.tsd"));
    EXPECT_EQ(docs_.OpenRecentFile(1), nullptr);
    EXPECT_EQ(recent_.Entries(), std::vector<std::string>{dir_.File("a.tsd")});
    EXPECT_NE(docs_.OpenRecentFile(0), nullptr);
}

TEST_F(CDocManagerTest, OpenDialogOffersDocumentsFirstAndOtherFormats) {
    WriteSampleDocument(dir_.File("a.tsd"));
    prompter_.files = {Q(dir_.File("a.tsd")), std::nullopt};
    docs_.OnFileOpen();
    docs_.OnFileOpen();
    ASSERT_EQ(prompter_.requests.size(), 2u);
    const FileDialogRequest& request = prompter_.requests[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.defaultExtension, QStringLiteral("tsd"));
    EXPECT_EQ(request.filters.first(), QStringLiteral("Tessemar File (*.tsd)"));
    EXPECT_EQ(docs_.Documents().size(), 1u);
}

TEST_F(CDocManagerTest, SaveOfANewDocumentAsksForANameAndKeepsIt) {
    CLogicDoc* doc = docs_.OnFileNew();
    doc->SetModifiedFlag(true);
    prompter_.files = {Q(dir_.File("mine.tsd"))};
    ASSERT_TRUE(docs_.SaveDocument(*doc));
    ASSERT_EQ(prompter_.requests.size(), 1u);
    EXPECT_FALSE(prompter_.requests[0].open);
    EXPECT_EQ(prompter_.requests[0].path, QStringLiteral("Logic1.tsd"));
    EXPECT_EQ(doc->GetPathName(), dir_.File("mine.tsd"));
    EXPECT_EQ(doc->GetTitle(), "mine.tsd");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NO_THROW(OpenDocumentFile(dir_.File("mine.tsd")));

    // Save writes to the file again without a dialog.
    doc->SetModifiedFlag(true);
    ASSERT_TRUE(docs_.SaveDocument(*doc));
    EXPECT_EQ(prompter_.requests.size(), 1u);
}

TEST_F(CDocManagerTest, ADocumentIsNeverWrittenUnderAnotherFormatsName) {
    CLogicDoc* doc = docs_.OnFileNew();
    prompter_.files = {Q(dir_.File("x.non"))};
    ASSERT_TRUE(docs_.SaveDocumentAs(*doc));
    EXPECT_EQ(doc->GetPathName(), dir_.File("x.non.tsd"));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("x.non")));

    // When that name exists, the user is asked first.
    CLogicDoc* other = docs_.OnFileNew();
    prompter_.files = {Q(dir_.File("x.non"))};
    prompter_.answers = {Answer::No};
    EXPECT_FALSE(docs_.SaveDocumentAs(*other));
    EXPECT_TRUE(other->GetPathName().empty());
}

TEST_F(CDocManagerTest, APuzzleOfAnotherFormatIsSavedAsADocumentBesideIt) {
    std::ofstream(dir_.File("duck.non")) << "width 3\nheight 2\nrows\n1\n3\ncolumns\n2\n1\n2\n";
    CLogicDoc* doc = docs_.OpenDocumentFile(Q(dir_.File("duck.non")));
    if (!doc)
        GTEST_SKIP() << "the .non reader is not there: "
                     << prompter_.errors.join(' ').toStdString();
    EXPECT_TRUE(doc->GetPathName().empty()) << "Save must never overwrite the foreign file";
    EXPECT_EQ(docs_.ProposedSaveName(*doc), Q(dir_.File("duck.tsd")));
    // Opening the foreign file again finds the document that came from it.
    EXPECT_EQ(docs_.OpenDocumentFile(Q(dir_.File("duck.non"))), doc);
}

TEST_F(CDocManagerTest, CloseAsksAboutChangesAndCancelOrAFailedSaveKeepsTheDocument) {
    CLogicDoc* doc = docs_.OnFileNew();
    EXPECT_TRUE(docs_.SaveModified(*doc)) << "an unchanged document closes without a question";
    EXPECT_TRUE(prompter_.questions.isEmpty());

    doc->SetModifiedFlag(true);
    prompter_.answers = {Answer::Cancel};
    EXPECT_FALSE(docs_.CloseDocument(*doc));
    EXPECT_EQ(prompter_.questions.value(0), QStringLiteral("Save changes to Logic1?"));
    ASSERT_EQ(docs_.Documents().size(), 1u);

    // Yes, but the file cannot be written: the user is told and the document stays.
    prompter_.answers = {Answer::Yes};
    prompter_.files = {Q(dir_.File("no-such-folder/x.tsd"))};
    EXPECT_FALSE(docs_.CloseDocument(*doc));
    EXPECT_EQ(prompter_.errors.size(), 1);
    EXPECT_TRUE(prompter_.errors.value(0).contains(Q(dir_.File("no-such-folder/x.tsd"))));
    ASSERT_EQ(docs_.Documents().size(), 1u);
    EXPECT_TRUE(doc->IsModified());

    // Yes with a good name saves, then closes.
    QSignalSpy closing(&docs_, &CDocManager::documentClosing);
    prompter_.answers = {Answer::Yes};
    prompter_.files = {Q(dir_.File("kept.tsd"))};
    EXPECT_TRUE(docs_.CloseDocument(*doc));
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(docs_.Documents().empty());
    EXPECT_TRUE(std::filesystem::exists(dir_.File("kept.tsd")));
}

TEST_F(CDocManagerTest, SaveAllModifiedStopsAtTheFirstCancel) {
    for (int i = 0; i < 3; ++i)
        docs_.OnFileNew()->SetModifiedFlag(true);
    prompter_.answers = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(docs_.SaveAllModified());
    EXPECT_EQ(prompter_.questions.size(), 2);
    EXPECT_EQ(docs_.Documents().size(), 3u);
}

}  // namespace
}  // namespace tessemar
