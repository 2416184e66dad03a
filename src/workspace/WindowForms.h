// The elements that keep a text window (TextForm) and a results window
// (ResultsForm) in a workspace. The windows write and read their elements
// through these, and the workspace reads them all before it opens a window.
#pragma once

#include "TBinSet.h"
#include "WindowPlace.h"

#include <QString>

class TXmlNode;

struct TTextFormState {
    QString FileName; // the file shown; empty for a window without one
    TWindowPlace Place;
};

// Replaces the element's content by FileName and the place.
void WriteTextForm(TXmlNode& node, const TTextFormState& state);
// Throws TXmlError for a value that does not convert.
TTextFormState ReadTextForm(const TXmlNode& node);

struct TResultsFormState {
    TWindowPlace Place;
    QString Title;
    QString XAxisTitle;
    TBinSet BinSet; // with its baseline, when the workspace kept one
    // The window shows the expected distribution that the baseline gives.
    bool ShowExpected = false;
};

// Replaces the element's content by the place, the two titles and a child
// "BinSet" holding binSet; then, when binSet carries a baseline, a child
// "Baseline" with the window's choice (attribute "Shown") and one child "Bin"
// per bin with its count (attribute "Count").
void WriteResultsForm(TXmlNode& node, const TWindowPlace& place, const QString& title,
                      const QString& xAxisTitle, const TBinSet& binSet, bool showExpected);
// The matches keep their saved file indexes (TBinSet::FromXml), which must
// lie below savedFileCount; a missing "BinSet" gives a bin set without bins,
// and a missing "Baseline" one without a baseline. Throws TError for a value
// that does not convert, an index out of range, or a baseline whose counts
// are negative or do not match the bins one for one.
TResultsFormState ReadResultsForm(const TXmlNode& node, int savedFileCount);
