#include "XmlAttrList.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

const QString EmptyText;

} // namespace

TXmlAttrList::~TXmlAttrList()
{
    Clear();
    std::free(Items);
}

QString* TXmlAttrList::TextOf(const TItem& item)
{
    QString* text = nullptr;
    static_assert(sizeof text == sizeof item.Value);
    std::memcpy(&text, item.Value, sizeof text);
    return text;
}

void TXmlAttrList::FreeText(const TItem& item)
{
    if ((item.NameAndKind & 1) == 0)
        delete TextOf(item);
}

std::int64_t TXmlAttrList::Integer(int index) const
{
    std::int64_t value = 0;
    std::memcpy(&value, Items[index].Value, sizeof value);
    return value;
}

const QString& TXmlAttrList::Text(int index) const
{
    const QString* text = TextOf(Items[index]);
    return text ? *text : EmptyText;
}

int TXmlAttrList::IndexOf(int nameId) const
{
    const auto key = static_cast<std::uint32_t>(nameId);
    for (std::uint32_t i = 0; i < Size; ++i) {
        if (Items[i].NameAndKind >> 1 == key)
            return static_cast<int>(i);
    }
    return -1;
}

TXmlAttrList::TItem& TXmlAttrList::Slot(int index, int nameId)
{
    if (index >= 0) {
        FreeText(Items[index]);
        return Items[index];
    }
    if (Size == Capacity)
        Reserve(Capacity == 0 ? 4 : static_cast<int>(2 * Capacity));
    TItem& item = Items[Size++];
    item.NameAndKind = static_cast<std::uint32_t>(nameId) << 1;
    return item;
}

void TXmlAttrList::SetInteger(int index, int nameId, std::int64_t value)
{
    TItem& item = Slot(index, nameId);
    item.NameAndKind |= 1;
    std::memcpy(item.Value, &value, sizeof value);
}

void TXmlAttrList::SetText(int index, int nameId, const QString& text)
{
    // Made before the slot is taken, so that a failure leaves the list whole.
    auto copy = text.isNull() ? nullptr : std::make_unique<QString>(text);
    TItem& item = Slot(index, nameId);
    item.NameAndKind &= ~std::uint32_t(1);
    QString* owned = copy.release();
    std::memcpy(item.Value, &owned, sizeof owned);
}

void TXmlAttrList::Reserve(int count)
{
    if (count <= static_cast<int>(Capacity))
        return;
    void* grown = std::realloc(Items, static_cast<size_t>(count) * sizeof(TItem));
    if (!grown)
        throw std::bad_alloc();
    Items = static_cast<TItem*>(grown);
    Capacity = static_cast<std::uint32_t>(count);
}

void TXmlAttrList::Clear()
{
    for (std::uint32_t i = 0; i < Size; ++i)
        FreeText(Items[i]);
    Size = 0;
}

void TXmlAttrList::TakeExact(TXmlAttrList& other)
{
    Clear();
    if (Capacity != other.Size) {
        std::free(Items);
        Items = nullptr;
        Capacity = 0;
        Reserve(static_cast<int>(other.Size));
    }
    if (other.Size > 0)
        std::memcpy(Items, other.Items, other.Size * sizeof(TItem));
    Size = other.Size;
    other.Size = 0;
}
