// Reads the text form into a tree: elements with attributes, text, comments,
// CDATA sections and processing instructions; a document type declaration is
// skipped. Errors are raised with the reader's fixed message texts, and the
// nodes read before an error stay in the tree.
#pragma once

#include "XmlAttrList.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

class QIODevice;
class TXmlInput;
class TXmlNode;

class TXmlReader {
public:
    // Elements nested deeper than this raise an error, which bounds the
    // reader's recursion.
    static constexpr int MaxDepth = 1000;

    // Whitespace-only text is dropped unless preserveWhiteSpace.
    TXmlReader(TXmlInput& input, bool preserveWhiteSpace);

    // Appends the nodes up to the end of the input, or up to an end tag at the
    // top level, to document's children. Throws TXmlError or TFileError.
    void Read(TXmlNode& document) { ParseXml(document, 0); }

private:
    // Where a name was last seen among the attributes of an element.
    struct TSeen {
        std::uint64_t Element = 0; // the number of the element, counted from 1
        int Index = 0;
    };

    void ParseXml(TXmlNode& parent, int depth);
    // The views that these give are valid up to the next read from the input.
    QStringView ReadText();
    // previousName: the name of the element read before at this level, or -1.
    void ParseElement(TXmlNode& parent, int depth, int& previousName);
    void ParseAttrs(TXmlNode& node);
    void ReadAttrs();
    QStringView ReadAttrValue(char16_t quote);
    void ParseProcessingInstruction(TXmlNode& parent);
    void ParseDeclaration(TXmlNode& parent);
    char16_t ExpectXmlEntity();
    QStringView ReadName();
    // Reads a name and gives its number; likely is the number it most likely
    // has, or -1.
    int ReadInternedName(int likely);
    QString ReadUpTo(QStringView terminator);
    void Expect(QStringView text);
    void SkipBlanks();

    TXmlInput& In;
    bool PreserveWhiteSpace;
    // What does not lie in one piece in the input's buffer is collected here,
    // in strings kept from one use to the next.
    QString NameText;
    QString CharText;
    QString ValueText;
    TXmlAttrList Attrs;
    // Elements of one kind have their attributes in the same order: the names
    // of the last element's tell what the next one's most likely are.
    std::vector<int> PreviousAttrNames;
    std::vector<TSeen> Seen; // per name number
    std::uint64_t Elements = 0;
};

// Reads device into document's children, in the encoding its first bytes tell
// (see TXmlInput); source names the input in file errors. Throws TXmlError or
// TFileError.
void ReadXml(QIODevice& device, const QString& source, TXmlNode& document, bool preserveWhiteSpace);
