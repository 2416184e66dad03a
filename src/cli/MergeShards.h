// The results of shard files (see ShardFile.h) added up into those of one
// search over all their files, in the order of the shards.
#pragma once

#include "ShardFile.h"

#include <QStringList>

#include <vector>

struct TMergedSearch {
    TShardSearch Search;
    std::vector<TShardMessage> Messages; // shard by shard, each in its order
    TSearchBins Bins;                    // the matches' file indexes point into FileNameCache
};

// Reads the shards in the order given. Each shard's file names are entered in
// FileNameCache in turn, which gives the cache the order that one search over
// the shards' files would have given it. Throws TError, whose one-line
// message names the file, for a shard that cannot be read, is malformed, or
// was searched otherwise than the first.
TMergedSearch MergeShards(const QStringList& paths);
