// The command line of tamborix-cli:
//   tamborix-cli --help | --version
//   tamborix-cli [--settings FILE] [--save-settings FILE] [--syntax word|regex|tag]
//                [--dist sentence,paragraph,section,text] [--encoding auto|utf8|cp1252]
//                [--jobs N] [--json] [--baseline] [--save-bins FILE] --pattern TEXT FILE...
//   tamborix-cli merge [--json] SHARD...
#pragma once

#include "CorpusFileReader.h"
#include "TAppSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// More worker threads than this would only cost memory.
constexpr int MaxJobs = 256;

struct TCliOptions {
    // Where the options say nothing, the settings decide.
    std::optional<TSearchSyntax> Syntax;
    std::optional<std::array<bool, 4>> Distributions; // sentence, paragraph, section, text
    QString SettingsFile;     // read over the defaults; none: the defaults alone
    QString SaveSettingsFile; // the settings as read are written here
    QString SaveBinsFile;     // a search that completed is kept here as a shard
    // Files with a byte-order mark are always read in the mark's encoding.
    TEncodingChoice Encoding = TEncodingChoice::Auto;
    bool Json = false;
    // Counts the baseline and reports the hits against it.
    bool Baseline = false;
    int Jobs = 0; // files analysed at once; 0: one per processor core
    bool Help = false;
    bool Version = false;
    // Files are shard files (--save-bins) whose results are merged and
    // reported; no search is run.
    bool Merge = false;
    QString Pattern;
    QStringList Files;
};

// Reads the arguments (without the program name). On bad usage returns none
// and sets error to a one-line message. --help and --version need no other
// argument. A first argument "merge" takes only --json and the shard files.
std::optional<TCliOptions> ParseCliOptions(const QStringList& arguments, QString& error);

// The usage text printed for --help and after a usage error.
QString CliUsage();
