// The lines of a concordance as they are saved to a file and printed.
#pragma once

#include <QStringList>

class TConcordanceLines;

// What the export options dialog asks.
struct TExportOptions {
    int MaxLines = 0; // hits, not lines; 0 (or less) for every hit
    bool ShowFileNames = false;
    bool ConcealHits = false;
    bool LineNumbers = false;
};

// For each of the first MaxLines rows in display order: its file's path as it
// is on disk, on a line of its own (ShowFileNames); then one line of
// "Line n: " (LineNumbers), the text before, "[[", the hit or one "_" per
// character of it (ConcealHits), "]]" and the text after.
QStringList ConcordanceExportLines(const TConcordanceLines& lines, const TExportOptions& options);
