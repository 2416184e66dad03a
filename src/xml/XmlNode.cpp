#include "XmlNode.h"

#include "SafeFile.h"
#include "XmlNameTable.h"
#include "XmlReader.h"
#include "XmlValue.h"
#include "XmlWriter.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

TXmlNode::TXmlNode(TKind kind, const QString& name)
    : NodeKind(kind)
    , NameId(XmlNameTable().Add(name))
{}

// Destroying the children one by one would recurse as deep as the tree; the
// subtrees that nobody else holds are taken apart here instead.
TXmlNode::~TXmlNode()
{
    std::vector<IXmlNode> pending = std::move(ChildList.Nodes);
    while (!pending.empty()) {
        IXmlNode node = std::move(pending.back());
        pending.pop_back();
        node->ParentNode = nullptr;
        if (node.use_count() == 1) {
            auto& children = node->ChildList.Nodes;
            std::move(children.begin(), children.end(), std::back_inserter(pending));
            children.clear();
        }
    }
}

const QString& TXmlNode::Name() const
{
    return XmlNameTable().Name(NameId);
}

IXmlNode TXmlNode::AddElement(const QString& name)
{
    const auto element = std::make_shared<TXmlElement>(name);
    Adopt(element);
    return element;
}

IXmlNode TXmlNode::FindChild(const QString& name) const
{
    const int id = XmlNameTable().Find(name);
    const auto found = std::find_if(ChildList.Nodes.begin(), ChildList.Nodes.end(),
                                    [id](const IXmlNode& child) { return child->NameId == id; });
    return found == ChildList.Nodes.end() ? nullptr : *found;
}

IXmlNode TXmlNode::FindOrAddChild(const QString& name)
{
    IXmlNode child = FindChild(name);
    return child ? child : AddElement(name);
}

IXmlNode TXmlNode::RequireChild(const QString& name) const
{
    IXmlNode child = FindChild(name);
    if (!child)
        throw TXmlError(u"Error: not found child element \"%1\"."_s.arg(name));
    return child;
}

void TXmlNode::ClearChildren()
{
    for (const IXmlNode& child : ChildList.Nodes)
        child->ParentNode = nullptr;
    ChildList.Nodes.clear();
}

// A node in two places, or inside itself, would be written twice or forever
// and never freed.
void TXmlNode::AppendChild(const IXmlNode& child)
{
    if (child->ParentNode)
        throw TXmlError(u"The node already has a parent"_s);
    for (const TXmlNode* node = this; node; node = node->ParentNode) {
        if (node == child.get())
            throw TXmlError(u"A node cannot be appended below itself"_s);
    }
    Adopt(child);
}

void TXmlNode::Adopt(const IXmlNode& child)
{
    child->ParentNode = this;
    ChildList.Nodes.push_back(child);
}

void TXmlNode::ClearAttrs()
{
    Attrs.clear();
}

const TXmlNode::TValue* TXmlNode::FindAttr(const QString& name) const
{
    const int id = XmlNameTable().Find(name);
    const auto found = std::find_if(Attrs.begin(), Attrs.end(),
                                    [id](const TAttr& attr) { return attr.Name == id; });
    return found == Attrs.end() ? nullptr : &found->Value;
}

void TXmlNode::SetAttr(const QString& name, TValue value)
{
    const int id = XmlNameTable().Add(name);
    const auto found = std::find_if(Attrs.begin(), Attrs.end(),
                                    [id](const TAttr& attr) { return attr.Name == id; });
    if (found == Attrs.end())
        Attrs.push_back({id, std::move(value)});
    else
        found->Value = std::move(value);
}

QString TXmlNode::ReadAttr(const QString& name, const QString& Default) const
{
    const TValue* value = FindAttr(name);
    return value ? ValueText(*value) : Default;
}

void TXmlNode::WriteAttr(const QString& name, const QString& value)
{
    SetAttr(name, value);
}

std::int32_t TXmlNode::ReadIntAttr(const QString& name, std::int32_t Default) const
{
    const TValue* value = FindAttr(name);
    return value ? TextToInt32(ValueText(*value)) : Default;
}

void TXmlNode::WriteIntAttr(const QString& name, std::int32_t value)
{
    SetAttr(name, value);
}

bool TXmlNode::ReadBoolAttr(const QString& name, bool Default) const
{
    const TValue* value = FindAttr(name);
    return value ? TextToBool(ValueText(*value)) : Default;
}

void TXmlNode::WriteBoolAttr(const QString& name, bool value)
{
    SetAttr(name, value);
}

std::int64_t TXmlNode::ReadInt64Attr(const QString& name, std::int64_t Default) const
{
    const TValue* value = FindAttr(name);
    return value ? TextToInt64(ValueText(*value)) : Default;
}

void TXmlNode::WriteInt64Attr(const QString& name, std::int64_t value)
{
    SetAttr(name, value);
}

const QString& TXmlNode::AttrName(int index) const
{
    return XmlNameTable().Name(Attrs.at(static_cast<size_t>(index)).Name);
}

QString TXmlNode::AttrText(int index) const
{
    return ValueText(Attrs.at(static_cast<size_t>(index)).Value);
}

QString TXmlNode::XmlText() const
{
    TXmlWriter writer;
    writer.Write(*this);
    return writer.TakeText();
}

TXmlElement::TXmlElement(const QString& name)
    : TXmlNode(TKind::Element, name)
{}

TXmlCharacterData::TXmlCharacterData(TKind kind, const QString& name, const QString& value)
    : TXmlNode(kind, name)
{
    SetValue(value);
}

TXmlText::TXmlText(const QString& value)
    : TXmlCharacterData(TKind::Text, u"#text"_s, value)
{}

TXmlCDATASection::TXmlCDATASection(const QString& value)
    : TXmlCharacterData(TKind::CDATASection, u"#cdata-section"_s, value)
{}

TXmlComment::TXmlComment(const QString& value)
    : TXmlCharacterData(TKind::Comment, u"#comment"_s, value)
{}

TXmlProcessingInstruction::TXmlProcessingInstruction(const QString& target, const QString& value)
    : TXmlNode(TKind::ProcessingInstruction, target)
{
    SetValue(value);
}

TXmlDocument::TXmlDocument()
    : TXmlNode(TKind::Document, u"#document"_s)
{}

void TXmlDocument::LoadFromFile(const QString& FileName, qint64 maxBytes)
{
    ClearChildren();
    ClearAttrs();
    const std::unique_ptr<QFile> file = OpenRegularFile(FileName, {.MaxBytes = maxBytes});
    ReadXml(*file, FileName, *this, FPreserveWhiteSpace);
}

void TXmlDocument::LoadFromBytes(const QByteArray& bytes)
{
    ClearChildren();
    ClearAttrs();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadXml(buffer, QString(), *this, FPreserveWhiteSpace);
}

void TXmlDocument::SaveToFile(const QString& FileName) const
{
    TSafeFile file(FileName);
    TXmlWriter writer([&file](QByteArrayView bytes) { file.Write(bytes); });
    writer.Write(*this);
    writer.Flush();
    file.Commit();
}

IXmlDocument NewXmlDocument()
{
    return std::make_shared<TXmlDocument>();
}
