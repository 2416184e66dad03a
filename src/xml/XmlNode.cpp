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
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

const TXmlNodeList NoChildren;
const QString NoText;

} // namespace

TXmlName::TXmlName(const QString& name)
    : Id(XmlNameTable().Add(name))
{}

TXmlNode::TXmlNode(TKind kind, const QString& name)
    : NameId(XmlNameTable().Add(name))
    , NodeKind(kind)
{}

TXmlNode::TXmlNode(TKind kind, const TXmlName& name)
    : NameId(name.Id)
    , NodeKind(kind)
{}

// Destroying the children one by one would recurse as deep as the tree; the
// subtrees that nobody else holds are taken apart here instead.
TXmlNode::~TXmlNode()
{
    if (!Content)
        return;
    std::vector<IXmlNode> pending = std::move(Content->ChildList.Nodes);
    while (!pending.empty()) {
        IXmlNode node = std::move(pending.back());
        pending.pop_back();
        node->ParentNode = nullptr;
        if (node.use_count() == 1 && node->Content) {
            auto& children = node->Content->ChildList.Nodes;
            std::move(children.begin(), children.end(), std::back_inserter(pending));
            children.clear();
        }
    }
}

const QString& TXmlNode::Name() const
{
    return XmlNameTable().Name(NameId);
}

const TXmlNodeList& TXmlNode::Children() const
{
    return Content ? Content->ChildList : NoChildren;
}

TXmlNode::TContent& TXmlNode::MutableContent()
{
    if (!Content)
        Content = std::make_unique<TContent>();
    return *Content;
}

IXmlNode TXmlNode::AddElement(const QString& name)
{
    const auto element = std::make_shared<TXmlElement>(name);
    Adopt(element);
    return element;
}

IXmlNode TXmlNode::AddElement(const TXmlName& name)
{
    const auto element = std::make_shared<TXmlElement>(name);
    Adopt(element);
    return element;
}

void TXmlNode::ReserveChildren(int count)
{
    MutableContent().ChildList.Nodes.reserve(static_cast<size_t>(std::max(count, 0)));
}

IXmlNode TXmlNode::FindChild(const QString& name) const
{
    const int id = XmlNameTable().Find(name);
    const auto& children = ChildNodes();
    const auto found = std::find_if(children.begin(), children.end(),
                                    [id](const IXmlNode& child) { return child->NameId == id; });
    return found == children.end() ? nullptr : *found;
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
    if (!Content)
        return;
    for (const IXmlNode& child : Content->ChildList.Nodes)
        child->ParentNode = nullptr;
    Content->ChildList.Nodes.clear();
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
    MutableContent().ChildList.Nodes.push_back(child);
    child->ParentNode = this;
}

void TXmlNode::ClearAttrs()
{
    Attrs.Clear();
}

void TXmlNode::ReserveAttrs(int count)
{
    Attrs.Reserve(count);
}

int TXmlNode::FindAttr(const QString& name) const
{
    const int id = XmlNameTable().Find(name);
    return id < 0 ? -1 : Attrs.IndexOf(id);
}

QString TXmlNode::AttrValueText(int index) const
{
    return Attrs.IsInteger(index) ? IntegerString(Attrs.Integer(index)) : Attrs.Text(index);
}

std::int32_t TXmlNode::AttrInt32(int index) const
{
    return Attrs.IsInteger(index) ? IntegerToInt32(Attrs.Integer(index))
                                  : TextToInt32(Attrs.Text(index));
}

std::int64_t TXmlNode::AttrInt64(int index) const
{
    return Attrs.IsInteger(index) ? Attrs.Integer(index) : TextToInt64(Attrs.Text(index));
}

bool TXmlNode::AttrBool(int index) const
{
    return Attrs.IsInteger(index) ? Attrs.Integer(index) != 0 : TextToBool(Attrs.Text(index));
}

void TXmlNode::SetIntegerAttr(int nameId, std::int64_t value)
{
    Attrs.SetInteger(Attrs.IndexOf(nameId), nameId, value);
}

QString TXmlNode::ReadAttr(const QString& name, const QString& Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrValueText(index) : Default;
}

void TXmlNode::WriteAttr(const QString& name, const QString& value)
{
    const int id = XmlNameTable().Add(name);
    Attrs.SetText(Attrs.IndexOf(id), id, value);
}

std::int32_t TXmlNode::ReadIntAttr(const QString& name, std::int32_t Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrInt32(index) : Default;
}

void TXmlNode::WriteIntAttr(const QString& name, std::int32_t value)
{
    SetIntegerAttr(XmlNameTable().Add(name), value);
}

bool TXmlNode::ReadBoolAttr(const QString& name, bool Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrBool(index) : Default;
}

// A boolean is written as 1 or 0 and reads back from that text exactly as
// from the integer.
void TXmlNode::WriteBoolAttr(const QString& name, bool value)
{
    SetIntegerAttr(XmlNameTable().Add(name), value ? 1 : 0);
}

std::int64_t TXmlNode::ReadInt64Attr(const QString& name, std::int64_t Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrInt64(index) : Default;
}

void TXmlNode::WriteInt64Attr(const QString& name, std::int64_t value)
{
    SetIntegerAttr(XmlNameTable().Add(name), value);
}

std::int32_t TXmlNode::ReadIntAttr(const TXmlName& name, std::int32_t Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrInt32(index) : Default;
}

void TXmlNode::WriteIntAttr(const TXmlName& name, std::int32_t value)
{
    SetIntegerAttr(name.Id, value);
}

bool TXmlNode::ReadBoolAttr(const TXmlName& name, bool Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrBool(index) : Default;
}

void TXmlNode::WriteBoolAttr(const TXmlName& name, bool value)
{
    SetIntegerAttr(name.Id, value ? 1 : 0);
}

std::int64_t TXmlNode::ReadInt64Attr(const TXmlName& name, std::int64_t Default) const
{
    const int index = FindAttr(name);
    return index >= 0 ? AttrInt64(index) : Default;
}

void TXmlNode::WriteInt64Attr(const TXmlName& name, std::int64_t value)
{
    SetIntegerAttr(name.Id, value);
}

// Out of range, as std::vector::at would have it.
int TXmlNode::CheckedAttr(int index) const
{
    if (index < 0 || index >= Attrs.Count())
        throw std::out_of_range("attribute index out of range");
    return index;
}

const QString& TXmlNode::AttrName(int index) const
{
    return XmlNameTable().Name(Attrs.NameId(CheckedAttr(index)));
}

QString TXmlNode::AttrText(int index) const
{
    return AttrValueText(CheckedAttr(index));
}

const QString& TXmlNode::Value() const
{
    return Content ? Content->Text : NoText;
}

void TXmlNode::SetValue(const QString& value)
{
    if (Content || !value.isNull())
        MutableContent().Text = value;
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

TXmlElement::TXmlElement(const TXmlName& name)
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
