// The XML document facility: documents built in memory as a tree of nodes,
// written as text in one fixed form (UTF-16LE without a byte-order mark, CR LF
// line breaks, tab indents) and read back. Settings and workspace files are
// such documents; the text form binds, since files written by one build must
// be readable by the next.
#pragma once

#include "Error.h"
#include "XmlAttrList.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TXmlNode;
class TXmlDocument;

// Handles to nodes are shared: a node lives as long as its parent holds it or
// a caller still holds a handle.
using IXmlNode = std::shared_ptr<TXmlNode>;
using IXmlDocument = std::shared_ptr<TXmlDocument>;

// A reader error, a failed conversion of an attribute, or a missing child.
class TXmlError : public TError {
public:
    using TError::TError;
};

// An element or attribute name interned once, for callers that read or write
// the same names on very many nodes: they are then found by number, without
// hashing their text each time.
class TXmlName {
public:
    explicit TXmlName(const QString& name);

private:
    friend class TXmlNode;
    friend class TXmlReader;
    explicit TXmlName(int id)
        : Id(id)
    {}
    int Id;
};

// The ordered children of a node.
class TXmlNodeList {
public:
    int Count() const { return static_cast<int>(Nodes.size()); }
    IXmlNode Item(int index) const { return Nodes.at(static_cast<size_t>(index)); }

private:
    friend class TXmlNode;
    std::vector<IXmlNode> Nodes;
};

// Millions of nodes are held at once, so a node is kept small: what only some
// kinds of node use (children, a text value) lives apart and exists only once
// it is set.
class TXmlNode {
public:
    enum class TKind { Document, Element, Text, CDATASection, Comment, ProcessingInstruction };

    ~TXmlNode();
    TXmlNode(const TXmlNode&) = delete;
    TXmlNode& operator=(const TXmlNode&) = delete;

    TKind Kind() const { return NodeKind; }
    // The element name, the target of a processing instruction, or "#document",
    // "#text", "#cdata-section", "#comment".
    const QString& Name() const;
    TXmlNode* Parent() const { return ParentNode; }

    const TXmlNodeList& Children() const;
    // Appends a new empty element as the last child and returns it.
    IXmlNode AddElement(const QString& name);
    IXmlNode AddElement(const TXmlName& name);
    // Makes room for count children in all, so that adding them allocates
    // no more than once.
    void ReserveChildren(int count);
    // The first child whose name equals name exactly, or null when there is none.
    IXmlNode FindChild(const QString& name) const;
    // FindChild(name), or AddElement(name) when there is none.
    IXmlNode FindOrAddChild(const QString& name);
    // The first child whose name equals name exactly. Throws TXmlError
    // "Error: not found child element "name"." when there is none.
    IXmlNode RequireChild(const QString& name) const;
    void ClearChildren();
    // Appends child. Throws TXmlError when child has a parent already, or when
    // it is this node or an ancestor of it.
    void AppendChild(const IXmlNode& child);

    // Attributes, in the order they were first written. Writing one that
    // exists replaces its value in place.
    void ClearAttrs();
    // Makes room for count attributes in all.
    void ReserveAttrs(int count);
    QString ReadAttr(const QString& name, const QString& Default) const;
    void WriteAttr(const QString& name, const QString& value);
    // The typed reads throw TXmlError for a value that does not convert:
    // integers are decimal digits with an optional leading "-"; booleans are
    // "1", "0", "True" or "False" in any letter case, or any number (true when
    // not zero).
    std::int32_t ReadIntAttr(const QString& name, std::int32_t Default) const;
    void WriteIntAttr(const QString& name, std::int32_t value);
    bool ReadBoolAttr(const QString& name, bool Default) const;
    void WriteBoolAttr(const QString& name, bool value);
    std::int64_t ReadInt64Attr(const QString& name, std::int64_t Default) const;
    void WriteInt64Attr(const QString& name, std::int64_t value);
    // The same by interned name.
    std::int32_t ReadIntAttr(const TXmlName& name, std::int32_t Default) const;
    void WriteIntAttr(const TXmlName& name, std::int32_t value);
    bool ReadBoolAttr(const TXmlName& name, bool Default) const;
    void WriteBoolAttr(const TXmlName& name, bool value);
    std::int64_t ReadInt64Attr(const TXmlName& name, std::int64_t Default) const;
    void WriteInt64Attr(const TXmlName& name, std::int64_t value);
    int AttrCount() const { return Attrs.Count(); }
    const QString& AttrName(int index) const;
    // The text form of an attribute's value: integers in decimal, booleans as
    // "1" or "0".
    QString AttrText(int index) const;

