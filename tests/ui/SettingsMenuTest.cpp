// The settings dialogs as the main window opens them: each from its menu
// item with F1 for its part of the guide, the settings file written after it
// whatever the button, and what the dialogs set used by the next search.
#include "HelpGuide.h"
#include "MainWindowFixture.h"
#include "OneCharEdit.h"
#include "SearchRunner.h"
#include "SettingsFile.h"
#include "TBinSet.h"
#include "uNormalTags.h"
#include "uOptions.h"
#include "uPartOfSpeechTags.h"
#include "uResult.h"
#include "uTextSettings.h"

#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QShortcut>

namespace {

QStringList BrownFiles(int count)
{
    const QDir folder(QString::fromUtf8(TAMBORIX_SHARED_DIR "/corpora/brown"));
    QStringList files;
    for (const QString& name : folder.entryList({u"ca[0-9][0-9]"_s}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files.mid(0, count);
}

// "the/at" tokens between whitespace, counted without the analysis.
int CountTheAt(const QStringList& files)
{
    const QRegularExpression token(u"(?<!\\S)(?i)the/at(?!\\S)"_s);
    int count = 0;
    for (const QString& path : files) {
        for (auto it = token.globalMatch(QString::fromLatin1(FileBytes(path))); it.hasNext();
             it.next())
            ++count;
    }
    return count;
}

template <typename TDialog>
std::function<int(QDialog&)> Answer(std::function<void(TDialog&)> answer)
{
    return [answer](QDialog& dialog) {
        answer(dynamic_cast<TDialog&>(dialog));
        return dialog.result();
    };
}

} // namespace

TEST_F(MainWindowTest, EachSettingsDialogOpensFromItsItemAndTheFileIsWrittenAfterCancel)
{
    const struct {
        QAction* Item;
        const char* Dialog;
        const char16_t* GuideSection;
    } items[] = {
        {Main.miTextSettings, "TfrmTextSettings", GuideSection::TextSettings},
        {Main.miTextSettingsO, "TfrmTextSettings", GuideSection::TextSettings},
        {Main.miNormalTags, "TfrmNormalTags", GuideSection::TagSettings},
        {Main.miPartofSpeechTags, "TfrmPartOfSpeechTags", GuideSection::TagSettings},
        {Main.GeneralOptions1, "TfrmOptions", GuideSection::Options},
    };
    const QString file = Files.Path(u"settings2.xml"_s);
    for (const auto& item : items) {
        QFile::remove(file);
        QString shown;
        User.DialogSteps.push_back([&shown](QDialog& dialog) {
            shown = QString::fromLatin1(dialog.metaObject()->className());
            emit dialog.findChild<QShortcut*>()->activated(); // F1
            return int(QDialog::Rejected);
        });
        item.Item->trigger();
        EXPECT_EQ(shown, QString::fromLatin1(item.Dialog));
        EXPECT_EQ(User.OpenedUrls.value(0).fragment(), QString::fromUtf16(item.GuideSection));
        User.OpenedUrls.clear();
        EXPECT_TRUE(QFile::exists(file)) << item.Dialog;
    }
    EXPECT_TRUE(Messages.Errors.isEmpty() && Messages.Warnings.isEmpty());
}

// The tagged Brown texts need the tag delimiter "/", paragraphs at blank
// lines and only blanks between words; a user sets all three in the dialogs.
TEST_F(MainWindowTest, BrownCorpusSearchedWithTheSettingsOfTheDialogs)
{
    const QStringList brown = BrownFiles(3);
    if (brown.size() != 3)
        GTEST_SKIP() << "the Brown corpus is not in ../shared/corpora/brown";
    User.DialogSteps.push_back(Answer<TfrmPartOfSpeechTags>([](TfrmPartOfSpeechTags& tags) {
        tags.EmbededCB->click();
        tags.DelimiterEdit->setText(u"/"_s);
        tags.OkBtnClick();
    }));
    Main.miPartofSpeechTags->trigger();
    User.DialogSteps.push_back(Answer<TfrmTextSettings>([](TfrmTextSettings& text) {
        text.ParagraphsCombo->setCurrentIndex(2); // "Two New Lines delimited"
        text.OKBtnClick();
    }));
    Main.miTextSettingsO->trigger();
    User.DialogSteps.push_back(Answer<TfrmOptions>([](TfrmOptions& options) {
        options.edtWrdDelims->setText(u" "_s);
        options.btnOkClick();
    }));
    Main.GeneralOptions1->trigger();

    TAppSettings stored;
    LoadSettings(stored, Files.Path(u"settings2.xml"_s));
    EXPECT_TRUE(stored.psEmbeddedInWord && !stored.psOutsideOfWord);
    EXPECT_EQ(stored.psDelimeter, u"/"_s);
    EXPECT_EQ(stored.tsParagraphsType, 2);
    EXPECT_EQ(stored.WrdDelims, u" "_s);

    User.FilesToOpen = brown;
    Main.LoadCorpusFiles1->trigger();
    AnswerSearch(u"the&at"_s, {true, true, false, false});
    Main.DoSearch(Main.miWordTag);
    ASSERT_EQ(Main.ChildWindows().size(), 2);
    const TBinSet& paragraphs =
        static_cast<TfrmResults*>(Main.ChildWindows().constLast())->SavedBinSet();
    EXPECT_EQ(paragraphs.TotalMatches, CountTheAt(brown));

    // The same search with the settings written directly: the dialogs changed
    // exactly these.
    TCollectedMessages messages;
    TSearchRunner runner(stored, messages);
    const TSearchResult direct =
        runner.Run({u"the&at"_s, ssWordTag, {false, true, false, false}, brown});
    EXPECT_EQ(paragraphs.TotalParagraphs,
              direct.Bins.Of(TDistribution::Paragraph)->TotalParagraphs);
    // Each text has many paragraphs at blank lines, where by indentation it had one.
    EXPECT_GT(paragraphs.TotalParagraphs, 30 * brown.size());
}
