#include "SettingsFile.h"

#include "../DefaultSettings.h"
#include "../TestSupport.h"
#include "SettingsFields.h"
#include "SettingsLimits.h"
#include "TAppSettings.h"
#include "XmlNode.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <limits>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

// A settings file: the element Settings with the given children.
QByteArray SettingsFile(const QString& children)
{
    return Utf16Le(u"<Settings>"_s + children + u"</Settings>"_s, false);
}

// Every field away from its default, each integer and text a value of its
// own as far as its range allows, so that a field written or read under
// another's name shows.
TAppSettings EveryFieldChanged()
{
    TAppSettings s = DefaultSettings();
    s.TagStart = u"<<"_s;
    s.TagStop = u">>"_s;
    s.psEmbeddedInWord = true;
    s.psOutsideOfWord = false;
    s.psDelimeter = u" _\t"_s;
    s.psTagsStart = {u"<w"_s, u"<c "_s, u"&"_s, u"\"q\""_s};
    s.psTagStop = u"/>"_s;
    s.psBeforeWord = true;
    s.tsHeaderStartTag = u"<h>"_s;
    s.tsHeaderStopTag = u"</h>"_s;
    s.tsBodyStartTag = u"<b>"_s;
    s.tsBodyStopTag = u"</b>"_s;
    s.tsSectionsType = 2;
    s.tsSectionsStart = u"  <Sec a='1' b=\"2\">\r\n  "_s;
    s.tsSectionsStop = u"</Sec>"_s;
    s.tsParagraphsType = 0;
    s.tsParagraphsStart = u"<p>"_s;
    s.tsParagraphsStop = u"</p>"_s;
    s.tsSentencesType = 0;
    s.tsSentencesStart = u"<s>"_s;
    s.tsSentencesStop = u"</s>"_s;
    s.tsSentencesDelimiters = u".;"_s;
    s.tsSentencesAbbrevDetect = false;
    s.tsSentencesIncQuotes = false;
    s.tsSentencesExceptions = {u"e.g."_s, u""_s, u"i.e. <x>"_s};
    s.tsSentencesCapital = true;
    s.wcStar = u"#"_s;
    s.wcQuestion = u"_?"_s;
    s.wcPercent = u"~"_s;
    s.soWords = false;
    s.sdAmpersant = u"/"_s;
    s.sdAt = u"@@"_s;
    s.sdAtMinWords = 4;
    s.sdAtMaxWords = 7;
    s.soSkipTags = false;
    s.soForwardBinsPreffered = false;
    s.maSaveWorkspaceOnExit = true;
    s.SentType = 2;
    s.SentPercentBins = 5;
    s.SentPositions = u"1 Other"_s;
    s.ParaType = 2;
    s.ParaPercentBins = 6;
    s.ParaPositions = u"2 Other"_s;
    s.SectType = 2;
    s.SectPercentBins = 7;
    s.SectPositions = u"3 Other"_s;
    s.TextType = 2;
    s.TextPercentBins = 100;
    s.TextPositions = u"1# # Other"_s;
    s.ExclSentLessThan = 3;
    s.ExclParaLessThan = std::numeric_limits<int>::max();
    s.swPatternHistory = {u"the & a"_s, u"colo%r"_s};
    s.swDistrOver = 9;
    s.swSyntax = ssWordPhrase;
    s.swArea = 2;
    s.stWordPhrase = u"cat"_s;
    s.stRegEx = u"c.t"_s;
    s.stWordTag = u"cat&NN"_s;
    s.srSent = s.srPara = s.srSect = s.srText = false;
    s.WrdDelims = u" \u2014"_s;
    s.soCaseSensitive = true;
    return s;
}

} // namespace

TEST(SettingsFile, EverySettingSurvivesSaveAndLoad)
{
    const TAppSettings settings = EveryFieldChanged();
    // A field that kept its default would come back whether it was read or not.
    for (const TSettingsField& field : SettingsFields) {
        std::visit(
            [&](auto member) {
                EXPECT_NE(settings.*member, DefaultSettings().*member)
                    << field.Name.toString().toStdString();
            },
            field.Member);
    }
    TTestFiles files;
    // A new account has no configuration folder yet.
    const QString path = files.Path(u"home/.config/Tamborix/settings2.xml"_s);
    SaveSettings(settings, path);
    TAppSettings loaded;
    LoadSettings(loaded, path);
    EXPECT_TRUE(loaded == settings);
}

