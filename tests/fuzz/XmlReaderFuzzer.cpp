// libFuzzer target for the XML reader: any bytes, in whatever encoding their
// first bytes suggest, must load or fail with a TXmlError. A document that
// loads is written, and its text must load again into the same elements,
// attributes and markup; text nodes may differ by the line breaks and indents
// that the writer adds around elements.
#include "XmlNode.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Pre-order, without text nodes: each node's name, attributes, value and
// number of children, which together fix the tree's shape.
QString Shape(const TXmlNode& root)
{
    QString shape;
    std::vector<const TXmlNode*> pending{&root};
    while (!pending.empty()) {
        const TXmlNode& node = *pending.back();
        pending.pop_back();
        shape += node.Name() + u'[';
        for (int i = 0; i < node.AttrCount(); ++i) {
            shape += node.AttrName(i) + u'=' + node.AttrText(i) + u'|';
            // The typed reads must convert or fail cleanly whatever the text.
            try {
                node.ReadInt64Attr(node.AttrName(i), 0);
            } catch (const TXmlError&) {
            }
            try {
                node.ReadBoolAttr(node.AttrName(i), false);
            } catch (const TXmlError&) {
            }
        }
        shape += u']' + node.Value();
        int children = 0;
        for (int i = node.Children().Count() - 1; i >= 0; --i) {
            const TXmlNode& child = *node.Children().Item(i);
            if (child.Kind() != TXmlNode::TKind::Text) {
                pending.push_back(&child);
                ++children;
            }
        }
        shape += u'{' + QString::number(children) + u'}';
    }
    return shape;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const IXmlDocument document = NewXmlDocument();
    try {
        document->LoadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const TXmlError&) {
        return 0;
    }
    const QString text = document->XmlText();
    // The written form has no byte-order mark: the reader tells it by its first
    // character, which is the CR before the first element in every document the
    // system writes. A document that begins with text beyond U+00FF would be
    // taken for another encoding, so it is read back with a mark.
    const bool marked = !text.isEmpty() && text[0].unicode() > 0xFF;
    QByteArray bytes = marked ? QByteArray("\xFF\xFE") : QByteArray();
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    const IXmlDocument again = NewXmlDocument();
    try {
        again->LoadFromBytes(bytes);
    } catch (const TXmlError&) {
        std::abort();
    }
    if (Shape(*again) != Shape(*document))
        std::abort();
    return 0;
}
