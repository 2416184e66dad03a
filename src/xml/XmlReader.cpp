#include "XmlReader.h"

#include "XmlInput.h"
#include "XmlNameTable.h"
#include "XmlNode.h"
#include "XmlValue.h"

#include <algorithm>
#include <array>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

bool IsBlank(char16_t c)
{
    return c <= u' ';
}

constexpr bool IsAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsNameStart(char16_t c)
{
    return c == u'_' || IsAsciiLetter(c) || (c >= 0x80 && QChar::isLetter(c));
}

constexpr std::array<bool, 0x80> AsciiNameChars = [] {
    std::array<bool, 0x80> chars{};
    for (char16_t c = 0; c < 0x80; ++c) {
        chars[c] = IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' ||
                   c == u'.' || c == u':';
    }
    return chars;
}();

bool IsNameChar(QChar qc)
{
    const char16_t c = qc.unicode();
    return c < 0x80 ? AsciiNameChars[c] : QChar::isLetter(c) || QChar::isDigit(c);
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
    int previousName = -1;
    for (;;) {
        const QStringView text = ReadText();
        const bool blank =
            std::all_of(text.begin(), text.end(), [](QChar c) { return IsBlank(c.unicode()); });
        if (PreserveWhiteSpace ? !text.isEmpty() : !blank)
            parent.Adopt(std::make_shared<TXmlText>(text.toString()));
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
            ParseElement(parent, depth, previousName);
        }
    }
}

// The text up to the next "<" or the end.
QStringView TXmlReader::ReadText()
{
    const auto isStop = [](QChar c) { return c == u'<' || c == u'&'; };
    if (!In.AtEnd()) {
        const QStringView run = In.Pending();
        const auto stop = std::find_if(run.begin(), run.end(), isStop);
        if (stop != run.end() && *stop == u'<') {
            In.Skip(stop - run.begin());
            return QStringView(run.begin(), stop);
        }
    }
    CharText.resize(0);
    while (!In.AtEnd()) {
        const QStringView run = In.Pending();
        const auto stop = std::find_if(run.begin(), run.end(), isStop);
        const qsizetype length = stop - run.begin();
        CharText.append(run.first(length));
        In.Skip(length);
        if (stop == run.end())
            continue;
        if (*stop == u'<')
            break;
        In.Next();
        CharText.append(QChar(ExpectXmlEntity()));
    }
    return CharText;
}

void TXmlReader::ParseElement(TXmlNode& parent, int depth, int& previousName)
{
    if (depth >= MaxDepth)
        throw TXmlError(u"Elements are nested more than %1 levels deep"_s.arg(MaxDepth));
    const int name = ReadInternedName(previousName);
    previousName = name;
    if (In.AtEnd())
        throw TXmlError(u"Element definition uncomplete"_s);
    const char16_t c = In.Peek();
    if (!IsBlank(c) && c != u'/' && c != u'>')
        throw TXmlError(u"Incorrect symbol in element name"_s);
    auto made = std::make_shared<TXmlElement>(TXmlName(name));
    TXmlNode& element = *made;
    parent.Adopt(std::move(made));
    ParseAttrs(element);
    if (!In.AtEnd() && In.Peek() == u'/') {
        Expect(u"/>");
        return;
    }
    Expect(u">");
    ParseXml(element, depth + 1);
    Expect(u"/");
    Expect(XmlNameTable().Name(name));
    SkipBlanks();
    Expect(u">");
}

// The attributes are collected apart and given to the node in an array of
// their exact size; those read before an error stay with the node.
void TXmlReader::ParseAttrs(TXmlNode& node)
{
    ++Elements;
    Attrs.Clear();
    try {
        ReadAttrs();
    } catch (...) {
        node.Attrs.TakeExact(Attrs);
        throw;
    }
    node.Attrs.TakeExact(Attrs);
}