// Files written by one build are read by the next: the text is fixed to the
// character, element order included.
TEST(SettingsFile, WritesTheFixedForm)
{
    TTestFiles files;
    const QString path = files.Path(u"settings2.xml"_s);
    SaveSettings(EveryFieldChanged(), path);
    QString expected = uR"xml(
<Settings>
	<TagStart Value="&lt;&lt;"/>
	<TagStop Value="&gt;&gt;"/>
	<psEmbeddedInWord Value="1"/>
	<psOutsideOfWord Value="0"/>
	<psDelimeter Value=" _	"/>
	<psTagStop Value="/&gt;"/>
	<psBeforeWord Value="1"/>
	<TagStartArray>
		<Item0 Value="&lt;w"/>
		<Item1 Value="&lt;c "/>
		<Item2 Value="&amp;"/>
		<Item3 Value="&quot;q&quot;"/>
	</TagStartArray>
	<tsHeaderStartTag Value="&lt;h&gt;"/>
	<tsHeaderStopTag Value="&lt;/h&gt;"/>
	<tsBodyStartTag Value="&lt;b&gt;"/>
	<tsBodyStopTag Value="&lt;/b&gt;"/>
	<tsSectionsType Value="2"/>
	<tsSectionsStart Value="  &lt;Sec a='1' b=&quot;2&quot;&gt;
  "/>
	<tsSectionsStop Value="&lt;/Sec&gt;"/>
	<tsParagraphsType Value="0"/>
	<tsParagraphsStart Value="&lt;p&gt;"/>
	<tsParagraphsStop Value="&lt;/p&gt;"/>
	<tsSentencesType Value="0"/>
	<tsSentencesStart Value="&lt;s&gt;"/>
	<tsSentencesStop Value="&lt;/s&gt;"/>
	<tsSentencesDelimiters Value=".;"/>
	<tsSentencesAbbrevDetect Value="0"/>
	<tsSentencesIncQuotes Value="0"/>
	<tsSentencesCapital Value="1"/>
	<maSaveWorkspaceOnExit Value="1"/>
	<wcStar Value="#"/>
	<wcQuestion Value="_?"/>
	<wcPercent Value="~"/>
	<soWords Value="0"/>
	<sdAmpersant Value="/"/>
	<sdAt Value="@@"/>
	<sdAtMinWords Value="4"/>
	<sdAtMaxWords Value="7"/>
	<soSkipTags Value="0"/>
	<soForwardBinsPreffered Value="0"/>
	<SentType Value="2"/>
	<SentPercentBins Value="5"/>
	<SentPositions Value="1 Other"/>
	<ParaType Value="2"/>
	<ParaPercentBins Value="6"/>
	<ParaPositions Value="2 Other"/>
	<SectType Value="2"/>
	<SectPercentBins Value="7"/>
	<SectPositions Value="3 Other"/>
	<TextType Value="2"/>
	<TextPercentBins Value="100"/>
	<TextPositions Value="1# # Other"/>
	<ExclSentLessThan Value="3"/>
	<ExclParaLessThan Value="2147483647"/>
	<swDistrOver Value="9"/>
	<swSyntax Value="1"/>
	<swArea Value="2"/>
	<stWordPhrase Value="cat"/>
	<stRegEx Value="c.t"/>
	<stWordTag Value="cat&amp;NN"/>
	<srSent Value="0"/>
	<srPara Value="0"/>
	<srSect Value="0"/>
	<srText Value="0"/>
	<WrdDelims Value=" —"/>
	<soCaseSensitive Value="1"/>
	<SentencesExceptions>
		<Item0 Value="e.g."/>
		<Item1 Value=""/>
		<Item2 Value="i.e. &lt;x&gt;"/>
	</SentencesExceptions>
	<PatternHistory>
		<Item0 Value="the &amp; a"/>
		<Item1 Value="colo%r"/>
	</PatternHistory>
</Settings>)xml"_s;
    expected.replace(u"\n"_s, u"\r\n"_s);
    const QString written = QStringDecoder(
        QStringDecoder::Utf16LE, QStringDecoder::Flag::ConvertInitialBom)(FileBytes(path));
    EXPECT_EQ(written, expected);
}

