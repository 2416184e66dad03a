#include "XmlReader.h"

#include "XmlInput.h"
#include "XmlNameTable.h"
#include "XmlNode.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace {

bool IsBlank(char16_t c)
{
    return c <= u' ';
}

bool IsNameStart(char16_t c)
{
    return c == u'_' || QChar::isLetter(c);
}

bool IsNameChar(char16_t c)
{
    return IsNameStart(c) || QChar::isDigit(c) || c == u'-' || c == u'.' || c == u':';
}

int DigitValue(char16_t c, int base)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

TXmlError Expected(QStringView what)
{
    return TXmlError(u"Expected \"%1\""_s.arg(what));
}

} // namespace

TXmlReader::TXmlReader(TXmlInput& input, bool preserveWhiteSpace)
    : In(input)
    , PreserveWhiteSpace(preserveWhiteSpace)
{}

// Returns at the end of the input, or with the "/" of an end tag next.
void TXmlReader::ParseXml(TXmlNode& parent, int depth)
{
    for (;;) {
        QString text;
        while (!In.AtEnd() && In.Peek() != u'<') {
            const char16_t c = In.Next();
            text.append(QChar(c == u'&' ? ExpectXmlEntity() : c));
        }
        const bool blank =
            std::all_of(text.cbegin(), text.cend(), [](QChar c) { return IsBlank(c.unicode()); });
        if (PreserveWhiteSpace ? !text.isEmpty() : !blank)
            parent.Adopt(std::make_shared<TXmlText>(text));
        if (In.AtEnd())
            return;
        In.Next();
        if (In.AtEnd())
            throw TXmlError(u"Element definition uncomplete"_s);
        switch (In.Peek()) {
        case u'/':
            return;
        case u'?':
            In.Next();
            ParseProcessingInstruction(parent);
            break;
        case u'!':
            In.Next();
            ParseDeclaration(parent);
            break;
        default:
            ParseElement(parent, depth);
        }
    }
}

void TXmlReader::ParseElement(TXmlNode& parent, int depth)
{
    if (depth >= MaxDepth)
        throw TXmlError(u"Elements are nested more than %1 levels deep"_s.arg(MaxDepth));
    const QString name = ReadName();
    if (In.AtEnd())
        throw TXmlError(u"Element definition uncomplete"_s);
    const char16_t c = In.Peek();
    if (!IsBlank(c) && c != u'/' && c != u'>')
        throw TXmlError(u"Incorrect symbol in element name"_s);
    const auto element = std::make_shared<TXmlElement>(name);
    parent.Adopt(element);
    ParseAttrs(*element);
    if (!In.AtEnd() && In.Peek() == u'/') {
        Expect(u"/>");
        return;
    }
    Expect(u">");
    ParseXml(*element, depth + 1);
    Expect(u"/");
    Expect(name);
    SkipBlanks();
    Expect(u">");
}

// A repeated name replaces the earlier value in place, as writing it would.
void TXmlReader::ParseAttrs(TXmlNode& node)
{
    // Keeps elements with very many attributes linear.
    std::unordered_map<int, size_t> positions;
    SkipBlanks();
    while (!In.AtEnd() && IsNameStart(In.Peek())) {
        const QString name = ReadName();
        SkipBlanks();
        Expect(u"=");
        SkipBlanks();
        if (In.AtEnd())
            throw TXmlError(u"Expected attribute value"_s);
        const char16_t quote = In.Peek();
        if (quote != u'"' && quote != u'\'')
            throw TXmlError(u"Expected string constant"_s);
        In.Next();
        QString value;
        for (;;) {
            if (In.AtEnd())
                throw Expected(QString(QChar(quote)));
            const char16_t c = In.Next();
            if (c == quote)
                break;
            if (c == u'<')
                throw TXmlError(u"Symbol \"<\" cannot be used in attributes value"_s);
            value.append(QChar(c == u'&' ? ExpectXmlEntity() : c));
        }
        const int id = XmlNameTable().Add(name);
        const auto [at, added] = positions.try_emplace(id, node.Attrs.size());
        if (added)
            node.Attrs.push_back({id, std::move(value)});
        else
            node.Attrs[at->second].Value = std::move(value);
        SkipBlanks();
    }
}

