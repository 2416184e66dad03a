// A shard file keeps the complete result of one search over part of a corpus,
// so that searches of the parts, run anywhere, can be merged into the result
// of one search over the whole: what was searched and how (settings, pattern,
// syntax, encoding, distributions, baseline), the messages the search showed,
// the file-name table its matches refer to, and each distribution's bin set
// with its baseline.
#pragma once

#include "CorpusFileReader.h"
#include "Distribution.h"
#include "TAppSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What has to be the same for two shards' results to add up.
struct TShardSearch {
    QString Pattern;
    TSearchSyntax Syntax = ssWordPhrase;
    std::array<bool, 4> Distributions{}; // sentence, paragraph, section, text
    TEncodingChoice Encoding = TEncodingChoice::Auto;
    bool Baseline = false;

    bool operator==(const TShardSearch&) const = default;
};

struct TShardMessage {
    enum class TKind { Warning, Error };
    TKind Kind = TKind::Error;
    QString Text;

    bool operator==(const TShardMessage&) const = default;
};

struct TShard {
    TAppSettings Settings;
    TShardSearch Search;
    std::vector<TShardMessage> Messages; // in the order they were shown
    // A match's file index is a position here.
    QStringList FileNames;
    // One bin set per requested distribution; with Search.Baseline, each
    // carries its baseline.
    TSearchBins Bins;
};

// Writes the shard; an existing file is replaced only when the new one is
// complete. Throws TFileError.
void SaveShard(const QString& path, const TShard& shard);

// Reads a shard file and checks it whole. Throws TFileError when it cannot be
// read, TXmlError for malformed content, and TError for a file that is no
// shard, of an unknown format version, or with a value that does not fit
// (a match index outside FileNames, a baseline of another length than its
// bins).
TShard ReadShard(const QString& path);
