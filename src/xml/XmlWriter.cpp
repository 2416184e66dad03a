#include "XmlWriter.h"

#include "XmlNameTable.h"
#include "XmlNode.h"
#include "XmlValue.h"

#include <QtEndian>

#include <algorithm>

namespace {

// Characters collected before they go to the device.
constexpr qsizetype ChunkChars = 32768;

int DepthOf(const TXmlNode& node)
{
    int depth = 0;
    for (const TXmlNode* p = node.Parent(); p; p = p->Parent()) {
        if (p->Kind() == TXmlNode::TKind::Element)
            ++depth;
    }
    return depth;
}

} // namespace

TXmlWriter::TXmlWriter(TOutput output)
    : Output(std::move(output))
{}

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
        Put(u"\r\n");
        PutIndent(depth);
        Put(u'<');
        Put(node.Name());
        PutAttrs(node);
        // Only empty text nodes write nothing; an element holding nothing else
        // has empty content.
        const auto& children = node.ChildNodes();
        const bool empty = std::all_of(children.begin(), children.end(), [](const IXmlNode& child) {
            return child->NodeKind == Text && child->Text.isEmpty();
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
        PutEscaped(node.Text);
        break;
    case CDATASection:
        Put(u"<![CDATA[");
        Put(node.Text);
        Put(u"]]>");
        break;
    case Comment:
        Put(u"<!--");
        Put(node.Text);
        Put(u"-->");
        break;
    case ProcessingInstruction:
        Put(u"<?");
        Put(node.Name());
        PutAttrs(node);
        if (!node.Text.isEmpty()) {
            Put(u' ');
            Put(node.Text);
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
        if (Last[0] != u'\r' || Last[1] != u'\n')
            Put(u"\r\n");
        PutIndent(open.ChildDepth - 1);
    }
    Put(u"</");
    Put(open.Node->Name());
    Put(u'>');
}

void TXmlWriter::PutAttrs(const TXmlNode& node)
{
    for (const TXmlNode::TAttr& attr : node.Attrs) {
        Put(u' ');
        Put(XmlNameTable().Name(attr.Name));
        Put(u"=\"");
        PutEscaped(ValueText(attr.Value));
        Put(u'"');
    }
}

void TXmlWriter::PutIndent(int depth)
{
    for (int i = 0; i < depth; ++i)
        Put(u'\t');
}

void TXmlWriter::PutEscaped(QStringView text)
{
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            Put(u"&amp;");
            break;
        case u'<':
            Put(u"&lt;");
            break;
        case u'>':
            Put(u"&gt;");
            break;
        case u'"':
            Put(u"&quot;");
            break;
        default:
            Put(c.unicode());
        }
    }
}

void TXmlWriter::Put(QStringView text)
{
    for (QChar c : text)
        Put(c.unicode());
}

void TXmlWriter::Put(char16_t c)
{
    Buffer.append(QChar(c));
    if (c == u'\r' || c == u'\n')
        ++Breaks;
    Last[0] = Last[1];
    Last[1] = c;
    if (Output && Buffer.size() >= ChunkChars)
        Flush();
}

void TXmlWriter::Flush()
{
    if (!Output || Buffer.isEmpty())
        return;
    QByteArray bytes(Buffer.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(Buffer.constData(), Buffer.size(), bytes.data());
    Output(bytes);
    Buffer.resize(0);
}
