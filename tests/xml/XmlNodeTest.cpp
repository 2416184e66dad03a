#include "XmlNode.h"

#include "TestSupport.h"
#include "XmlNameTable.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString ChildNames(const TXmlNode& node)
{
    QStringList names;
    for (int i = 0; i < node.Children().Count(); ++i)
        names << node.Children().Item(i)->Name();
    return names.join(u' ');
}

QString Attrs(const TXmlNode& node)
{
    QStringList attrs;
    for (int i = 0; i < node.AttrCount(); ++i)
        attrs << node.AttrName(i) + u'=' + node.AttrText(i);
    return attrs.join(u' ');
}

template <typename Read>
QString ResultOrError(Read read)
{
    try {
        return QString::number(read());
    } catch (const TXmlError& e) {
        return e.Message();
    }
}

} // namespace

TEST(XmlNode, FindOrAddChildTakesTheFirstExactMatchOrAppends)
{
    const IXmlDocument document = NewXmlDocument();
    const IXmlNode first = document->AddElement(u"a"_s);
    document->AddElement(u"b"_s);
    document->AddElement(u"a"_s);
    EXPECT_EQ(document->FindOrAddChild(u"a"_s), first);
    EXPECT_EQ(document->RequireChild(u"a"_s), first);
    EXPECT_EQ(document->FindChild(u"a"_s), first);
    EXPECT_EQ(document->FindChild(u"A"_s), nullptr);
    document->FindOrAddChild(u"A"_s);
    document->FindOrAddChild(u"never seen before"_s);
    EXPECT_EQ(ChildNames(*document), u"a b a A never seen before"_s);
    EXPECT_EQ(first->Parent(), document.get());
}

TEST(XmlNode, RequireChildNamesTheMissingElement)
{
    const IXmlDocument document = NewXmlDocument();
    document->AddElement(u"settings"_s);
    try {
        document->RequireChild(u"Settings"_s);
        ADD_FAILURE() << "no error";
    } catch (const TXmlError& e) {
        EXPECT_EQ(e.Message(), u"Error: not found child element \"Settings\"."_s);
    }
}

TEST(XmlNode, ClearingDetachesChildrenAndDropsAttributes)
{
    const IXmlDocument document = NewXmlDocument();
    const IXmlNode a = document->AddElement(u"a"_s);
    const IXmlNode b = a->AddElement(u"b"_s);
    a->WriteAttr(u"x"_s, u"1"_s);
    a->ClearAttrs();
    EXPECT_EQ(a->AttrCount(), 0);
    EXPECT_EQ(a->ReadAttr(u"x"_s, u"gone"_s), u"gone"_s);
    a->ClearChildren();
    EXPECT_EQ(a->Children().Count(), 0);
    EXPECT_EQ(b->Parent(), nullptr);
    a->AppendChild(b);
    EXPECT_EQ(b->Parent(), a.get());
}

TEST(XmlNode, AppendChildRefusesASecondParentAndCycles)
{
    const IXmlDocument document = NewXmlDocument();
    const IXmlNode a = document->AddElement(u"a"_s);
    const IXmlNode b = a->AddElement(u"b"_s);
    const auto loose = std::make_shared<TXmlElement>(u"loose"_s);
    const IXmlNode inner = loose->AddElement(u"inner"_s);
    EXPECT_THROW(document->AppendChild(b), TXmlError);
    EXPECT_THROW(inner->AppendChild(loose), TXmlError);
    EXPECT_THROW(loose->AppendChild(loose), TXmlError);
    EXPECT_EQ(ChildNames(*a), u"b"_s);
    EXPECT_EQ(ChildNames(*loose), u"inner"_s);
}

TEST(XmlNode, WritingAnAttributeReplacesItInPlace)
{
    const auto element = std::make_shared<TXmlElement>(u"e"_s);
    element->WriteAttr(u"a"_s, u"1"_s);
    element->WriteAttr(u"b"_s, u"2"_s);
    element->WriteAttr(u"c"_s, u"3"_s);
    element->WriteIntAttr(u"b"_s, 5);
    element->WriteBoolAttr(u"a"_s, false);
    element->WriteAttr(u"B"_s, u"4"_s);
    EXPECT_EQ(Attrs(*element), u"a=0 b=5 c=3 B=4"_s);
}