// A user may edit the file by hand, and the editor may store it in another
// encoding; a document that holds no settings is refused rather than read as
// empty settings.
TEST(SettingsFile, ReadsEachEncodingAndRefusesADocumentWithoutSettings)
{
    TTestFiles files;
    const QString saved = files.Path(u"saved.xml"_s);
    SaveSettings(EveryFieldChanged(), saved);
    const QString text = QStringDecoder(QStringDecoder::Utf16LE)(FileBytes(saved));
    const QByteArray utf16Be = QStringEncoder(QStringEncoder::Utf16BE)(text);
    struct TCase {
        const char* What;
        QByteArray Bytes;
        bool HoldsSettings;
    };
    const TCase cases[] = {
        {"UTF-16LE as saved", FileBytes(saved), true},
        {"UTF-16LE with a mark", Utf16Le(text, true), true},
        {"UTF-16BE with a mark", "\xFE\xFF" + utf16Be, true},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + text.toUtf8(), true},
        {"UTF-8", text.toUtf8(), true},
        {"an empty file", QByteArray(), false},
        {"another document", Utf16Le(u"\r\n<Workspace Version=\"2\"/>"_s, false), false},
    };
    for (const TCase& c : cases) {
        const QString path = files.Write(u"settings2.xml"_s, c.Bytes);
        TAppSettings settings = c.HoldsSettings ? DefaultSettings() : EveryFieldChanged();
        try {
            LoadSettings(settings, path);
            EXPECT_TRUE(c.HoldsSettings) << c.What;
        } catch (const TXmlError& e) {
            EXPECT_FALSE(c.HoldsSettings) << c.What << ": " << e.what();
            EXPECT_EQ(
                e.Message(),
                u"The file \"%1\" holds no settings: it has no \"Settings\" element."_s.arg(path));
        }
        EXPECT_TRUE(settings == (c.HoldsSettings ? EveryFieldChanged() : DefaultSettings()))
            << c.What;
    }
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
                "<TagStartArray><Item2 Value=\"c\"/><x Value=\"?\"/><Item0 "
                "Value=\"a\"/></TagStartArray>"
                "<SentencesExceptions><x Value=\"e.g.\"/><Item7/><y Value=\"z\"/></SentencesExceptions>"_s)));
    EXPECT_EQ(settings.WrdDelims, u",. ;/\\:'\"`~()[]{}"_s);
    EXPECT_TRUE(settings.srSent && settings.srPara && settings.srSect && settings.srText);
    EXPECT_EQ(settings.sdAtMaxWords, 0);
    EXPECT_TRUE(settings.wcStar.isEmpty()); // not the default
    EXPECT_EQ(settings.tsSentencesExceptions, (QStringList{u"e.g."_s, u""_s, u"z"_s}));
    // The tag starts, unlike the lists, are found by their names.
    EXPECT_EQ(settings.psTagsStart, (std::array{u"a"_s, u""_s, u"c"_s, u""_s}));

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

