// The names of elements, attributes and node kinds, interned as numbers so that
// nodes store a number and compare names by number. One table serves every
// document of the process. It is not thread-safe: the system builds and reads
// its documents on one thread.
#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <deque>
#include <vector>

class TXmlNameTable {
public:
    explicit TXmlNameTable(int bucketCount);
    TXmlNameTable(const TXmlNameTable&) = delete;
    TXmlNameTable& operator=(const TXmlNameTable&) = delete;

    // The number of name, which is added when the table does not hold it yet.
    // Names compare exactly, letter case included.
    int Add(QStringView name);
    // The number of name, or -1 when the table does not hold it.
    int Find(QStringView name) const;
    // REQUIRES: id was returned by Add. The reference stays valid as long as
    // the table lives.
    const QString& Name(int id) const { return Names[static_cast<size_t>(id)]; }
    int Count() const { return static_cast<int>(Names.size()); }

private:
    int Find(QStringView name, size_t hash) const;
    void Rehash(size_t bucketCount);

    std::deque<QString> Names; // a deque keeps references to its entries valid
    std::vector<size_t> Hashes;
    std::vector<int> NextInBucket; // per name; -1 ends a bucket's chain
    std::vector<int> Heads;        // per bucket, the first name or -1
};

// The process-wide table, created on first use.
TXmlNameTable& XmlNameTable();
