// The recognisers of header and body, sections, paragraphs and sentences,
// which run at the position of each pass of the main loop and close units of
// text where they find a boundary.

#include "AnalysisState.h"
#include "CharCase.h"

namespace {

constexpr char16_t LineFeed = u'\n';
constexpr char16_t CarriageReturn = u'\r';

} // namespace

void TAnalysisState::Consume(const TMarker& marker)
{
    Pos += marker.Length() - 1;
    TagSkipped = true;
}

// A body start tag always begins a new text; the scan enters the body at the
// first body start tag, or at the first header stop tag of a file without
// one. Once in the body, it stays there.
void TAnalysisState::RecogniseHeaderAndBody()
{
    if (Markers.BodyStart.At(Text, Pos)) {
        if (!InBody && HasBodyStart) {
            InBody = true;
            Consume(Markers.BodyStart);
        }
        Units.EndText();
    }
    if (Markers.BodyStop.At(Text, Pos))
        Consume(Markers.BodyStop);
    if (Markers.HeaderStart.At(Text, Pos))
        Consume(Markers.HeaderStart);
    if (Markers.HeaderStop.At(Text, Pos) && !InBody && !HasBodyStart) {
        InBody = true;
        Consume(Markers.HeaderStop);
    }
}

bool TAnalysisState::StructureMayBeginAtPos() const
{
    return (Classes[Text[Pos]] & TCharClasses::Structure) ||
           (SectionExpression && SectionExpression->PendingStart() != 0 &&
            SectionExpression->PendingStart() <= Pos);
}

void TAnalysisState::RecogniseStructure()
{
    RecogniseSection();
    RecogniseParagraph();
    RecogniseSentence();
}

// The separator belongs to no section: it is consumed before the next
// section's content begins.
void TAnalysisState::RecogniseSection()
{
    switch (Markers.SectionsType) {
    case 0:
        if (Markers.SectionStop.At(Text, Pos))
            Consume(Markers.SectionStop);
        if (Markers.SectionStart.At(Text, Pos)) {
            Consume(Markers.SectionStart);
            Units.EndSection();
        }
        break;
    case 1: {
        if (!Markers.SectionPatternMayBeginWith(Text[Pos]))
            break;
        // A match that covers no character (such as "*") is no boundary: Pos
        // would move backwards.
        const int after = SectionMatcher->MatchAt(Text, Pos);
        if (after > Pos) {
            Pos = after - 1;
            TagSkipped = true;
            Units.EndSection();
        }
        break;
    }
    case 2:
        if (SectionExpression) {
            if (const int last = SectionExpression->TakeAt(Pos)) {
                Pos = last;
                TagSkipped = true;
                Units.EndSection();
            }
        }
        break;
    }
}

void TAnalysisState::RecogniseParagraph()
{
    switch (Markers.ParagraphsType) {
    case 0:
        if (!Markers.ParagraphStart.At(Text, Pos))
            return;
        Consume(Markers.ParagraphStart);
        break;
    case 1:
        // The line feed is not consumed: it is scanned and counted as a line.
        if (Pos == Text.Length || Text[Pos] != LineFeed)
            return;
        TagSkipped = true;
        break;
    case 2:
        if (Pos + 3 > Text.Length)
            return;
        if (Text[Pos] == CarriageReturn && Text[Pos + 1] == LineFeed &&
            Text[Pos + 2] == CarriageReturn && Text[Pos + 3] == LineFeed)
            Pos += 3;
        else if ((Text[Pos] == LineFeed && Text[Pos + 1] == LineFeed) ||
                 (Text[Pos] == CarriageReturn && Text[Pos + 1] == CarriageReturn))
            Pos += 1;
        else
            return;
        TagSkipped = true;
        break;
    case 3:
        if (Pos + 2 > Text.Length || Text[Pos] != LineFeed || Text[Pos + 1] != u' ' ||
            Text[Pos + 2] != u' ')
            return;
        // To the paragraph's first character, which is scanned at this pass.
        ++Pos;
        while (Pos < Text.Length && Text[Pos] == u' ')
            ++Pos;
        TagSkipped = true;
        break;
    default:
        return;
    }
    Units.EndParagraph();
}

void TAnalysisState::RecogniseSentence()
{
    if (Markers.SentencesType == 0) {
        if (Markers.SentenceStart.At(Text, Pos)) {
            Consume(Markers.SentenceStart);
            Units.EndSentence();
        }
    } else if (Markers.SentencesType == 1) {
        // The delimiter is not consumed: it is scanned like any character.
        if (Markers.SentenceDelimiters.find(Text[Pos]) == std::u16string::npos ||
            SentenceEndVetoed())
            return;
        TagSkipped = true;
        Units.EndSentence();
    }
}

// Abbreviations, trailing quotes, the exceptions and the demand for a capital
// letter keep a sentence delimiter at Pos from ending the sentence.
bool TAnalysisState::SentenceEndVetoed() const
{
    const char16_t delimiter = Text[Pos];
    if (Markers.AbbreviationDetect && delimiter == u'.' && Pos >= 5) {
        // A three-character token with a character that has no lower case,
        // such as "Fig", "USA" or "100".
        bool word = Delimiters.Contains(Text[Pos - 4]);
        bool uncased = false;
        for (int k = Pos - 3; k < Pos; ++k) {
            word &= !Delimiters.Contains(Text[k]);
            uncased |= UpperChar(Text[k]) == Text[k];
        }
        if (word && uncased)
            return true;
    }
    const int next = NextNonSpace();
    if (Markers.IncludeTrailingQuotes && next > 0 && Text[next] == u'"')
        return true;
    for (size_t e = 0; e < Markers.Exceptions.size(); ++e) {
        const std::u16string& text = Markers.ExceptionTexts[e];
        for (size_t j = 0; j < text.size(); ++j) {
            if (text[j] == delimiter && Markers.Exceptions[e].At(Text, Pos - static_cast<int>(j)))
                return true;
        }
    }
    return Markers.CapitalRequired && next > 0 && UpperChar(Text[next]) != Text[next];
}

// The position of the first character after Pos that is not a space, or 0
// when the window ends first.
int TAnalysisState::NextNonSpace() const
{
    int k = Pos + 1;
    while (k <= Text.Length && Text[k] == u' ')
        ++k;
    return k <= Text.Length ? k : 0;
}
