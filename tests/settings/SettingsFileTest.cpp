#include "SettingsFile.h"

#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "TAppSettings.h"
#include "XmlNode.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A settings file: the element Settings with the given children.
QByteArray SettingsFile(const QString& children)
{
    return Utf16Le(u"<Settings>"_s + children + u"</Settings>"_s, false);
}

} // namespace

TEST(SettingsFile, EverySettingSurvivesSaveAndLoad)
{
    TAppSettings settings = DefaultSettings();
    settings.TagStart = u"<<"_s;
    settings.psDelimeter = u" _\t"_s;
    settings.psTagsStart = {u"<w"_s, u"<c "_s, u"&"_s, u"\"q\""_s};
    settings.tsSectionsStart = u"  <Sec a='1' b=\"2\">\r\n  "_s;
    settings.tsSentencesExceptions = {u"e.g."_s, u""_s, u"i.e. <x>"_s};
    settings.swPatternHistory = {u"the & a"_s, u"colo%r"_s};
    settings.sdAtMaxWords = -7;
    settings.soCaseSensitive = true;
    settings.srPara = false;
    settings.WrdDelims = u" \u2014"_s;
    settings.psEmbeddedInWord = true;

    TTestFiles files;
    // A new account has no configuration folder yet.
    const QString path = files.Path(u"home/.config/Tamborix/settings2.xml"_s);
    SaveSettings(settings, path);
    TAppSettings loaded;
    LoadSettings(loaded, path);
    EXPECT_TRUE(loaded == settings);
}

TEST(SettingsFile, WrittenFormBeginsWithTheTagStart)
{
    TTestFiles files;
    const QString path = files.Path(u"settings2.xml"_s);
    SaveSettings(DefaultSettings(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(
        bytes.startsWith(Utf16Le(u"\r\n<Settings>\r\n\t<TagStart Value=\"&lt;\"/>"_s, false)));
    EXPECT_TRUE(bytes.endsWith(Utf16Le(u"<PatternHistory/>\r\n</Settings>"_s, false)));
}

TEST(SettingsFile, MissingValuesAndTheirFallBacks)
{
    TTestFiles files;
    TAppSettings settings;
    // No WrdDelims, no srSect, no sdAtMaxWords; list items of any name.
    LoadSettings(
        settings,
        files.Write(
            u"a.xml"_s,
            SettingsFile(
                u"<srSent Value=\"0\"/><srPara Value=\"0\"/><srText Value=\"0\"/>"
                "<SentencesExceptions><x Value=\"e.g.\"/><Item7/><y Value=\"z\"/></SentencesExceptions>"_s)));
    EXPECT_EQ(settings.WrdDelims, u",. ;/\\:'\"`~()[]{}"_s);
    EXPECT_TRUE(settings.srSent && settings.srPara && settings.srSect && settings.srText);
    EXPECT_EQ(settings.sdAtMaxWords, 0);
    EXPECT_TRUE(settings.wcStar.isEmpty()); // not the default
    EXPECT_EQ(settings.tsSentencesExceptions, (QStringList{u"e.g."_s, u""_s, u"z"_s}));

    LoadSettings(
        settings,
        files.Write(
            u"b.xml"_s,
            SettingsFile(u"<WrdDelims/><soCaseSensitive Value=\"maybe\"/><srSent Value=\"1\"/>"
                         "<srPara Value=\"0\"/><srSect Value=\"0\"/><srText Value=\"0\"/>"_s)));
    EXPECT_TRUE(settings.WrdDelims.isEmpty());
    EXPECT_FALSE(settings.soCaseSensitive);
    EXPECT_TRUE(settings.srSent);
    EXPECT_FALSE(settings.srPara || settings.srSect || settings.srText);

    LoadSettings(
        settings,
        files.Write(
            u"c.xml"_s,
            SettingsFile(
                u"<srSent Value=\"1\"/><srPara Value=\"x\"/><srSect Value=\"0\"/><srText Value=\"0\"/>"_s)));
    EXPECT_TRUE(settings.srSent && settings.srPara && settings.srSect && settings.srText);
}

TEST(SettingsFile, AValueThatDoesNotConvertStopsTheReading)
{
    TTestFiles files;
    TAppSettings settings;
    const QString path = files.Write(
        u"bad.xml"_s,
        SettingsFile(
            u"<TagStart Value=\"[\"/><tsSectionsType Value=\"two\"/><wcStar Value=\"#\"/>"_s));
    EXPECT_THROW(LoadSettings(settings, path), TXmlError);
    EXPECT_EQ(settings.TagStart, u"["_s); // read before the error
    EXPECT_EQ(settings.wcStar, u"*"_s);   // still the default
}

TEST(SettingsFile, UnreadableOrMissingFileLeavesTheDefaults)
{
    TTestFiles files;
    TAppSettings settings;
    LoadSettings(settings, files.Path(u"none.xml"_s));
    EXPECT_TRUE(settings == DefaultSettings());

    const QString path =
        files.Write(u"broken.xml"_s, Utf16Le(u"<Settings><TagStart Value=\"x"_s, false));
    EXPECT_THROW(LoadSettings(settings, path), TXmlError);
    EXPECT_TRUE(settings == DefaultSettings());
}

TEST(SettingsFile, OtherTopLevelElementsStay)
{
    const IXmlDocument document = NewXmlDocument();
    document->FindOrAddChild(u"General"_s)->WriteIntAttr(u"Version"_s, 2);
    document->FindOrAddChild(u"Settings"_s)->AddElement(u"Old"_s);
    DefaultSettings().ToXml(*document);
    ASSERT_EQ(document->Children().Count(), 2);
    EXPECT_EQ(document->Children().Item(0)->ReadIntAttr(u"Version"_s, 0), 2);
    const IXmlNode settings = document->Children().Item(1);
    EXPECT_EQ(settings->Children().Item(0)->Name(), u"TagStart"_s);
    EXPECT_EQ(settings->Children().Count(), 64);
}
