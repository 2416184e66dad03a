#include "THitTable.h"

THitRecord THitTable::operator[](size_t index) const
{
    const TPacked& record = Records[index];
    if (record.Flags & IsWide)
        return Wide[static_cast<size_t>(record.BeginOffest)];
    const auto end = static_cast<std::uint64_t>(record.BeginOffest) + record.Length;
    return {record.BeginOffest,   static_cast<std::int64_t>(end), record.LineNo,
            record.FileNameIndex, (record.Flags & Unicode) != 0,  (record.Flags & Utf8) != 0};
}

size_t THitTable::AddWide(const THitRecord& hit)
{
    Wide.push_back(hit);
    Records.push_back({static_cast<std::int64_t>(Wide.size() - 1), 0, 0, 0, IsWide});
    return Records.size() - 1;
}

void THitTable::TruncateTo(size_t count)
{
    for (size_t i = count; i < Records.size(); ++i) {
        if (Records[i].Flags & IsWide) {
            Wide.resize(static_cast<size_t>(Records[i].BeginOffest));
            break;
        }
    }
    Records.truncate(count);
}

std::int32_t& THitTable::FileOf(size_t index)
{
    TPacked& record = Records[index];
    return record.Flags & IsWide ? Wide[static_cast<size_t>(record.BeginOffest)].FileNameIndex
                                 : record.FileNameIndex;
}

std::vector<size_t> THitTable::MapFiles(std::span<const int> fileNames)
{
    return MapFilesFrom(0, fileNames);
}

std::vector<size_t> THitTable::AppendMapped(const THitTable& other, std::span<const int> fileNames)
{
    const size_t offset = size();
    const size_t count = other.size();
    for (size_t i = 0; i < count; ++i) {
        const TPacked& record = other.Records[i];
        if (record.Flags & IsWide)
            AddWide(other.Wide[static_cast<size_t>(record.BeginOffest)]);
        else
            Records.push_back(record);
    }
    return MapFilesFrom(offset, fileNames);
}

std::vector<size_t> THitTable::MapFilesFrom(size_t from, std::span<const int> fileNames)
{
    std::vector<size_t> unlisted;
    for (size_t i = from; i < Records.size(); ++i) {
        std::int32_t& file = FileOf(i);
        if (file >= 0 && static_cast<size_t>(file) < fileNames.size())
            file = fileNames[static_cast<size_t>(file)];
        else
            unlisted.push_back(i - from);
    }
    return unlisted;
}
