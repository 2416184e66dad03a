// The rows of a concordance window: the hits of one bin with the text around
// them, read back from the corpus files by the byte offsets of the matches,
// the keys by which the rows are sorted, and the wider text of one hit for the
// preview. Corpus files may have changed since the search: every read is
// clamped to the file as it is now, so a changed file shows what stands at the
// recorded offsets and a shortened one shows less.
#pragma once

#include "TMatch.h"

#include <QString>

#include <array>
#include <vector>

class TBin;
class TDelimiters;

// One row: a match and the text around it, without carriage returns and line
// feeds. Tags stay in the texts; the sort keys are taken without them.
struct TConcordanceLine {
    TMatch Match;
    QString TextBefore; // up to 50 characters before the hit
    QString TextMatch;
    QString TextAfter; // up to 50 characters after the hit
    int OriOrder = 0;  // the match's place in its bin, from 0
    // [0] second and [1] first word to the left, [2] first and [3] second word
    // to the right; empty where there is no such word.
    std::array<QString, 4> SortWords;
    QString SortMatch;
    // The sort keys have only their letters A to Z lowered, so that other
    // capitals keep their place in the order of code units.
};

// The sort key codes, as the menu items carry them.
enum TSortKey : int {
    skNone = 0, // only as second key
    sk2ndLeft = 1,
    sk1stLeft = 2,
    skSearchTerm = 3,
    sk1stRight = 4,
    sk2ndRight = 5,
    skOriginalOrder = 7,
};

class TConcordanceLines {
public:
    // Replaces the rows by the matches of bin in its order and reads their
    // texts. Each file is opened once per load and closed when it ends. Throws
    // TFileError when a file cannot be opened or read; the rows are then empty.
    void Load(const TBin& bin, const TDelimiters& delimiters);
    void Clear();

    int Count() const { return static_cast<int>(Order.size()); }
    // The row at index row of the current order.
    const TConcordanceLine& Line(int row) const
    {
        return Lines[static_cast<size_t>(Order[static_cast<size_t>(row)])];
    }

    // Orders the rows by sort1 and rows equal in it by sort2 (unless sort1 is
    // skOriginalOrder); rows equal in both keep the order they had.
    void Sort(int sort1, int sort2);

private:
    std::vector<TConcordanceLine> Lines; // in the order of the bin
    std::vector<int> Order;              // indexes into Lines, in display order
};

// Compares two rows by sort1, then by sort2 as Sort does: negative, 0 or positive.
int CompareSort(const TConcordanceLine& m1, const TConcordanceLine& m2, int sort1, int sort2);

// The text of the preview: the hit and about 500 characters on each side of
// it, line breaks kept.
struct TPreviewText {
    QString Before;
    QString Hit;
    QString After;
};

// Reads the preview of match from its file. Throws TFileError when the file
// cannot be opened or read.
TPreviewText ReadPreview(const TMatch& match);
