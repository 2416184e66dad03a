#include "TestSupport.h"
#include "XmlNode.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

IXmlDocument Load(const QString& text)
{
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromBytes(Utf16Le(text, false));
    return document;
}

QString ReadError(const QString& text)
{
    try {
        Load(text);
    } catch (const TXmlError& e) {
        return e.Message();
    }
    return u"(read without error)"_s;
}

// text in each encoding the reader tells apart, with a byte-order mark and
// without one.
struct TEncodedForm {
    const char* Name;
    QByteArray Bytes;
};

std::vector<TEncodedForm> EncodedForms(const QString& text)
{
    const QByteArray utf16Be = QStringEncoder(QStringEncoder::Utf16BE)(text);
    const QByteArray utf8 = text.toUtf8();
    return {
        {"UTF-16LE as written", Utf16Le(text, false)},
        {"UTF-16LE with a mark", Utf16Le(text, true)},
        {"UTF-16BE", utf16Be},
        {"UTF-16BE with a mark", "\xFE\xFF" + utf16Be},
        {"UTF-8", utf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8},
    };
}

QString Repeated(const QString& text, int times)
{
    return text.repeated(times);
}

} // namespace

TEST(XmlReader, AcceptsWhatItShould)
{
    struct TCase {
        QString Input;
        QString Written; // the document's XmlText after reading
    };
    const TCase cases[] = {
        {u"<a></a  \r\n>"_s, u"\r\n<a/>"_s},
        {u"<a x='1' y = \"2\" z='\"'/>"_s, u"\r\n<a x=\"1\" y=\"2\" z=\"&quot;\"/>"_s},
        {u"<a x=\"&#65;&#x42;&#x6a;&amp;&quot;&lt;&gt;&apos;\"/>"_s,
         u"\r\n<a x=\"ABj&amp;&quot;&lt;&gt;'\"/>"_s},
        // Character codes are cut to 16 bits.
        {u"<a x=\"&#65601;&#x10043;\"/>"_s, u"\r\n<a x=\"AC\"/>"_s},
        {u"<a> x &lt;</a>"_s, u"\r\n<a> x &lt;</a>"_s},
        {u"\r\n <a>\r\n\t<b/> </a> "_s, u"\r\n<a>\r\n\t<b/>\r\n</a>"_s},
        {u"<_a.b-c:d1 \u00e9\u00df=\"1\"/><\u0413\u0440\u0430\u0434/>"_s,
         u"\r\n<_a.b-c:d1 \u00e9\u00df=\"1\"/>\r\n<\u0413\u0440\u0430\u0434/>"_s},
        // A repeated attribute replaces the earlier value in place.
        {u"<a x=\"1\" y=\"2\" x=\"3\"/>"_s, u"\r\n<a x=\"3\" y=\"2\"/>"_s},
        // An end tag at the top level ends the reading.
        {u"<a/></b><c/>"_s, u"\r\n<a/>"_s},
        {u"<!DOCTYPE a [x]><?xml version=\"1.0\"?><!--c--><a><![CDATA[<&>]]><?pi   d?></a>"_s,
         u"<?xml version=\"1.0\"?><!--c-->\r\n<a><![CDATA[<&>]]><?pi d?></a>"_s},
        {u"<!----><!-- a --->"_s, u"<!----><!-- a --->"_s},
    };
    for (const TCase& c : cases) {
        try {
            EXPECT_EQ(Load(c.Input)->XmlText(), c.Written) << c.Input.toStdString();
        } catch (const TXmlError& e) {
            ADD_FAILURE() << c.Input.toStdString() << ": " << e.what();
        }
    }
}

