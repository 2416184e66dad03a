#include "XmlNameTable.h"

#include <QHash>

namespace {

// Chains grow long when a program interns very many names (as a fuzzer
// does); beyond this average length the buckets are doubled.
constexpr size_t MaxAverageChain = 4;

} // namespace

TXmlNameTable::TXmlNameTable(int bucketCount)
    : Heads(static_cast<size_t>(bucketCount), -1)
{}

int TXmlNameTable::Add(QStringView name)
{
    const size_t hash = qHash(name);
    const int found = Find(name, hash);
    if (found >= 0)
        return found;
    const int id = Count();
    Names.emplace_back(name.toString());
    Hashes.push_back(hash);
    const size_t bucket = hash % Heads.size();
    NextInBucket.push_back(Heads[bucket]);
    Heads[bucket] = id;
    if (Names.size() > MaxAverageChain * Heads.size())
        Rehash(2 * Heads.size());
    return id;
}

int TXmlNameTable::Find(QStringView name) const
{
    return Find(name, qHash(name));
}

int TXmlNameTable::Find(QStringView name, size_t hash) const
{
    for (int id = Heads[hash % Heads.size()]; id >= 0; id = NextInBucket[static_cast<size_t>(id)]) {
        const auto k = static_cast<size_t>(id);
        if (Hashes[k] == hash && Names[k] == name)
            return id;
    }
    return -1;
}

void TXmlNameTable::Rehash(size_t bucketCount)
{
    Heads.assign(bucketCount, -1);
    for (size_t k = 0; k < Names.size(); ++k) {
        const size_t bucket = Hashes[k] % bucketCount;
        NextInBucket[k] = Heads[bucket];
        Heads[bucket] = static_cast<int>(k);
    }
}

TXmlNameTable& XmlNameTable()
{
    static TXmlNameTable table(4096);
    return table;
}