TEST(XmlNode, TypedReadsConvertText)
{
    struct TCase {
        QString Text;
        QString Int;   // as ReadIntAttr gives it, or its error
        QString Int64; // ReadInt64Attr
        QString Bool;  // ReadBoolAttr
    };
    const QString notInt = u"'%1' is not a valid integer value"_s;
    const QString notBool = u"'%1' is not a valid boolean value"_s;
    const auto bad = [&](const QString& text) {
        return TCase{text, notInt.arg(text), notInt.arg(text), notBool.arg(text)};
    };
    const TCase cases[] = {
        {u"0"_s, u"0"_s, u"0"_s, u"0"_s},
        {u"1"_s, u"1"_s, u"1"_s, u"1"_s},
        {u"-0"_s, u"0"_s, u"0"_s, u"0"_s},
        {u"007"_s, u"7"_s, u"7"_s, u"1"_s},
        {u"-1"_s, u"-1"_s, u"-1"_s, u"1"_s},
        {u"2147483647"_s, u"2147483647"_s, u"2147483647"_s, u"1"_s},
        {u"-2147483648"_s, u"-2147483648"_s, u"-2147483648"_s, u"1"_s},
        {u"2147483648"_s, notInt.arg(u"2147483648"_s), u"2147483648"_s, u"1"_s},
        {u"-2147483649"_s, notInt.arg(u"-2147483649"_s), u"-2147483649"_s, u"1"_s},
        {u"9223372036854775807"_s, notInt.arg(u"9223372036854775807"_s), u"9223372036854775807"_s,
         u"1"_s},
        {u"-9223372036854775808"_s, notInt.arg(u"-9223372036854775808"_s),
         u"-9223372036854775808"_s, u"1"_s},
        bad(u"9223372036854775808"_s),
        bad(u"-9223372036854775809"_s),
        bad(u"99999999999999999999"_s),
        {u"True"_s, notInt.arg(u"True"_s), notInt.arg(u"True"_s), u"1"_s},
        {u"fALSE"_s, notInt.arg(u"fALSE"_s), notInt.arg(u"fALSE"_s), u"0"_s},
        bad(QString()),
        bad(u"-"_s),
        bad(u"+1"_s),
        bad(u" 1"_s),
        bad(u"1 "_s),
        bad(u"1.0"_s),
        bad(u"0x10"_s),
        bad(u"yes"_s),
        bad(u"\u0661"_s), // an Arabic-Indic digit
    };
    const auto element = std::make_shared<TXmlElement>(u"e"_s);
    for (const TCase& c : cases) {
        element->WriteAttr(u"v"_s, c.Text);
        EXPECT_EQ(ResultOrError([&] { return element->ReadIntAttr(u"v"_s, 42); }), c.Int)
            << c.Text.toStdString();
        EXPECT_EQ(ResultOrError([&] { return element->ReadInt64Attr(u"v"_s, 42); }), c.Int64)
            << c.Text.toStdString();
        EXPECT_EQ(ResultOrError([&] { return int(element->ReadBoolAttr(u"v"_s, true)); }), c.Bool)
            << c.Text.toStdString();
    }
}

TEST(XmlNode, TypedValuesConvertAsTheirTextAndMissingOnesGiveTheDefault)
{
    const auto element = std::make_shared<TXmlElement>(u"e"_s);
    element->WriteInt64Attr(u"big"_s, std::int64_t(1) << 40);
    element->WriteBoolAttr(u"yes"_s, true);
    element->WriteIntAttr(u"minus"_s, -5);
    EXPECT_EQ(ResultOrError([&] { return element->ReadIntAttr(u"big"_s, 0); }),
              u"'1099511627776' is not a valid integer value"_s);
    EXPECT_EQ(element->ReadInt64Attr(u"big"_s, 0), std::int64_t(1) << 40);
    EXPECT_EQ(element->ReadAttr(u"big"_s, QString()), u"1099511627776"_s);
    EXPECT_EQ(element->ReadIntAttr(u"yes"_s, 0), 1);
    EXPECT_EQ(element->ReadInt64Attr(u"minus"_s, 0), -5);
    EXPECT_TRUE(element->ReadBoolAttr(u"minus"_s, false));

    EXPECT_EQ(element->ReadAttr(u"none"_s, u"default"_s), u"default"_s);
    EXPECT_EQ(element->ReadIntAttr(u"none"_s, -7), -7);
    EXPECT_EQ(element->ReadInt64Attr(u"none"_s, std::numeric_limits<std::int64_t>::min()),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(element->ReadBoolAttr(u"none"_s, true));
    EXPECT_FALSE(element->ReadBoolAttr(u"none"_s, false));
}

TEST(XmlNode, VeryDeepTreesAreDestroyedWithoutRecursion)
{
    IXmlNode kept;
    {
        const IXmlDocument document = NewXmlDocument();
        IXmlNode node = document->AddElement(u"deep"_s);
        for (int depth = 1; depth < 1000000; ++depth) {
            node = node->AddElement(u"deep"_s);
            if (depth == 500000)
                kept = node;
        }
    }
    // A node that someone still holds outlives its parent, with its subtree.
    EXPECT_EQ(kept->Parent(), nullptr);
    int depth = 1;
    for (IXmlNode node = kept; node->Children().Count() == 1; node = node->Children().Item(0))
        ++depth;
    EXPECT_EQ(depth, 500000);
}

TEST(XmlNameTable, NamesKeepTheirNumbersAsTheTableGrows)
{
    TXmlNameTable table(4);
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(table.Add(u"n%1"_s.arg(i)), i);
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(table.Find(u"n%1"_s.arg(i)), i);
        ASSERT_EQ(table.Name(i), u"n%1"_s.arg(i));
    }
    EXPECT_EQ(table.Add(u"n7"_s), 7);
    EXPECT_EQ(table.Find(u"N7"_s), -1);
    EXPECT_EQ(table.Count(), count);
}

TEST(XmlNode, InternedNamesReadAndWriteAsTheirText)
{
    const TXmlName a(u"a"_s);
    const TXmlName b(u"b"_s);
    const auto element = std::make_shared<TXmlElement>(u"e"_s);
    element->ReserveAttrs(2);
    element->WriteInt64Attr(a, std::int64_t(1) << 40);
    element->WriteAttr(u"b"_s, u"x"_s);
    element->WriteBoolAttr(b, true);
    element->WriteIntAttr(u"c"_s, 3);
    EXPECT_EQ(Attrs(*element), u"a=1099511627776 b=1 c=3"_s);
    EXPECT_EQ(element->ReadInt64Attr(a, 0), std::int64_t(1) << 40);
    EXPECT_EQ(ResultOrError([&] { return element->ReadIntAttr(a, 0); }),
              u"'1099511627776' is not a valid integer value"_s);
    EXPECT_TRUE(element->ReadBoolAttr(b, false));
    EXPECT_EQ(element->ReadIntAttr(TXmlName(u"none"_s), -7), -7);

    const IXmlDocument document = NewXmlDocument();
    document->ReserveChildren(2);
    document->AddElement(a);
    document->AddElement(u"a"_s);
    EXPECT_EQ(ChildNames(*document), u"a a"_s);
}