// The reading order differs from the written one: psBeforeWord is read before
// psDelimeter, which is written before it.
TEST(SettingsFile, AValueThatDoesNotConvertStopsTheReading)
{
    struct TCase {
        QString Children;
        QString TAppSettings::*ReadBefore; // holds "[" from the file
        QString TAppSettings::*NotRead;    // keeps its default
    };
    const TCase cases[] = {
        {u"<TagStart Value=\"[\"/><tsSectionsType Value=\"two\"/><wcStar Value=\"#\"/>"_s,
         &TAppSettings::TagStart, &TAppSettings::wcStar},
        {u"<TagStop Value=\"[\"/><psDelimeter Value=\"#\"/><psBeforeWord Value=\"yes\"/>"_s,
         &TAppSettings::TagStop, &TAppSettings::psDelimeter},
    };
    TTestFiles files;
    for (const TCase& c : cases) {
        TAppSettings settings;
        EXPECT_THROW(LoadSettings(settings, files.Write(u"bad.xml"_s, SettingsFile(c.Children))),
                     TXmlError);
        EXPECT_EQ(settings.*c.ReadBefore, u"["_s) << c.Children.toStdString();
        EXPECT_EQ(settings.*c.NotRead, DefaultSettings().*c.NotRead) << c.Children.toStdString();
    }
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

// Reading builds the document's whole tree in memory, so anything without an
// end, such as /dev/zero, or of a size no settings have, is refused unread.
TEST(SettingsFile, OnlyARegularFileOfUpTo16MiBIsRead)
{
    const qint64 limit = 16 * 1024 * 1024;
    const QByteArray start = SettingsFile(u"<TagStart Value=\"&lt;&lt;\"/>"_s);
    const QByteArray padded = start + QByteArray(limit - start.size(), ' ');
    TTestFiles files;
    const QString fifo = files.Fifo(u"fifo"_s);
    ASSERT_FALSE(fifo.isEmpty());
    const struct {
        QString Path;
        QString Reason; // empty when the file is read
    } cases[] = {
        {files.Write(u"16MiB.xml"_s, padded), QString()},
        {files.Write(u"over.xml"_s, padded + ' '),
         u"It is larger than 16 MiB, the most that is read from such a file"_s},
        {fifo, u"It is not a regular file"_s},
        {u"/dev/zero"_s, u"It is not a regular file"_s},
    };
    for (const auto& c : cases) {
        TAppSettings settings;
        QString error;
        try {
            LoadSettings(settings, c.Path);
        } catch (const TFileError& e) {
            error = e.Message();
        }
        if (c.Reason.isEmpty()) {
            EXPECT_EQ(error, QString());
            EXPECT_EQ(settings.TagStart, u"<<"_s);
        } else {
            EXPECT_EQ(error, u"Cannot open file \"%1\". %2"_s.arg(c.Path, c.Reason));
            EXPECT_TRUE(settings == DefaultSettings()) << c.Path.toStdString();
        }
    }
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

// A number out of range stops the reading wherever it stands, names its
// element, and leaves every setting at its default, the values read before it
// included.
TEST(SettingsFile, ANumberOutOfRangeLeavesTheDefaults)
{
    struct TCase {
        QString Element;
        QString Value;
        QString Message;
    };
    const TCase cases[] = {
        {u"SentPercentBins"_s, u"2000000000"_s,
         u"The value 2000000000 of SentPercentBins is out of range (0 to 100)."_s},
        {u"ParaPercentBins"_s, u"-1"_s,
         u"The value -1 of ParaPercentBins is out of range (0 to 100)."_s},
        {u"TextPercentBins"_s, u"99999999999"_s,
         u"The value 99999999999 of TextPercentBins is out of range (0 to 100)."_s},
        {u"sdAtMinWords"_s, u"-1"_s,
         u"The value -1 of sdAtMinWords is out of range (0 to 2147483647)."_s},
        {u"sdAtMaxWords"_s, u"2147483647"_s,
         u"The value 2147483647 of sdAtMaxWords is out of range (0 to 20)."_s},
        {u"sdAtMaxWords"_s, u"21"_s, u"The value 21 of sdAtMaxWords is out of range (0 to 20)."_s},
        {u"ExclSentLessThan"_s, u"-3"_s,
         u"The value -3 of ExclSentLessThan is out of range (0 to 2147483647)."_s},
        {u"ExclParaLessThan"_s, u"2147483648"_s,
         u"The value 2147483648 of ExclParaLessThan is out of range (0 to 2147483647)."_s},
        {u"SentPositions"_s, u"1 2147483648# Other"_s,
         u"The position 2147483648 in SentPositions is out of range (0 to 2147483647)."_s},
        {u"ParaPositions"_s, u"1 -2 Other"_s,
         u"The position -2 in ParaPositions is out of range (0 to 2147483647)."_s},
        {u"TextPositions"_s, u"# 99999999999999999999999"_s,
         u"The position 99999999999999999999999 in TextPositions is out of range (0 to "
         "2147483647)."_s},
        {u"SectType"_s, u"3"_s, u"The value 3 of SectType is out of range (0 to 2)."_s},
        {u"TextType"_s, u"-1"_s, u"The value -1 of TextType is out of range (0 to 2)."_s},
        {u"tsSectionsType"_s, u"3"_s, u"The value 3 of tsSectionsType is out of range (0 to 2)."_s},
        {u"tsParagraphsType"_s, u"4"_s,
         u"The value 4 of tsParagraphsType is out of range (0 to 3)."_s},
        {u"tsSentencesType"_s, u"-1"_s,
         u"The value -1 of tsSentencesType is out of range (0 to 1)."_s},
        {u"swSyntax"_s, u"4"_s, u"The value 4 of swSyntax is out of range (0 to 3)."_s},
        {u"swArea"_s, u"-2"_s, u"The value -2 of swArea is out of range (0 to 2)."_s},
    };
    TTestFiles files;
    for (const TCase& c : cases) {
        const QString children =
            u"<TagStart Value=\"[\"/><%1 Value=\"%2\"/><wcStar Value=\"#\"/>"_s.arg(c.Element,
                                                                                    c.Value);
        TAppSettings settings = EveryFieldChanged();
        try {
            LoadSettings(settings, files.Write(u"bad.xml"_s, SettingsFile(children)));
            ADD_FAILURE() << "loaded " << children.toStdString();
        } catch (const TSettingsError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_TRUE(settings == DefaultSettings()) << children.toStdString();
    }
}

// The edges of every range load, a list of positions with the largest number
// the options dialog accepts included.
TEST(SettingsFile, TheEdgesOfTheRangesLoad)
{
    TTestFiles files;
    TAppSettings settings;
    LoadSettings(settings,
                 files.Write(u"edges.xml"_s,
                             SettingsFile(u"<sdAtMinWords Value=\"2147483647\"/>"
                                          "<sdAtMaxWords Value=\"20\"/>"
                                          "<SentPercentBins Value=\"100\"/>"
                                          "<ParaPercentBins Value=\"1\"/>"
                                          "<SentPositions Value=\"0 +3 2147483647# 2147483647 #\"/>"
                                          "<ParaPositions Value=\"x -y 1## Other\"/>"
                                          "<ExclSentLessThan Value=\"0\"/>"
                                          "<tsParagraphsType Value=\"3\"/>"_s)));
    EXPECT_EQ(settings.sdAtMinWords, std::numeric_limits<int>::max());
    EXPECT_EQ(settings.sdAtMaxWords, MaxInterveningWords);
    EXPECT_EQ(settings.SentPercentBins, MaxPercentBins);
    EXPECT_EQ(settings.ParaPercentBins, 1);
    EXPECT_EQ(settings.SentPositions, u"0 +3 2147483647# 2147483647 #"_s);
    // Items that are no numbers are refused when the bins are prepared.
    EXPECT_EQ(settings.ParaPositions, u"x -y 1## Other"_s);
    EXPECT_EQ(settings.tsParagraphsType, 3);
}

// A file without an element gives it 0 or an empty text; whatever a file
// loads as must be saved so that it loads again.
TEST(SettingsFile, WhatAPartialFileLoadsAsLoadsAgainOnceSaved)
{
    TTestFiles files;
    TAppSettings partial;
    LoadSettings(partial, files.Write(u"partial.xml"_s, SettingsFile(u""_s)));
    EXPECT_EQ(partial.SentPercentBins, 0);
    EXPECT_EQ(partial.SentType, 0);
    EXPECT_EQ(partial.swSyntax, 0);
    const QString saved = files.Path(u"saved.xml"_s);
    SaveSettings(partial, saved);
    TAppSettings again;
    LoadSettings(again, saved);
    EXPECT_TRUE(again == partial);
}
