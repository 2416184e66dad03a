// A UTF-8 file is searched as the same text in UTF-16 is: the same words and
// hits, each hit at the byte offsets of the first bytes of its first and last
// characters.
#include "AnalysisFixture.h"
#include "TextWindow.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// One text in both encodings, with the UTF-8 byte offset of every UTF-16 code
// unit (the second half of a pair has the offset of the pair).
struct TTwoEncodings {
    QString Text;
    QByteArray Utf8;
    std::vector<qint64> Offsets;

    void Add(const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
            Offsets.insert(Offsets.end(), length, Utf8.size());
            Utf8 += text.mid(i, length).toUtf8();
            Text += text.mid(i, length);
            i += length - 1;
        }
    }
    // A byte that begins no UTF-8 sequence: its Windows-1252 character.
    void AddStray(char byte, QChar character)
    {
        Offsets.push_back(Utf8.size());
        Utf8 += byte;
        Text += character;
    }
    // The UTF-8 offset of the character at a UTF-16LE byte offset.
    qint64 OffsetOf(qint64 utf16Offset) const
    {
        return Offsets.at(static_cast<size_t>((utf16Offset - 2) / 2));
    }
};

class Utf8AnalysisTest : public AnalysisTest {
protected:
    // Searches the text in both encodings and expects the same counts and
    // hits; returns the number of hits.
    size_t ExpectSameAsUtf16(const TTwoEncodings& text, const QString& pattern,
                             TSearchSyntax syntax = ssWordPhrase)
    {
        Analyze(pattern, {Utf16Le(text.Text)}, nullptr, syntax);
        const std::vector<TMatch> wide = Hits();
        const std::int64_t words = Sentences().TotalWords;
        const std::int64_t sentences = Sentences().TotalSentences;
        Analyze(pattern, {text.Utf8}, nullptr, syntax);
        const std::vector<TMatch> narrow = Hits();
        EXPECT_EQ(Sentences().TotalWords, words);
        EXPECT_EQ(Sentences().TotalSentences, sentences);
        EXPECT_EQ(narrow.size(), wide.size());
        for (size_t i = 0; i < std::min(narrow.size(), wide.size()); ++i) {
            EXPECT_TRUE(narrow[i].isUtf8);
            EXPECT_FALSE(narrow[i].isUnicode);
            EXPECT_EQ(narrow[i].BeginOffest, text.OffsetOf(wide[i].BeginOffest)) << i;
            EXPECT_EQ(narrow[i].EndOffset, text.OffsetOf(wide[i].EndOffset)) << i;
            EXPECT_EQ(narrow[i].WordsFromBeginning, wide[i].WordsFromBeginning) << i;
            EXPECT_EQ(narrow[i].LineNo, wide[i].LineNo) << i;
        }
        return narrow.size();
    }
};

} // namespace

TEST_F(Utf8AnalysisTest, AccentsAreFoundInEveryPatternLanguage)
{
    TTwoEncodings text;
    text.Add(u"Un caf\u00E9 na\u00EFf. Caf\u00E9s \u20AC5, \U0001D11Ecaf\u00E9 \u00E0 "
             u"l'\u00E9t\u00E9.\r\nCAF\u00C9 caf\u00E9\U0001D11E fin"_s);
    const struct {
        const char* Name;
        QString Pattern;
        TSearchSyntax Syntax;
        bool CountWords;
        size_t Hits;
    } cases[] = {
        {"word", u"caf\u00E9"_s, ssWordPhrase, true, 2},
        {"word with a wildcard", u"caf\u00E9*"_s, ssWordPhrase, true, 4},
        {"phrase", u"caf\u00E9 na\u00EFf"_s, ssWordPhrase, true, 1},
        {"characters", u"caf\u00E9"_s, ssWordPhrase, false, 5},
        {"expression", u"\\S*\u00E9\\S*"_s, ssRegularExpression, true, 5},
        {"expression outside the plane", u"\U0001D11E\\w+"_s, ssRegularExpression, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Settings.soWords = c.CountWords;
        EXPECT_EQ(ExpectSameAsUtf16(text, c.Pattern, c.Syntax), c.Hits);
    }
}

// Windows move on by code units: a character of four bytes cut by the
// window's end, stray bytes that make the engine of regular expressions
// convert the window, and hits over both stay where the UTF-16 reading has
// them.
TEST_F(Utf8AnalysisTest, WindowShiftsAndStrayBytesAreInvisible)
{
    TTwoEncodings text;
    const QString words[] = {u"th\u00E9ories "_s, u"the "_s, u"\u00E9t\u00E9. "_s, u"other "_s};
    for (int i = 0; text.Text.size() < TTextWindow::Size - 7; ++i)
        text.Add(words[i % 4]);
    text.Add(u"z"_s.repeated(TTextWindow::Size - 1 - text.Text.size()) + u"\U0001D11Eth\u00E9 "_s);
    // The stray byte lies beyond the bytes that decide the encoding.
    const auto addWords = [&](qsizetype until) {
        for (int i = 0; text.Utf8.size() < until; ++i)
            text.Add(words[i % 4]);
    };
    addWords(4 * TTextWindow::Size + 100);
    text.AddStray('\xE9', u'\u00E9');
    addWords(5 * TTextWindow::Size);
    for (const auto& [pattern, syntax] :
         {std::pair{u"th*\u00E9*"_s, ssWordPhrase},
          std::pair{u"th\\w*\u00E9\\w*"_s, ssRegularExpression},
          std::pair{u"(?<=\U0001D11E)th\u00E9"_s, ssRegularExpression}}) {
        SCOPED_TRACE(pattern.toStdString());
        EXPECT_GT(ExpectSameAsUtf16(text, pattern, syntax), 0u);
    }
}

// Every character typed into the delimiters separates words, the punctuation
// of Unicode text as well as a blank.
TEST_F(Utf8AnalysisTest, UnicodePunctuationSeparatesWords)
{
    TTwoEncodings text;
    text.Add(u"caf\u00E9\u2014bien \u201Ccaf\u00E9\u201D caf\u00E9\u2026"_s);
    EXPECT_EQ(ExpectSameAsUtf16(text, u"caf\u00E9"_s), 0u);
    Settings.WrdDelims += u"\u2014\u201C\u201D\u2026"_s;
    EXPECT_EQ(ExpectSameAsUtf16(text, u"caf\u00E9"_s), 3u);
    EXPECT_EQ(Sentences().TotalWords, 4);
}

// A match that runs past the window's end is cut there when the window moves
// on, measured in the window it was found in.
TEST_F(Utf8AnalysisTest, AMatchCutAtTheWindowsEndKeepsItsOffsets)
{
    TTwoEncodings text;
    while (text.Text.size() < TTextWindow::Half + 10)
        text.Add(u"\u00E9t\u00E9 "_s);
    text.Add(u"\u00E9"_s + u"a"_s.repeated(TTextWindow::Half + 100) + u" \u00E9t\u00E9"_s);
    EXPECT_GT(ExpectSameAsUtf16(text, u"\u00E9a+"_s, ssRegularExpression), 0u);
}