// A repeated name replaces the earlier value in place, as writing it would.
void TXmlReader::ReadAttrs()
{
    SkipBlanks();
    for (size_t index = 0; !In.AtEnd() && IsNameStart(In.Peek()); ++index) {
        if (index == PreviousAttrNames.size())
            PreviousAttrNames.push_back(-1);
        const int name = ReadInternedName(PreviousAttrNames[index]);
        PreviousAttrNames[index] = name;
        SkipBlanks();
        Expect(u"=");
        SkipBlanks();
        if (In.AtEnd())
            throw TXmlError(u"Expected attribute value"_s);
        const char16_t quote = In.Peek();
        if (quote != u'"' && quote != u'\'')
            throw TXmlError(u"Expected string constant"_s);
        In.Next();
        const QStringView value = ReadAttrValue(quote);
        if (static_cast<size_t>(name) >= Seen.size())
            Seen.resize(static_cast<size_t>(XmlNameTable().Count()));
        TSeen& seen = Seen[static_cast<size_t>(name)];
        const int at = seen.Element == Elements ? seen.Index : -1;
        if (at < 0)
            seen = {Elements, Attrs.Count()};
        if (const auto number = CanonicalInteger(value))
            Attrs.SetInteger(at, name, *number);
        else
            Attrs.SetText(at, name, value.isEmpty() ? QString() : value.toString());
        SkipBlanks();
    }
}

// After the opening quote, up to and with the closing one.
QStringView TXmlReader::ReadAttrValue(char16_t quote)
{
    const auto isStop = [quote](QChar c) { return c == quote || c == u'<' || c == u'&'; };
    if (!In.AtEnd()) {
        const QStringView run = In.Pending();
        const auto stop = std::find_if(run.begin(), run.end(), isStop);
        if (stop != run.end() && *stop == quote) {
            In.Skip(stop - run.begin() + 1);
            return QStringView(run.begin(), stop);
        }
    }
    ValueText.resize(0);
    for (;;) {
        if (In.AtEnd())
            throw Expected(QString(QChar(quote)));
        const QStringView run = In.Pending();
        const auto stop = std::find_if(run.begin(), run.end(), isStop);
        const qsizetype length = stop - run.begin();
        ValueText.append(run.first(length));
        In.Skip(length);
        if (stop == run.end())
            continue;
        const char16_t c = In.Next();
        if (c == quote)
            return ValueText;
        if (c == u'<')
            throw TXmlError(u"Symbol \"<\" cannot be used in attributes value"_s);
        ValueText.append(QChar(ExpectXmlEntity()));
    }
}

// The target "xml" carries attributes; any other target carries the text up
// to "?>", without the blanks that separate it from the target.
void TXmlReader::ParseProcessingInstruction(TXmlNode& parent)
{
    const QStringView target = ReadName();
    const bool declaration = target == u"xml";
    const auto instruction =
        std::make_shared<TXmlProcessingInstruction>(target.toString(), QString());
    if (declaration) {
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
        const QStringView name = ReadName();
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

QStringView TXmlReader::ReadName()
{
    if (In.AtEnd() || !IsNameStart(In.Peek()))
        throw TXmlError(u"Name must begin on letter or \"_\""_s);
    const QStringView first = In.Pending();
    const auto end = std::find_if_not(first.begin() + 1, first.end(), IsNameChar);
    if (end != first.end()) {
        In.Skip(end - first.begin());
        return QStringView(first.begin(), end);
    }
    NameText = first.toString();
    In.Skip(first.size());
    while (!In.AtEnd()) {
        const QStringView run = In.Pending();
        const auto stop = std::find_if_not(run.begin(), run.end(), IsNameChar);
        NameText.append(QStringView(run.begin(), stop));
        In.Skip(stop - run.begin());
        if (stop != run.end())
            break;
    }
    return NameText;
}

int TXmlReader::ReadInternedName(int likely)
{
    const QStringView name = ReadName();
    if (likely >= 0 && XmlNameTable().Name(likely) == name)
        return likely;
    return XmlNameTable().Add(name);
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
    if (!In.AtEnd() && In.Pending().startsWith(text)) {
        In.Skip(text.size());
        return;
    }
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
