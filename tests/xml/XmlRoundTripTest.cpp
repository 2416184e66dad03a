#include "TestSupport.h"
#include "XmlNode.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

TEST(XmlRoundTrip, ValuesComeBackAsWrittenAndASecondSaveIsIdentical)
{
    const QString texts[] = {
        u"<&>\""_s, u"it's"_s,       u"a\tb"_s, u"line\r\nbreak\n\r"_s,  u"  padded  "_s,
        QString(),  u"&amp;&#65;"_s, u"]]>"_s,  u"\u00e9\u4e2d\ufeff"_s,
    };
    using Int32 = std::numeric_limits<std::int32_t>;
    using Int64 = std::numeric_limits<std::int64_t>;

    const IXmlDocument written = NewXmlDocument();
    const IXmlNode textList = written->AddElement(u"Texts"_s);
    for (const QString& text : texts)
        textList->AddElement(u"Text"_s)->WriteAttr(u"Value"_s, text);
    const IXmlNode typed = written->AddElement(u"Typed"_s);
    typed->WriteIntAttr(u"IntMin"_s, Int32::min());
    typed->WriteIntAttr(u"IntMax"_s, Int32::max());
    typed->WriteInt64Attr(u"Int64Min"_s, Int64::min());
    typed->WriteInt64Attr(u"Int64Max"_s, Int64::max());
    typed->WriteBoolAttr(u"Yes"_s, true);
    typed->WriteBoolAttr(u"No"_s, false);

    TTestFiles files;
    written->SaveToFile(files.Path(u"first.xml"_s));
    const IXmlDocument read = NewXmlDocument();
    read->LoadFromFile(files.Path(u"first.xml"_s));

    const IXmlNode readTexts = read->RequireChild(u"Texts"_s);
    ASSERT_EQ(readTexts->Children().Count(), static_cast<int>(std::size(texts)));
    for (int i = 0; i < readTexts->Children().Count(); ++i)
        EXPECT_EQ(readTexts->Children().Item(i)->ReadAttr(u"Value"_s, u"?"_s), texts[i]);

    const IXmlNode readTyped = read->RequireChild(u"Typed"_s);
    EXPECT_EQ(readTyped->ReadIntAttr(u"IntMin"_s, 0), Int32::min());
    EXPECT_EQ(readTyped->ReadIntAttr(u"IntMax"_s, 0), Int32::max());
    EXPECT_EQ(readTyped->ReadInt64Attr(u"Int64Min"_s, 0), Int64::min());
    EXPECT_EQ(readTyped->ReadInt64Attr(u"Int64Max"_s, 0), Int64::max());
    EXPECT_EQ(readTyped->ReadAttr(u"Yes"_s, QString()), u"1"_s);
    EXPECT_EQ(readTyped->ReadAttr(u"No"_s, QString()), u"0"_s);
    EXPECT_TRUE(readTyped->ReadBoolAttr(u"Yes"_s, false));
    EXPECT_FALSE(readTyped->ReadBoolAttr(u"No"_s, true));
    QStringList names;
    for (int i = 0; i < readTyped->AttrCount(); ++i)
        names << readTyped->AttrName(i);
    EXPECT_EQ(names.join(u' '), u"IntMin IntMax Int64Min Int64Max Yes No"_s);

    read->SaveToFile(files.Path(u"second.xml"_s));
    EXPECT_EQ(FileBytes(files.Path(u"second.xml"_s)), FileBytes(files.Path(u"first.xml"_s)));
}

// A value read from a file may be kept as a number when its text is one; it
// must still read, convert and be written back exactly as that text.
TEST(XmlRoundTrip, ValuesReadFromAFileActAsTheirText)
{
    const QString texts[] = {
        u"0"_s,
        u"7"_s,
        u"007"_s,
        u"-0"_s,
        u"+1"_s,
        u"-1"_s,
        u"00"_s,
        u" 1"_s,
        u"1 "_s,
        u"-"_s,
        u"1e3"_s,
        u"\u0661"_s,
        u"True"_s,
        u"2147483648"_s,
        u"-2147483649"_s,
        u"9223372036854775807"_s,
        u"-9223372036854775808"_s,
        u"9223372036854775808"_s,
        u"-9223372036854775809"_s,
        u"12345678901234567890"_s,
        u"-09"_s,
    };
    const auto typed = [](const TXmlNode& node) {
        QStringList results;
        const auto add = [&](auto read) {
            try {
                results << QString::number(read());
            } catch (const TXmlError& e) {
                results << e.Message();
            }
        };
        add([&] { return node.ReadIntAttr(u"v"_s, 0); });
        add([&] { return node.ReadInt64Attr(u"v"_s, 0); });
        add([&] { return int(node.ReadBoolAttr(u"v"_s, false)); });
        return results;
    };
    for (const QString& text : texts) {
        const auto written = std::make_shared<TXmlElement>(u"e"_s);
        written->WriteAttr(u"v"_s, text);
        const IXmlDocument read = NewXmlDocument();
        read->LoadFromBytes(Utf16Le(written->XmlText()));
        const IXmlNode e = read->RequireChild(u"e"_s);
        EXPECT_EQ(e->ReadAttr(u"v"_s, QString()), text);
        EXPECT_EQ(e->AttrText(0), text);
        EXPECT_EQ(typed(*e), typed(*written)) << text.toStdString();
        EXPECT_EQ(read->XmlText(), written->XmlText());
    }
}
