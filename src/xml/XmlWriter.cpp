#include "XmlWriter.h"

#include "XmlNameTable.h"
#include "XmlNode.h"
#include "XmlValue.h"

#include <QSysInfo>
#include <QtEndian>

#include <algorithm>

namespace {

// Characters collected before they go to the output: large enough that the
// system is called rarely, small against any document worth streaming.
constexpr qsizetype ChunkChars = qsizetype(1) << 19;
// Text is copied in pieces of at most this many characters, so that a long
// text needs no more room in the buffer than a chunk.
constexpr qsizetype PieceChars = 4096;
// The most characters one character of text is escaped as ("&quot;").
constexpr qsizetype MaxEscapeChars = 6;

int DepthOf(const TXmlNode& node)
{
    int depth = 0;
    for (const TXmlNode* p = node.Parent(); p; p = p->Parent()) {
        if (p->Kind() == TXmlNode::TKind::Element)
            ++depth;
    }
    return depth;
}

bool IsBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

TXmlWriter::TXmlWriter(TOutput output)
    : Output(std::move(output))
{
    if (Output) {
        Buffer.resize(ChunkChars);
        Data = reinterpret_cast<char16_t*>(Buffer.data());
    }
}

void TXmlWriter::Write(const TXmlNode& node)
{
    Enter(node, DepthOf(node));
    while (!Open.empty()) {
        TOpen& top = Open.back();
        const auto& children = top.Node->ChildNodes();
        if (top.Next == children.size()) {
            const TOpen done = top;
            Open.pop_back();
            Leave(done);
        } else {
            const TXmlNode& child = *children[top.Next++];
            Enter(child, top.ChildDepth);
        }
    }
}

void TXmlWriter::Enter(const TXmlNode& node, int depth)
{
    using enum TXmlNode::TKind;
    switch (node.NodeKind) {
    case Document:
        Open.push_back({&node, 0, depth, Breaks});
        break;
    case Element: {
        PutLine(depth);
        Put(u'<');
        Put(node.Name());
        PutAttrs(node);
        // Only empty text nodes write nothing; an element holding nothing else
        // has empty content.
        const auto& children = node.ChildNodes();
        const bool empty = std::all_of(children.begin(), children.end(), [](const IXmlNode& child) {
            return child->NodeKind == Text && child->Value().isEmpty();
        });
        if (empty) {
            Put(u"/>");
        } else {
            Put(u'>');
            Open.push_back({&node, 0, depth + 1, Breaks});
        }
        break;
    }
    case Text:
        PutEscaped(node.Value());
        break;
    case CDATASection:
        Put(u"<![CDATA[");
        Put(node.Value());
        Put(u"]]>");
        break;
    case Comment:
        Put(u"<!--");
        Put(node.Value());
        Put(u"-->");
        break;
    case ProcessingInstruction:
        Put(u"<?");
        Put(node.Name());
        PutAttrs(node);
        if (!node.Value().isEmpty()) {
            Put(u' ');
            Put(node.Value());
        }
        Put(u"?>");
        break;
    }
}

// The end tag stands on a line of its own, at the element's indent, when the
// content has a line break; a break that ends the content is not doubled.
void TXmlWriter::Leave(const TOpen& open)
{
    if (open.Node->NodeKind != TXmlNode::TKind::Element)
        return;
    if (Breaks > open.BreaksBefore) {
        if (EndsWithLineBreak())
            PutIndent(open.ChildDepth - 1);
        else
            PutLine(open.ChildDepth - 1);
    }
    Put(u"</");
    Put(open.Node->Name());
    Put(u'>');
}

void TXmlWriter::PutAttrs(const TXmlNode& node)
{
    const TXmlAttrList& attrs = node.Attrs;
    for (int i = 0; i < attrs.Count(); ++i) {
        Put(u' ');
        Put(XmlNameTable().Name(attrs.NameId(i)));
        Put(u"=\"");
        if (attrs.IsInteger(i)) {
            char16_t* out = Room(MaxIntegerChars);
            Used = IntegerText(attrs.Integer(i), out) - Data;
        } else {
            PutEscaped(attrs.Text(i));
        }
        Put(u'"');
    }
}

// A line break and the indent of depth.
void TXmlWriter::PutLine(int depth)
{
    char16_t* out = Room(2);
    out[0] = u'\r';
    out[1] = u'\n';
    Used += 2;
    Breaks += 2;
    PutIndent(depth);
}

void TXmlWriter::PutIndent(int depth)
{
    for (qsizetype left = std::max(depth, 0); left > 0; left -= PieceChars) {
        const qsizetype tabs = std::min(left, PieceChars);
        std::fill_n(Room(tabs), tabs, u'\t');
        Used += tabs;
    }
}

void TXmlWriter::PutEscaped(QStringView text)
{
    for (qsizetype done = 0; done < text.size(); done += PieceChars) {
        const QStringView piece = text.mid(done, PieceChars);
        char16_t* out = Room(piece.size() * MaxEscapeChars);
        for (QChar qc : piece) {
            const char16_t c = qc.unicode();
            const auto put = [&out](QStringView escaped) {
                out = std::copy(escaped.utf16(), escaped.utf16() + escaped.size(), out);
            };
            switch (c) {
            case u'&':
                put(u"&amp;");
                break;
            case u'<':
                put(u"&lt;");
                break;
            case u'>':
                put(u"&gt;");
                break;
            case u'"':
                put(u"&quot;");
                break;
            default:
                Breaks += IsBreak(c);
                *out++ = c;
            }
        }
        Used = out - Data;
    }
}

void TXmlWriter::Put(QStringView text)
{
    for (qsizetype done = 0; done < text.size(); done += PieceChars) {
        const QStringView piece = text.mid(done, PieceChars);
        char16_t* out = Room(piece.size());
        const char16_t* in = piece.utf16();
        std::copy(in, in + piece.size(), out);
        Breaks += std::count_if(in, in + piece.size(), IsBreak);
        Used += piece.size();
    }
}

char16_t* TXmlWriter::Grow(qsizetype n)
{
    if (Output && Used > 0)
        Flush();
    if (Used + n > Buffer.size()) {
        Buffer.resize(std::max({Used + n, 2 * Buffer.size(), qsizetype(256)}));
        Data = reinterpret_cast<char16_t*>(Buffer.data());
    }
    return Data + Used;
}

bool TXmlWriter::EndsWithLineBreak() const
{
    const char16_t before = Used >= 2 ? Data[Used - 2] : Used == 1 ? Flushed[1] : Flushed[0];
    const char16_t last = Used >= 1 ? Data[Used - 1] : Flushed[1];
    return before == u'\r' && last == u'\n';
}

void TXmlWriter::Flush()
{
    if (!Output || Used == 0)
        return;
    Flushed[0] = Used >= 2 ? Data[Used - 2] : Flushed[1];
    Flushed[1] = Data[Used - 1];
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        Output(QByteArrayView(reinterpret_cast<const char*>(Data), Used * 2));
    } else {
        QByteArray bytes(Used * 2, Qt::Uninitialized);
        qToLittleEndian<quint16>(Data, Used, bytes.data());
        Output(bytes);
    }
    Used = 0;
}

QString TXmlWriter::TakeText()
{
    Buffer.truncate(Used);
    Data = nullptr;
    Used = 0;
    return std::move(Buffer);
}
