// The attributes of one node, kept compact: a workspace file holds millions
// of elements with ten attributes each. A value is an integer or a text. What
// was written as a number (a boolean as 1 or 0) stays one, and so does a text
// read from a file that is the one decimal form of a 64-bit integer: either
// reads back as exactly the text it is written as.
#pragma once

#include <QString>

#include <cstdint>

class TXmlAttrList {
public:
    TXmlAttrList() = default;
    TXmlAttrList(const TXmlAttrList&) = delete;
    TXmlAttrList& operator=(const TXmlAttrList&) = delete;
    ~TXmlAttrList();

    int Count() const { return static_cast<int>(Size); }
    // REQUIRES for these: 0 <= index < Count().
    int NameId(int index) const { return static_cast<int>(Items[index].NameAndKind >> 1); }
    bool IsInteger(int index) const { return (Items[index].NameAndKind & 1) != 0; }
    // REQUIRES: IsInteger(index).
    std::int64_t Integer(int index) const;
    // REQUIRES: !IsInteger(index).
    const QString& Text(int index) const;

    // The index of the attribute, or -1.
    int IndexOf(int nameId) const;
    // Replaces the value at index (from IndexOf), or appends the attribute
    // when index is -1.
    void SetInteger(int index, int nameId, std::int64_t value);
    void SetText(int index, int nameId, const QString& text);

    void Reserve(int count);
    void Clear();
    // Takes the attributes of other into an array of their exact size; other
    // is left empty but keeps its array for the next element.
    void TakeExact(TXmlAttrList& other);

private:
    // A text value is held through a pointer in Value, null for a null text.
    struct TItem {
        std::uint32_t NameAndKind; // name id << 1 | 1 for an integer
        std::uint32_t Value[2];
    };
    static QString* TextOf(const TItem& item);
    static void FreeText(const TItem& item);
    TItem& Slot(int index, int nameId);

    TItem* Items = nullptr;
    std::uint32_t Size = 0;
    std::uint32_t Capacity = 0;
};