TEST(XmlReader, RejectsWithTheReadersMessages)
{
    struct TCase {
        QString Input;
        QString Message;
    };
    const TCase cases[] = {
        // Elements and end tags.
        {u"<"_s, u"Element definition uncomplete"_s},
        {u"<a"_s, u"Element definition uncomplete"_s},
        {u"<a!/>"_s, u"Incorrect symbol in element name"_s},
        {u"<1a/>"_s, u"Name must begin on letter or \"_\""_s},
        {u"< a/>"_s, u"Name must begin on letter or \"_\""_s},
        {u"<a>"_s, u"Expected \"/\""_s},
        {u"<a></b>"_s, u"Expected \"a\""_s},
        {u"<Ab></AB>"_s, u"Expected \"Ab\""_s},
        {u"<a></ab>"_s, u"Expected \">\""_s},
        {u"<a></a"_s, u"Expected \">\""_s},
        {u"<a x=\"1\""_s, u"Expected \">\""_s},
        {u"<a x=\"1\" %>"_s, u"Expected \">\""_s},
        {u"<a/x>"_s, u"Expected \"/>\""_s},
        // Attributes.
        {u"<a x>"_s, u"Expected \"=\""_s},
        {u"<a x=\"1\" y/>"_s, u"Expected \"=\""_s},
        {u"<a x="_s, u"Expected attribute value"_s},
        {u"<a x= "_s, u"Expected attribute value"_s},
        {u"<a x=1/>"_s, u"Expected string constant"_s},
        {u"<a x=\"1/>"_s, u"Expected \"\"\""_s},
        {u"<a x='1\"/>"_s, u"Expected \"'\""_s},
        {u"<a x=\"<\"/>"_s, u"Symbol \"<\" cannot be used in attributes value"_s},
        // Entities, in text and in attribute values.
        {u"&"_s, u"Expected \"#\" or control symbol name"_s},
        {u"<a x=\"&"_s, u"Expected \"#\" or control symbol name"_s},
        {u"&nbsp;"_s, u"Incorrect control symbol name"_s},
        {u"<a x=\"&AMP;\"/>"_s, u"Incorrect control symbol name"_s},
        {u"& ;"_s, u"Name must begin on letter or \"_\""_s},
        {u"&#;"_s, u"Expected number"_s},
        {u"&#"_s, u"Expected number"_s},
        {u"&#X41;"_s, u"Expected number"_s},
        {u"&#x;"_s, u"Expected HEX number"_s},
        {u"&#xg;"_s, u"Expected HEX number"_s},
        {u"&#65"_s, u"Expected \";\""_s},
        {u"&#65 ;"_s, u"Expected \";\""_s},
        {u"&amp"_s, u"Expected \";\""_s},
        // Comments, CDATA sections, processing instructions, document types.
        {u"<!-x-->"_s, u"Expected \"--\""_s},
        {u"<!-- x --"_s, u"Expected \"-->\""_s},
        {u"<![CDATA x]]>"_s, u"Expected \"[CDATA[\""_s},
        {u"<![CDATA[x]]"_s, u"Expected \"]]>\""_s},
        {u"<!"_s, u"Expected \"DOCTYPE\""_s},
        {u"<!doctype a>"_s, u"Expected \"DOCTYPE\""_s},
        {u"<!DOCTYPE a"_s, u"Expected \">\""_s},
        {u"<?xml version=\"1.0\">"_s, u"Expected \"?>\""_s},
        {u"<?xml version=\"1.0\" ?"_s, u"Expected \"?>\""_s},
        {u"<?pi data"_s, u"Expected \"?>\""_s},
        {u"<?>"_s, u"Name must begin on letter or \"_\""_s},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ReadError(c.Input), c.Message) << c.Input.toStdString();
}

TEST(XmlReader, KeepsTheNodesReadBeforeAnError)
{
    const IXmlDocument document = NewXmlDocument();
    EXPECT_THROW(document->LoadFromBytes(Utf16Le(u"<a/><b x=\"1\"><c/><d x"_s, false)), TXmlError);
    EXPECT_EQ(document->XmlText(), u"\r\n<a/>\r\n<b x=\"1\">\r\n\t<c/>\r\n\t<d/>\r\n</b>"_s);
}

TEST(XmlReader, LoadReplacesTheDocumentsContent)
{
    TTestFiles files;
    const IXmlDocument document = Load(u"<old/>"_s);
    document->LoadFromFile(files.Write(u"new.xml"_s, Utf16Le(u"<new/>"_s, false)));
    EXPECT_EQ(document->XmlText(), u"\r\n<new/>"_s);
    EXPECT_THROW(document->LoadFromFile(files.Path(u"missing.xml"_s)), TFileError);
}

TEST(XmlReader, EmptyFileIsAnEmptyDocument)
{
    TTestFiles files;
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(files.Write(u"empty.xml"_s, QByteArray()));
    EXPECT_EQ(document->Children().Count(), 0);
    document->FindOrAddChild(u"Settings"_s);
    EXPECT_EQ(document->XmlText(), u"\r\n<Settings/>"_s);
}

TEST(XmlReader, ReadsEachEncodingThatItsFirstBytesTell)
{
    const QString written =
        u"\r\n<Settings a=\"\u00e9\u4e2d\U0001F600\">\r\n\t<b/>\r\n</Settings>"_s;
    // As the writer wrote it, and as a text editor may leave it.
    for (const QString& text : {written, written.mid(2)}) {
        for (const TEncodedForm& form : EncodedForms(text)) {
            const IXmlDocument document = NewXmlDocument();
            try {
                document->LoadFromBytes(form.Bytes);
                EXPECT_EQ(document->XmlText(), written) << form.Name;
            } catch (const TXmlError& e) {
                ADD_FAILURE() << form.Name << ": " << e.what();
            }
        }
    }
}

// A cut, overlong or surrogate sequence, and a byte that never begins one;
// a character cut by the end of the input is dropped.
TEST(XmlReader, InvalidUtf8ReadsAsReplacementCharacters)
{
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromBytes(QByteArray("<a x=\"\xC3(\xC0\x80\xED\xA0\x80\xFF\"/>\xE4\xB8"));
    ASSERT_EQ(document->Children().Count(), 1);
    const QString value = document->RequireChild(u"a"_s)->ReadAttr(u"x"_s, QString());
    EXPECT_TRUE(value.startsWith(u"\ufffd("_s)) << value.toStdString();
    EXPECT_EQ(value.count(u'\ufffd'), value.size() - 1) << value.toStdString();
}

