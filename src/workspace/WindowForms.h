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
    TBinSet BinSet;
};

// Replaces the element's content by the place, the two titles and a child
// "BinSet" holding binSet.
void WriteResultsForm(TXmlNode& node, const TWindowPlace& place, const QString& title,
                      const QString& xAxisTitle, const TBinSet& binSet);
// The matches keep their saved file indexes (TBinSet::FromXml), which must
// lie below savedFileCount; a missing "BinSet" gives a bin set without bins.
// Throws TError for a value that does not convert or an index out of range.
TResultsFormState ReadResultsForm(const TXmlNode& node, int savedFileCount);
