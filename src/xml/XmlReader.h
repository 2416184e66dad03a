// Reads the text form into a tree: elements with attributes, text, comments,
// CDATA sections and processing instructions; a document type declaration is
// skipped. Errors are raised with the reader's fixed message texts, and the
// nodes read before an error stay in the tree.
#pragma once

#include <QString>

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
    void ParseXml(TXmlNode& parent, int depth);
    void ParseElement(TXmlNode& parent, int depth);
    void ParseAttrs(TXmlNode& node);
    void ParseProcessingInstruction(TXmlNode& parent);
    void ParseDeclaration(TXmlNode& parent);
    char16_t ExpectXmlEntity();
    QString ReadName();
    QString ReadUpTo(QStringView terminator);
    void Expect(QStringView text);
    void SkipBlanks();

    TXmlInput& In;
    bool PreserveWhiteSpace;
};

// Reads device into document's children, in the encoding its first bytes tell
// (see TXmlInput); source names the input in file errors. Throws TXmlError or
// TFileError.
void ReadXml(QIODevice& device, const QString& source, TXmlNode& document, bool preserveWhiteSpace);
