#include "TMatchList.h"

#include "Error.h"

using namespace Qt::StringLiterals;

TMatchList::TMatchList(const TMatchList& other)
{
    for (const TMatch match : other)
        push_back(match);
}

TMatchList& TMatchList::operator=(const TMatchList& other)
{
    if (this != &other) {
        TMatchList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TMatch TMatchList::operator[](size_t i) const
{
    const TEntry& entry = Entries[i];
    if (entry.Form == IsWide)
        return Wide[WideIndex(entry)];
    TMatch match;
    (*Table)[entry.Hit].CopyTo(match);
    match.WordsFromBeginning = entry.A;
    if (entry.Form == Words)
        match.WordsFromEnd = entry.B;
    else
        match.SentecesFromBeginning = entry.B;
    match.SentecesFromEnd = entry.C;
    match.Percent = entry.Percent;
    return match;
}

void TMatchList::push_back(const TMatch& match)
{
    Entries.push_back(EntryFor(match));
}

void TMatchList::Set(size_t i, const TMatch& match)
{
    TEntry& entry = Entries[i];
    if (entry.Form == IsWide)
        Wide[WideIndex(entry)] = match;
    else
        entry = EntryFor(match);
}

void TMatchList::clear()
{
    Entries.clear();
    std::vector<TMatch>().swap(Wide);
    Table.reset();
}

bool TMatchList::TakeUp(const std::shared_ptr<THitTable>& table)
{
    if (!empty())
        return false;
    Table = table;
    return true;
}

TMatchList::TEntry TMatchList::EntryFor(const TMatch& match)
{
    if (!Table)
        Table = std::make_shared<THitTable>();
    TEntry entry;
    if (Encode(Table->size(), TPositions::Of(match), entry)) {
        Table->Add(THitRecord::Of(match));
        return entry;
    }
    Wide.push_back(match);
    const std::uint64_t index = Wide.size() - 1;
    return {0,     static_cast<std::uint32_t>(index), static_cast<std::uint32_t>(index >> 32), 0, 0,
            IsWide};
}

bool TMatchList::RefersToUnlisted(const THitTransfer& transfer) const
{
    if (transfer.Unlisted.empty() || Table.get() != transfer.From)
        return false;
    for (size_t i = 0; i < size(); ++i) {
        const TEntry& entry = Entries[i];
        if (entry.Form != IsWide &&
            std::binary_search(transfer.Unlisted.begin(), transfer.Unlisted.end(), entry.Hit))
            return true;
    }
    return false;
}

namespace {

int Mapped(int file, std::span<const int> fileNames)
{
    if (file < 0 || static_cast<size_t>(file) >= fileNames.size())
        throw TError(u"A match names a file that its results do not list."_s);
    return fileNames[static_cast<size_t>(file)];
}

} // namespace

// The hits of transfer.From are read where the transfer put them, with their
// file indexes mapped; those of any other table are mapped here.
void TMatchList::Append(TMatchList&& other, const THitTransfer& transfer,
                        std::span<const int> fileNames)
{
    const bool transferred = other.Table && other.Table.get() == transfer.From;
    if (transferred && other.RefersToUnlisted(transfer))
        throw TError(u"A match names a file that its results do not list."_s);
    if (transferred && empty() && transfer.To.get() == transfer.From && transfer.Offset == 0) {
        *this = std::move(other);
        for (TMatch& match : Wide)
            match.FileNameIndex = Mapped(match.FileNameIndex, fileNames);
        return;
    }
    const bool sameTable = transferred && (Table == transfer.To || TakeUp(transfer.To));
    for (size_t i = 0; i < other.size(); ++i) {
        TEntry entry = other.Entries[i];
        if (entry.Form == IsWide) {
            TMatch match = other.Wide[WideIndex(entry)];
            match.FileNameIndex = Mapped(match.FileNameIndex, fileNames);
            push_back(match);
        } else if (!transferred) {
            TMatch match = other[i];
            match.FileNameIndex = Mapped(match.FileNameIndex, fileNames);
            push_back(match);
        } else if (const size_t hit = entry.Hit + transfer.Offset; sameTable && hit <= UINT32_MAX) {
            entry.Hit = static_cast<std::uint32_t>(hit);
            Entries.push_back(entry);
        } else {
            TMatch match = other[i];
            (*transfer.To)[hit].CopyTo(match);
            push_back(match);
        }
    }
    other.clear();
}