// The target "xml" carries attributes; any other target carries the text up
// to "?>", without the blanks that separate it from the target.
void TXmlReader::ParseProcessingInstruction(TXmlNode& parent)
{
    const QString target = ReadName();
    const auto instruction = std::make_shared<TXmlProcessingInstruction>(target, QString());
    if (target == u"xml") {
        ParseAttrs(*instruction);
        Expect(u"?>");
    } else {
        SkipBlanks();
        instruction->SetValue(ReadUpTo(u"?>"));
    }
    parent.Adopt(instruction);
}

// After "<!": a comment, a CDATA section, or a document type declaration.
void TXmlReader::ParseDeclaration(TXmlNode& parent)
{
    const char16_t next = In.AtEnd() ? u'\0' : In.Peek();
    if (next == u'-') {
        Expect(u"--");
        parent.Adopt(std::make_shared<TXmlComment>(ReadUpTo(u"-->")));
    } else if (next == u'[') {
        Expect(u"[CDATA[");
        parent.Adopt(std::make_shared<TXmlCDATASection>(ReadUpTo(u"]]>")));
    } else {
        Expect(u"DOCTYPE");
        ReadUpTo(u">");
    }
}

// After "&". Character codes are cut to 16 bits.
char16_t TXmlReader::ExpectXmlEntity()
{
    if (In.AtEnd())
        throw TXmlError(u"Expected \"#\" or control symbol name"_s);
    char16_t c = 0;
    if (In.Peek() == u'#') {
        In.Next();
        const bool hex = !In.AtEnd() && In.Peek() == u'x';
        if (hex)
            In.Next();
        const int base = hex ? 16 : 10;
        bool any = false;
        std::uint32_t code = 0;
        for (int digit; !In.AtEnd() && (digit = DigitValue(In.Peek(), base)) >= 0; In.Next()) {
            code = (code * std::uint32_t(base) + std::uint32_t(digit)) & 0xFFFF;
            any = true;
        }
        if (!any)
            throw TXmlError(hex ? u"Expected HEX number"_s : u"Expected number"_s);
        c = static_cast<char16_t>(code);
    } else {
        const QString name = ReadName();
        if (name == u"amp")
            c = u'&';
        else if (name == u"quot")
            c = u'"';
        else if (name == u"lt")
            c = u'<';
        else if (name == u"gt")
            c = u'>';
        else if (name == u"apos")
            c = u'\'';
        else
            throw TXmlError(u"Incorrect control symbol name"_s);
    }
    Expect(u";");
    return c;
}

QString TXmlReader::ReadName()
{
    if (In.AtEnd() || !IsNameStart(In.Peek()))
        throw TXmlError(u"Name must begin on letter or \"_\""_s);
    QString name;
    do
        name.append(QChar(In.Next()));
    while (!In.AtEnd() && IsNameChar(In.Peek()));
    return name;
}

// The text before terminator, which is consumed too.
QString TXmlReader::ReadUpTo(QStringView terminator)
{
    QString text;
    for (;;) {
        if (In.AtEnd())
            throw Expected(terminator);
        text.append(QChar(In.Next()));
        if (text.endsWith(terminator)) {
            text.chop(terminator.size());
            return text;
        }
    }
}

void TXmlReader::Expect(QStringView text)
{
    for (QChar c : text) {
        if (In.AtEnd() || In.Next() != c.unicode())
            throw Expected(text);
    }
}

void TXmlReader::SkipBlanks()
{
    while (!In.AtEnd() && IsBlank(In.Peek()))
        In.Next();
}

void ReadXml(QIODevice& device, const QString& source, TXmlNode& document, bool preserveWhiteSpace)
{
    TXmlInput input(device, source);
    TXmlReader(input, preserveWhiteSpace).Read(document);
}
