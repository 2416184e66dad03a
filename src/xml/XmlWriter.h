// Writes nodes in the one text form that settings and workspace files have:
// every element on a line of its own, indented by tabs for its depth, CR LF
// line breaks, text unindented, "&", "<", ">" and the double quote escaped.
// Trees are walked without recursion, so any depth can be written.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class TXmlNode;

class TXmlWriter {
public:
    // Takes the text as UTF-16LE bytes and throws when it cannot keep them.
    using TOutput = std::function<void(QByteArrayView)>;

    // Without an output the text is collected for TakeText; with one it goes
    // there in chunks, the last of them on Flush.
    explicit TXmlWriter(TOutput output = nullptr);

    // Writes node and its subtree at the node's depth in its tree: a top-level
    // element, or the root of a tree without a document, has depth 0.
    void Write(const TXmlNode& node);
    void Flush();
    QString TakeText();

private:
    // A document or element whose children are being written.
    struct TOpen {
        const TXmlNode* Node;
        size_t Next; // the child to write next
        int ChildDepth;
        std::int64_t BreaksBefore; // Breaks when the content began
    };

    void Enter(const TXmlNode& node, int depth);
    void Leave(const TOpen& open);
    void PutAttrs(const TXmlNode& node);
    void PutLine(int depth);
    void PutIndent(int depth);
    void PutEscaped(QStringView text);
    void Put(QStringView text);
    void Put(char16_t c) { *Room(1) = c, ++Used; }
    // Where the next n characters go, with room for them.
    char16_t* Room(qsizetype n) { return Used + n <= Buffer.size() ? Data + Used : Grow(n); }
    char16_t* Grow(qsizetype n);
    bool EndsWithLineBreak() const;

    TOutput Output;
    // Buffer's first Used characters are the text not yet flushed; the rest is room.
    QString Buffer;
    char16_t* Data = nullptr;
    qsizetype Used = 0;
    std::vector<TOpen> Open;
    std::int64_t Breaks = 0; // CR and LF written so far
    // The last two characters flushed.
    char16_t Flushed[2] = {u'\0', u'\0'};
};
