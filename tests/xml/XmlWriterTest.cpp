#include "XmlWriter.h"

#include "TestSupport.h"
#include "XmlNode.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

TEST(XmlWriter, SavesTheSettingsExampleByteForByteOverALongerFile)
{
    const IXmlDocument document = NewXmlDocument();
    document->FindOrAddChild(u"Settings"_s)
        ->FindOrAddChild(u"TagStart"_s)
        ->WriteAttr(u"Value"_s, u"<"_s);
    document->FindOrAddChild(u"General"_s)->WriteIntAttr(u"Version"_s, 2);

    TTestFiles files;
    const QString path = files.Write(u"settings2.xml"_s, QByteArray(4096, 'x'));
    document->SaveToFile(path);
    EXPECT_EQ(FileBytes(path), Utf16Le(u"\r\n<Settings>"
                                       u"\r\n\t<TagStart Value=\"&lt;\"/>"
                                       u"\r\n</Settings>"
                                       u"\r\n<General Version=\"2\"/>"_s,
                                       false));
}

TEST(XmlWriter, WritesEachFormOfContent)
{
    struct TCase {
        const char* What;
        std::function<void(TXmlNode&)> Build;
        QString Expected;
    };
    const auto text = [](TXmlNode& parent, const QString& value) {
        parent.AppendChild(std::make_shared<TXmlText>(value));
    };
    const TCase cases[] = {
        {"text without a line break stays on the line",
         [&](TXmlNode& d) { text(*d.AddElement(u"a"_s), u"x"_s); }, u"\r\n<a>x</a>"_s},
        {"content ending in CR LF is not given another",
         [&](TXmlNode& d) { text(*d.AddElement(u"r"_s)->AddElement(u"a"_s), u"x\r\n"_s); },
         u"\r\n<r>\r\n\t<a>x\r\n\t</a>\r\n</r>"_s},
        {"a bare LF or CR puts the end tag on a line of its own",
         [&](TXmlNode& d) {
             text(*d.AddElement(u"a"_s), u"x\ny"_s);
             text(*d.AddElement(u"b"_s), u"x\r"_s);
         },
         u"\r\n<a>x\ny\r\n</a>\r\n<b>x\r\r\n</b>"_s},
        {"only empty text is empty content",
         [&](TXmlNode& d) { text(*d.AddElement(u"a"_s), QString()); }, u"\r\n<a/>"_s},
        {"text and elements mixed",
         [&](TXmlNode& d) {
             const IXmlNode r = d.AddElement(u"r"_s);
             text(*r, u"t"_s);
             r->AddElement(u"e"_s);
             text(*r, u"u"_s);
         },
         u"\r\n<r>t\r\n\t<e/>u\r\n</r>"_s},
        {"four characters are escaped, in attributes and text alike",
         [&](TXmlNode& d) {
             const IXmlNode a = d.AddElement(u"a"_s);
             a->WriteAttr(u"v"_s, u"<&>\"'\t\r\n"_s);
             text(*a, u"<&>\"'\t\r\n"_s);
         },
         u"\r\n<a v=\"&lt;&amp;&gt;&quot;'\t\r\n\">&lt;&amp;&gt;&quot;'\t\r\n</a>"_s},
        {"typed values in decimal, booleans as 1 and 0",
         [&](TXmlNode& d) {
             const IXmlNode a = d.AddElement(u"a"_s);
             a->WriteIntAttr(u"i"_s, std::numeric_limits<std::int32_t>::min());
             a->WriteInt64Attr(u"l"_s, std::numeric_limits<std::int64_t>::max());
             a->WriteBoolAttr(u"t"_s, true);
             a->WriteBoolAttr(u"f"_s, false);
         },
         u"\r\n<a i=\"-2147483648\" l=\"9223372036854775807\" t=\"1\" f=\"0\"/>"_s},
        {"other node kinds are written inline",
         [&](TXmlNode& d) {
             const auto declaration =
                 std::make_shared<TXmlProcessingInstruction>(u"xml"_s, QString());
             declaration->WriteAttr(u"version"_s, u"1.0"_s);
             d.AppendChild(declaration);
             d.AppendChild(std::make_shared<TXmlComment>(u" c "_s));
             const IXmlNode a = d.AddElement(u"a"_s);
             a->AppendChild(std::make_shared<TXmlCDATASection>(u"<&>"_s));
             a->AppendChild(std::make_shared<TXmlProcessingInstruction>(u"pi"_s, u"data"_s));
         },
         u"<?xml version=\"1.0\"?><!-- c -->\r\n<a><![CDATA[<&>]]><?pi data?></a>"_s},
    };
    for (const TCase& c : cases) {
        const IXmlDocument document = NewXmlDocument();
        c.Build(*document);
        EXPECT_EQ(document->XmlText(), c.Expected) << c.What;
    }
}

TEST(XmlWriter, IndentsByDepthAlsoWhenANestedElementIsWrittenAlone)
{
    const IXmlDocument document = NewXmlDocument();
    const IXmlNode b = document->AddElement(u"a"_s)->AddElement(u"b"_s);
    b->AddElement(u"c"_s);
    EXPECT_EQ(document->XmlText(), u"\r\n<a>\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>\r\n</a>"_s);
    EXPECT_EQ(b->XmlText(), u"\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>"_s);
}

TEST(XmlWriter, SaveToAMissingFolderIsAFileError)
{
    TTestFiles files;
    const IXmlDocument document = NewXmlDocument();
    EXPECT_THROW(document->SaveToFile(files.Path(u"missing/settings2.xml"_s)), TFileError);
}

// The writer hands its text over in chunks. Whether an end tag gets a line
// break of its own depends on the characters before it, which may already
// have gone out: a CR text node and an LF one make each element 13 characters
// long, so that 13 shifts place a chunk's end at each point of one.
TEST(XmlWriter, TextWrittenInChunksEqualsTheWholeText)
{
    for (int shift = 0; shift < 13; ++shift) {
        const IXmlDocument document = NewXmlDocument();
        const IXmlNode root = document->AddElement(u"r"_s);
        root->WriteAttr(u"shift"_s, QString(shift, u's'));
        for (int i = 0; i < 100000; ++i) {
            const IXmlNode a = root->AddElement(u"a"_s);
            a->AppendChild(std::make_shared<TXmlText>(u"\r"_s));
            a->AppendChild(std::make_shared<TXmlText>(u"\n"_s));
        }
        QByteArray chunks;
        int count = 0;
        TXmlWriter writer([&](QByteArrayView bytes) {
            chunks += bytes;
            ++count;
        });
        writer.Write(*document);
        writer.Flush();
        ASSERT_GT(count, 1);
        ASSERT_TRUE(chunks == Utf16Le(document->XmlText(), false)) << shift;
    }
}
