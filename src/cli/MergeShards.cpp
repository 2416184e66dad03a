#include "MergeShards.h"

#include "Error.h"
#include "FileNames.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// What tells the search of shard from that of first; empty when nothing does.
QString DifferenceOf(const TShard& first, const TShard& shard)
{
    const TShardSearch& a = first.Search;
    const TShardSearch& b = shard.Search;
    if (a.Pattern != b.Pattern)
        return u"the pattern differs"_s;
    if (a.Syntax != b.Syntax)
        return u"the syntax differs"_s;
    if (a.Distributions != b.Distributions)
        return u"the distributions differ"_s;
    if (a.Encoding != b.Encoding)
        return u"the encoding differs"_s;
    if (a.Baseline != b.Baseline)
        return u"the baseline was counted in only one of them"_s;
    // Anything else in the settings may change which words are hits.
    if (!(first.Settings == shard.Settings))
        return u"the settings differ"_s;
    return QString();
}

} // namespace

TMergedSearch MergeShards(const QStringList& paths)
{
    TMergedSearch merged;
    TShard first;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        try {
            TShard shard = ReadShard(path);
            if (i == 0) {
                first.Settings = shard.Settings;
                first.Search = shard.Search;
                merged.Search = shard.Search;
                merged.Bins = shard.Bins.Blank();
            }
            const QString difference = DifferenceOf(first, shard);
            if (!difference.isEmpty())
                throw TError(u"cannot be merged with %1: %2."_s.arg(paths.first(), difference));
            std::vector<int> fileNames;
            fileNames.reserve(static_cast<size_t>(shard.FileNames.size()));
            for (const QString& name : shard.FileNames)
                fileNames.push_back(FileNameCacheIndex(name));
            merged.Bins.Append(std::move(shard.Bins), fileNames);
            merged.Messages.insert(merged.Messages.end(), shard.Messages.begin(),
                                   shard.Messages.end());
        } catch (const TFileError& error) { // names the file already
            throw TError(error.Message());
        } catch (const TError& error) {
            throw TError(path + u": "_s + error.Message());
        }
    }
    return merged;
}
