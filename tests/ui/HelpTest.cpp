// Help and the user guide: where the guide is looked for, what Help does with
// and without it, sections opened by their ids, and the guide's own links.
#include "../CollectedMessages.h"
#include "../TestSupport.h"
#include "HelpGuide.h"
#include "ScriptedUser.h"
#include "TAppSettings.h"
#include "uMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QSet<QString> Matches(const QString& text, const QString& pattern)
{
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text))
        found.insert(match.captured(1));
    return found;
}

TEST(HelpTest, HelpMenuOpensTheGuideOfTheBuildTree)
{
    TAppSettings settings;
    TCollectedMessages messages;
    TScriptedUser user;
    TTestFiles files;
    TfrmMain main(settings, messages, user, files.Path(u"settings2.xml"_s));

    main.miHelp->trigger();

    EXPECT_EQ(messages.Errors, QStringList());
    ASSERT_EQ(user.OpenedDocuments.size(), 1);
    EXPECT_TRUE(user.OpenedDocuments[0].endsWith(u"/share/doc/tamborix/index.html"_s));
    EXPECT_TRUE(QFileInfo(user.OpenedDocuments[0]).isFile());
}

// The installed guide comes first; the message names the place where it
// belongs, relative to the program.
TEST(HelpTest, CandidatesInOrderAndTheMissingMessage)
{
    TTestFiles files;
    const QString installed = files.Path(u"installed.html"_s);
    const QString built = files.Path(u"built.html"_s);
    const QStringList candidates{installed, built};
    const struct {
        QStringList Existing;
        QString Opened;
    } cases[] = {
        {{}, QString()},
        {{built}, built},
        {{installed, built}, installed},
    };
    for (const auto& c : cases) {
        for (const QString& path : c.Existing)
            files.Write(QFileInfo(path).fileName(), "<html></html>");
        TCollectedMessages messages;
        TScriptedUser user;

        ShowGuide(user, messages, QString(), candidates);

        if (c.Opened.isEmpty()) {
            EXPECT_EQ(user.OpenedDocuments, QStringList());
            EXPECT_EQ(messages.Errors, QStringList{u"Help file not found. Expected location: "_s +
                                                   QDir::toNativeSeparators(installed)});
        } else {
            EXPECT_EQ(user.OpenedDocuments, QStringList{c.Opened});
            EXPECT_EQ(messages.Errors, QStringList());
        }
    }
    EXPECT_EQ(GuideMissingMessage(), u"Help file not found. Expected location: "_s +
                                         QDir::toNativeSeparators(QDir::cleanPath(
                                             QCoreApplication::applicationDirPath() +
                                             u"/../share/doc/tamborix/index.html"_s)));
}

TEST(HelpTest, SectionOpensAsAnchorOfTheGuide)
{
    TCollectedMessages messages;
    TScriptedUser user;

    ShowGuide(user, messages, QString::fromUtf16(GuideSection::Options));

    ASSERT_EQ(user.OpenedUrls.size(), 1);
    const QUrl url = user.OpenedUrls[0];
    EXPECT_EQ(url.fragment(), u"options"_s);
    EXPECT_EQ(url.toLocalFile(), FindGuide());
    EXPECT_EQ(GuideUrl(u"cli"_s, {u"/nowhere/index.html"_s}), QUrl());
}

// Without a browser on the desktop, Help says where the guide is instead of
// doing nothing.
TEST(HelpTest, WithoutAViewerTheMessageNamesTheGuide)
{
    for (const QString& section : {QString(), u"cli"_s}) {
        TCollectedMessages messages;
        TScriptedUser user;
        user.DesktopHasViewer = false;

        ShowGuide(user, messages, section);

        EXPECT_EQ(messages.Errors,
                  QStringList{u"The desktop has no program to show the user guide. Open it in a "
                              "web browser: "_s +
                              QDir::toNativeSeparators(FindGuide())});
    }
}

// A section id renamed in the guide would open the guide at its top.
TEST(HelpTest, GuideHasTheSectionsAndTheTargetsOfItsLinks)
{
    const QByteArray page = FileBytes(FindGuide());
    ASSERT_FALSE(page.isEmpty());
    const QString text = QString::fromUtf8(page);
    const QSet<QString> ids = Matches(text, uR"re( id="([^"]+)")re"_s);

    for (const char16_t* section :
         {GuideSection::Options, GuideSection::TextSettings, GuideSection::TagSettings,
          GuideSection::Search, GuideSection::Patterns, GuideSection::Results,
          GuideSection::Concordance, GuideSection::CommandLine})
        EXPECT_TRUE(ids.contains(QString::fromUtf16(section)))
            << QString::fromUtf16(section).toStdString();
    for (const QString& target : Matches(text, uR"re(href="#([^"]+)")re"_s))
        EXPECT_TRUE(ids.contains(target)) << target.toStdString();
}

} // namespace