    // The text value of a text, CDATA, comment or processing-instruction node.
    const QString& Value() const;
    void SetValue(const QString& value);

    // The text form of the node and its subtree, as the writer writes it.
    QString XmlText() const;

protected:
    TXmlNode(TKind kind, const QString& name);
    TXmlNode(TKind kind, const TXmlName& name);

private:
    friend class TXmlReader;
    friend class TXmlWriter;
    struct TContent {
        TXmlNodeList ChildList;
        QString Text;
    };
    // The index of the attribute, or -1.
    int FindAttr(const QString& name) const;
    int FindAttr(const TXmlName& name) const { return Attrs.IndexOf(name.Id); }
    int CheckedAttr(int index) const;
    QString AttrValueText(int index) const;
    std::int32_t AttrInt32(int index) const;
    std::int64_t AttrInt64(int index) const;
    bool AttrBool(int index) const;
    void SetIntegerAttr(int nameId, std::int64_t value);
    const std::vector<IXmlNode>& ChildNodes() const { return Children().Nodes; }
    TContent& MutableContent();
    // Appends child without the checks of AppendChild.
    void Adopt(const IXmlNode& child);

    std::unique_ptr<TContent> Content;
    TXmlNode* ParentNode = nullptr;
    TXmlAttrList Attrs;
    int NameId;
    TKind NodeKind;
};

class TXmlElement : public TXmlNode {
public:
    explicit TXmlElement(const QString& name);
    explicit TXmlElement(const TXmlName& name);
};

// The nodes that hold a text value.
class TXmlCharacterData : public TXmlNode {
protected:
    TXmlCharacterData(TKind kind, const QString& name, const QString& value);
};

class TXmlText : public TXmlCharacterData {
public:
    explicit TXmlText(const QString& value);
};

class TXmlCDATASection : public TXmlCharacterData {
public:
    explicit TXmlCDATASection(const QString& value);
};

class TXmlComment : public TXmlCharacterData {
public:
    explicit TXmlComment(const QString& value);
};

// For the target "xml" it holds attributes; otherwise a text value.
class TXmlProcessingInstruction : public TXmlNode {
public:
    TXmlProcessingInstruction(const QString& target, const QString& value);
};

class TXmlDocument : public TXmlNode {
public:
    TXmlDocument();

    // Removes all children and attributes, then reads the file: UTF-16LE as
    // SaveToFile writes it, or UTF-8, UTF-16LE or UTF-16BE with a byte-order
    // mark, or UTF-8 or UTF-16BE without one, told apart by the first bytes.
    // Throws TFileError when it is not a regular file, is larger than maxBytes
    // (unless negative) or cannot be opened, TXmlError for malformed content;
    // the nodes read before the error stay.
    void LoadFromFile(const QString& FileName, qint64 maxBytes = -1);
    // Reads bytes as LoadFromFile reads a file's.
    void LoadFromBytes(const QByteArray& bytes);
    // Replaces the file with the document's text: written beside it first and
    // renamed over it, so that a failed save leaves the old file whole (see
    // TSafeFile). Throws TFileError.
    void SaveToFile(const QString& FileName) const;

    bool FPreserveWhiteSpace = false;
};

// A new empty document: no children, no declaration.
IXmlDocument NewXmlDocument();