TEST(XmlReader, IgnoresALastOddByte)
{
    const QByteArray bytes = Utf16Le(u"<a x=\"1\"/>"_s, false);
    const IXmlDocument document = NewXmlDocument();
    document->LoadFromBytes(bytes + "<");
    EXPECT_EQ(document->XmlText(), u"\r\n<a x=\"1\"/>"_s);
}

TEST(XmlReader, NestingIsBoundedWithAClearError)
{
    const int limit = 1000;
    EXPECT_NO_THROW(Load(Repeated(u"<a>"_s, limit) + Repeated(u"</a>"_s, limit)));
    for (int depth : {limit + 1, 100000}) {
        EXPECT_EQ(ReadError(Repeated(u"<a>"_s, depth)),
                  u"Elements are nested more than 1000 levels deep"_s);
    }
}

// Entities, names and characters of several bytes cross the 65536-byte
// buffer's edges at every offset: a repeat is 25 bytes long in UTF-8.
TEST(XmlReader, ReadsAttributesOfManyMegabytesFromAFile)
{
    const QString value = Repeated(u"abc&\u4e2d\"<>"_s, 1 << 17);
    const IXmlDocument written = NewXmlDocument();
    written->AddElement(u"a"_s)->WriteAttr(u"v"_s, value);
    TTestFiles files;
    for (const TEncodedForm& form : EncodedForms(written->XmlText())) {
        const IXmlDocument document = NewXmlDocument();
        document->LoadFromFile(files.Write(u"big.xml"_s, form.Bytes));
        EXPECT_TRUE(document->RequireChild(u"a"_s)->ReadAttr(u"v"_s, QString()) == value)
            << form.Name;
    }
}

TEST(XmlReader, ReadsAnElementWithVeryManyAttributes)
{
    QString text = u"<a"_s;
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        text += u" a%1=\"%1\""_s.arg(i);
    const IXmlDocument document = Load(text + u"/>"_s);
    const IXmlNode a = document->RequireChild(u"a"_s);
    ASSERT_EQ(a->AttrCount(), count);
    EXPECT_EQ(a->ReadIntAttr(u"a99999"_s, 0), 99999);
}

TEST(XmlReader, EveryTruncationLoadsOrFailsCleanly)
{
    const QString text =
        u"<?xml version=\"1.0\"?><!DOCTYPE s><!-- c -->\r\n<Settings>\r\n\t<TagStart "
        u"Value='&lt;&#x41;&#66;\u00e9'/>\r\n\t<t>a &amp; \u4e2d<![CDATA[<x>]]><?pi d?></t "
        u">\r\n</Settings>"_s;
    for (const TEncodedForm& form : EncodedForms(text)) {
        for (qsizetype length = 0; length <= form.Bytes.size(); ++length) {
            const IXmlDocument document = NewXmlDocument();
            try {
                document->LoadFromBytes(form.Bytes.left(length));
            } catch (const TXmlError&) {
                EXPECT_LT(length, form.Bytes.size()) << form.Name;
            }
            document->XmlText();
        }
    }
}

// Each piece of this element lies across the edge of the 65536-byte buffer at
// some padding: names, an entity, a number and text.
TEST(XmlReader, ReadsEveryPieceAcrossTheBuffersEdge)
{
    const QString element =
        u"<ElementWithALongName AttributeName=\"12345&amp;67890\" n=\"-9223372036854775808\">"
        u"some text &lt; more</ElementWithALongName>"_s;
    const auto check = [&](const QByteArray& bytes, const char* form, qsizetype padding) {
        const IXmlDocument document = NewXmlDocument();
        document->LoadFromBytes(bytes);
        const IXmlNode read =
            document->RequireChild(u"r"_s)->RequireChild(u"ElementWithALongName"_s);
        ASSERT_EQ(read->ReadAttr(u"AttributeName"_s, QString()), u"12345&67890"_s)
            << form << padding;
        ASSERT_EQ(read->ReadInt64Attr(u"n"_s, 0), std::numeric_limits<std::int64_t>::min())
            << form << padding;
        ASSERT_EQ(read->Children().Item(0)->Value(), u"some text < more"_s) << form << padding;
    };
    // Less than a buffer, so that the element begins in the first.
    const qsizetype prefix = 3 + 4 + 3; // "<r>", "<!--", "-->"
    for (qsizetype shift = 0; shift <= element.size(); ++shift) {
        const auto text = [&](qsizetype buffer) {
            const QString comment(buffer - prefix - element.size() + shift, u'c');
            return u"<r><!--"_s + comment + u"-->"_s + element + u"</r>"_s;
        };
        check(Utf16Le(text(32768), false), "UTF-16LE", shift);
        check(text(65536).toUtf8(), "UTF-8", shift);
    }
}
