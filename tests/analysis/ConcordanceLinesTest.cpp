// The rows of a concordance: the texts read back from small files written for
// each case or found by a search of them, their sort keys and orders, the
// preview, and files that changed or vanished after the search.
#include "ConcordanceLines.h"

#include "../HitFiles.h"
#include "../TestSupport.h"
#include "AnalysisFixture.h"
#include "Error.h"
#include "FileNames.h"
#include "TAppSettings.h"
#include "TBin.h"
#include "TDelimiters.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class ConcordanceLinesTest : public ::testing::Test {
protected:
    ConcordanceLinesTest() { Settings.SetDefaults(); }

    // Adds to Bin a match whose file holds before, hit and after: 8-bit text
    // or UTF-16LE with its byte-order mark. Returns the file's path.
    QString AddHit(const QString& before, const QString& hit, const QString& after,
                   bool unicode = false)
    {
        const QString name = u"file%1.txt"_s.arg(Bin.Count());
        Bin.AddMatch(WriteHitFile(Files, name, before, hit, after, unicode));
        return Files.Path(name);
    }

    void Load() { Lines.Load(Bin, TDelimiters(Settings)); }

    // The places in the bin of the rows, in display order.
    std::vector<int> Order() const
    {
        std::vector<int> order;
        for (int row = 0; row < Lines.Count(); ++row)
            order.push_back(Lines.Line(row).OriOrder);
        return order;
    }

    TAppSettings Settings;
    TTestFiles Files;
    TBin Bin;
    TConcordanceLines Lines;
};

struct TTexts {
    QString Before, Hit, After;
    bool operator==(const TTexts&) const = default;
};

void PrintTo(const TTexts& texts, std::ostream* out)
{
    *out << '"' << texts.Before.toStdString() << "\" [" << texts.Hit.toStdString() << "] \""
         << texts.After.toStdString() << '"';
}

// Searches a file of content for the regular expression pattern and loads the
// concordance of all its hits in the order of the file, as a user's bin shows
// the hits that the analysis found.
class Utf8ConcordanceTest : public AnalysisTest {
protected:
    std::vector<TTexts> Rows(const QString& pattern, const QByteArray& content)
    {
        Analyze(pattern, content, ssRegularExpression);
        std::vector<TMatch> hits = Hits(TDistribution::Text);
        std::sort(hits.begin(), hits.end(),
                  [](const TMatch& a, const TMatch& b) { return a.BeginOffest < b.BeginOffest; });
        Bin.ClearMatches();
        for (const TMatch& hit : hits)
            Bin.AddMatch(hit);
        Lines.Load(Bin, TDelimiters(Settings));
        std::vector<TTexts> rows;
        for (int row = 0; row < Lines.Count(); ++row) {
            const TConcordanceLine& line = Lines.Line(row);
            rows.push_back({line.TextBefore, line.TextMatch, line.TextAfter});
        }
        return rows;
    }

    TBin Bin;
    TConcordanceLines Lines;
};

const QByteArray Utf8Mark = "\xEF\xBB\xBF";

QString Repeat(const QString& text, int times)
{
    return text.repeated(times);
}

} // namespace

// 50 characters on each side, fewer at the file's ends; the byte-order mark of
// a UTF-16 file is not part of the text before a hit near its start.
TEST_F(ConcordanceLinesTest, ReadsTheCharactersAroundTheHit)
{
    const QString sixty = Repeat(u"abcdefghi "_s, 6);
    const struct {
        TTexts File;
        bool Unicode;
        TTexts Expected;
    } cases[] = {
        {{u"It was a dark and stormy night"_s, u"the"_s, u" end here"_s},
         false,
         {u"It was a dark and stormy night"_s, u"the"_s, u" end here"_s}},
        {{sixty, u"hit"_s, sixty}, false, {sixty.right(50), u"hit"_s, sixty.left(50)}},
        {{{}, u"first"_s, u" x"_s}, false, {{}, u"first"_s, u" x"_s}},
        {{u"x "_s, u"last"_s, {}}, false, {u"x "_s, u"last"_s, {}}},
        {{u"x "_s, u"h"_s, sixty.left(50)}, false, {u"x "_s, u"h"_s, sixty.left(50)}},
        {{sixty, u"\u0132sel \u20AC"_s, sixty},
         true,
         {sixty.right(50), u"\u0132sel \u20AC"_s, sixty.left(50)}},
        {{u"fourteen chars"_s, u"hit"_s, u"tail"_s},
         true,
         {u"fourteen chars"_s, u"hit"_s, u"tail"_s}},
        // A line break is one blank on the row, whichever form it has.
        {{u"end.\r\nNext "_s, u"wo\r\nrd"_s, u"\nfoo\rbar\n\r"_s},
         false,
         {u"end. Next "_s, u"wo rd"_s, u" foo bar  "_s}},
        {{u"a\r\n"_s, u"b"_s, u"\r\nc"_s}, true, {u"a "_s, u"b"_s, u" c"_s}},
    };
    for (const auto& c : cases) {
        Bin.ClearMatches();
        AddHit(c.File.Before, c.File.Hit, c.File.After, c.Unicode);
        Load();
        ASSERT_EQ(Lines.Count(), 1);
        const TConcordanceLine& line = Lines.Line(0);
        EXPECT_EQ(line.TextBefore, c.Expected.Before) << c.File.Hit.toStdString();
        EXPECT_EQ(line.TextMatch, c.Expected.Hit);
        EXPECT_EQ(line.TextAfter, c.Expected.After);
    }
}

TEST_F(ConcordanceLinesTest, EightBitTextIsWindows1252)
{
    const QString path = Files.Write(u"cp1252.txt"_s, QByteArray("caf\xE9 \x93hi\x94 \x80", 11));
    TMatch match;
    match.BeginOffest = 5;
    match.EndOffset = 8;
    match.FileNameIndex = FileNameCacheIndex(path);
    Bin.AddMatch(match);
    Load();
    EXPECT_EQ(Lines.Line(0).TextBefore, u"caf\u00E9 "_s);
    EXPECT_EQ(Lines.Line(0).TextMatch, u"\u201Chi\u201D"_s);
    EXPECT_EQ(Lines.Line(0).TextAfter, u" \u20AC"_s);
}

// The texts of UTF-8 hits are what the analysis read, with or without the
// mark: a hit at the text's start has no text before it, not even the mark.
TEST_F(Utf8ConcordanceTest, ReadsTheCharactersOfUtf8Hits)
{
    const QString text =
        u"\u20ACuro d\u00E9j\u00E0 vu: clef\U0001D11E tr\u00E8s caf\u00E9, 5\u20AC \u00E0 la fin"_s;
    const std::vector<TTexts> expected = {
        {{}, u"\u20ACuro"_s, text.mid(4)},
        {u"\u20ACuro d\u00E9j\u00E0 vu: "_s, u"clef\U0001D11E"_s,
         u" tr\u00E8s caf\u00E9, 5\u20AC \u00E0 la fin"_s},
        {u"\u20ACuro d\u00E9j\u00E0 vu: clef\U0001D11E tr\u00E8s caf\u00E9, "_s, u"5\u20AC"_s,
         u" \u00E0 la fin"_s},
    };
    const QString pattern = u"\\S*(?:\u20AC|\U0001D11E)\\S*"_s;
    EXPECT_EQ(Rows(pattern, text.toUtf8()), expected);
    EXPECT_EQ(Rows(pattern, Utf8Mark + text.toUtf8()), expected);
    EXPECT_EQ(Lines.Line(2).SortWords[1], u"caf\u00E9"_s);
}

// The context is 50 characters on each side in a row and 500 in the preview,
// counted as code points, however many bytes they take; the ranges read begin
// within characters.
TEST_F(Utf8ConcordanceTest, ContextIsCutByCharactersNotBytes)
{
    const struct {
        QString Unit;
        int Characters; // of the unit
    } cases[] = {
        {u"\u00E9"_s, 1},
        {u"\u20AC"_s, 1},
        {u"\U0001D11E"_s, 1},
        {u"\u20ACa\U0001D11E\u00E9b"_s, 5},
    };
    for (const auto& c : cases) {
        const QString side = c.Unit.repeated(600 / c.Characters);
        const std::vector<TTexts> rows = Rows(u"hit"_s, (side + u"hit"_s + side).toUtf8());
        const QString row = c.Unit.repeated(50 / c.Characters);
        EXPECT_EQ(rows, (std::vector<TTexts>{{row, u"hit"_s, row}})) << c.Unit.toStdString();
        const TPreviewText preview = ReadPreview(Bin.GetMatch(0));
        const QString wide = c.Unit.repeated(500 / c.Characters);
        EXPECT_EQ((TTexts{preview.Before, preview.Hit, preview.After}),
                  (TTexts{wide, u"hit"_s, wide}));
    }
}

// A byte that begins no valid sequence is its Windows-1252 character, as the
// analysis read it, and so is each byte of a sequence that the file's end cuts
// short, also as the last character of a hit.
TEST_F(Utf8ConcordanceTest, StrayBytesAreWindows1252Characters)
{
    const QByteArray bytes = Utf8Mark + "caf\xE9 5\xE2\x82\xAC\xE9 \xE9t\xE9 7\xE2\x82\xAC\xE2\x82";
    const std::vector<TTexts> expected = {
        {u"caf\u00E9 "_s, u"5\u20AC\u00E9"_s, u" \u00E9t\u00E9 7\u20AC\u00E2\u201A"_s},
        {u"caf\u00E9 5\u20AC\u00E9 \u00E9t\u00E9 "_s, u"7\u20AC\u00E2\u201A"_s, {}},
    };
    EXPECT_EQ(Rows(u"\\S*\u20AC\\S*"_s, bytes), expected);
}

// The keys come from the texts without tags, taken apart at the word
// delimiters and lowered in A to Z only; the row keeps its tags.
TEST_F(ConcordanceLinesTest, SortKeysAreTheNeighbouringWords)
{
    const struct {
        QString Before, After;
        QStringList Keys;
    } cases[] = {
        {u"the big <b>red</b> "_s, u" cat, sat."_s, {u"big"_s, u"red"_s, u"cat"_s, u"sat"_s}},
        {u"alone "_s, u" , . "_s, {{}, u"alone"_s, {}, {}}},
        {{}, u"x"_s, {{}, {}, u"x"_s, {}}},
        {u"one two <three "_s, u" four <b five six"_s, {u"one"_s, u"two"_s, u"four"_s, {}}},
        {u"b>head tail "_s, u" a>b c"_s, {u"bhead"_s, u"tail"_s, u"ab"_s, u"c"_s}},
        {u"The BIG \u00C4rger "_s, u" ZOO"_s, {u"big"_s, u"\u00C4rger"_s, u"zoo"_s, {}}},
        // Line breaks separate words, also where no blank stands beside them.
        {u"the\r\nfishermen "_s,
         u" hauled\nnets"_s,
         {u"the"_s, u"fishermen"_s, u"hauled"_s, u"nets"_s}},
        {u"zz"_s + Repeat(u"y"_s, 45) + u" end "_s,
         u"(left)"_s,
         {Repeat(u"y"_s, 45), u"end"_s, u"left"_s, {}}}, // the cut word counts
    };
    for (const auto& c : cases) {
        Bin.ClearMatches();
        AddHit(c.Before, u"Hit"_s, c.After);
        Load();
        const TConcordanceLine& line = Lines.Line(0);
        EXPECT_EQ(QStringList(line.SortWords.begin(), line.SortWords.end()), c.Keys)
            << c.Before.toStdString();
        EXPECT_EQ(line.SortMatch, u"hit"_s);
        EXPECT_EQ(line.TextBefore, c.Before.right(50).replace(u"\r\n"_s, u" "_s));
    }
}

TEST(ConcordanceCompare, TextsCompareByCodeUnits)
{
    const struct {
        QString A, B;
        int Expected;
    } cases[] = {
        {u"a"_s, u"b"_s, -1},
        {u"ab"_s, u"a"_s, 1},
        {{}, u"a"_s, -1},
        {u"same"_s, u"same"_s, 0},
        {u"z"_s, u"\u00E9"_s, -1},
        {u"\U00010000"_s, u"\uFF21"_s, -1}, // a surrogate sorts below U+FF21
    };
    for (const auto& c : cases) {
        TConcordanceLine a, b;
        a.SortWords[2] = c.A;
        b.SortWords[2] = c.B;
        EXPECT_EQ(CompareSort(a, b, sk1stRight, skNone), c.Expected) << c.A.toStdString();
        EXPECT_EQ(CompareSort(b, a, sk1stRight, skNone), -c.Expected);
    }
}

// Empty keys sort first, capitals A to Z with their small letters, other
// capitals by their code; rows equal in the keys keep their previous order.
TEST_F(ConcordanceLinesTest, SortsStablyByOneOrTwoKeys)
{
    const TTexts rows[] = {
        {u"m apple "_s, u"one"_s, u" Zebra y"_s},
        {u"k Apple "_s, u"Two"_s, u" cat"_s},
        {{}, u"three"_s, u" dog"_s},
        {u"a \u00C4rger "_s, u"four"_s, u" ant"_s},
        {u"x zulu "_s, u"five"_s, u" bee"_s},
        {u"b banana "_s, u"six"_s, u" "_s},
    };
    for (const TTexts& row : rows)
        AddHit(row.Before, row.Hit, row.After);
    Load();
    ASSERT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    const struct {
        std::vector<std::pair<int, int>> Sorts;
        std::vector<int> Expected;
    } cases[] = {
        {{{sk1stLeft, skNone}}, {2, 0, 1, 5, 4, 3}},
        {{{sk1stRight, skNone}}, {5, 3, 4, 1, 2, 0}},
        {{{sk1stRight, skNone}, {sk1stLeft, skNone}}, {2, 1, 0, 5, 4, 3}},
        {{{sk1stLeft, sk1stRight}}, {2, 1, 0, 5, 4, 3}},
        {{{sk2ndLeft, skNone}}, {2, 3, 5, 1, 0, 4}},
        {{{sk2ndRight, skNone}}, {1, 2, 3, 4, 5, 0}},
        {{{skSearchTerm, skNone}}, {4, 3, 0, 5, 2, 1}},
        {{{sk1stLeft, sk1stRight}, {skOriginalOrder, skNone}}, {0, 1, 2, 3, 4, 5}},
        {{{sk1stRight, skNone}, {skOriginalOrder, sk1stLeft}}, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        Lines.Sort(skOriginalOrder, skNone);
        for (const auto& [sort1, sort2] : c.Sorts)
            Lines.Sort(sort1, sort2);
        EXPECT_EQ(Order(), c.Expected)
            << "first keys " << c.Sorts.front().first << ", " << c.Sorts.front().second;
    }
}

// A file that shrank since the search shows what still stands at the offsets.
TEST_F(ConcordanceLinesTest, ShortenedFilesShowWhatIsLeft)
{
    const struct {
        bool Unicode;
        int Keep; // characters of "0123456789hitabcdefghij" left
        TTexts Expected;
        bool Utf8 = false; // the same bytes, read as UTF-8
    } cases[] = {
        {false, 16, {u"0123456789"_s, u"hit"_s, u"abc"_s}},
        {false, 11, {u"0123456789"_s, u"h"_s, {}}},
        {false, 5, {u"01234"_s, {}, {}}},
        {false, 0, {}},
        {true, 16, {u"0123456789"_s, u"hit"_s, u"abc"_s}},
        {true, 11, {u"0123456789"_s, u"h"_s, {}}},
        {true, 5, {u"01234"_s, {}, {}}},
        {false, 16, {u"0123456789"_s, u"hit"_s, u"abc"_s}, true},
        {false, 11, {u"0123456789"_s, u"h"_s, {}}, true},
        {false, 5, {u"01234"_s, {}, {}}, true},
    };
    for (const auto& c : cases) {
        Bin.ClearMatches();
        const QString path = AddHit(u"0123456789"_s, u"hit"_s, u"abcdefghij"_s, c.Unicode);
        TMatch edited = Bin.GetMatch(0);
        edited.isUtf8 = c.Utf8;
        Bin.SetMatch(0, edited);
        const QString left = u"0123456789hitabcdefghij"_s.left(c.Keep);
        const QByteArray kept = c.Unicode ? Utf16Le(left) : left.toLatin1();
        // A UTF-16 file cut in the middle of a character loses its last byte.
        QList<QByteArray> versions{kept};
        if (c.Unicode)
            versions.append(kept + 'x');
        for (const QByteArray& bytes : versions) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
            file.close();
            Load();
            ASSERT_EQ(Lines.Count(), 1);
            EXPECT_EQ(Lines.Line(0).TextBefore, c.Expected.Before) << c.Keep << " " << c.Unicode;
            EXPECT_EQ(Lines.Line(0).TextMatch, c.Expected.Hit) << c.Keep << " " << c.Unicode;
            EXPECT_EQ(Lines.Line(0).TextAfter, c.Expected.After) << c.Keep << " " << c.Unicode;
            const TPreviewText preview = ReadPreview(Bin.GetMatch(0));
            EXPECT_EQ(preview.Before + preview.Hit + preview.After,
                      c.Expected.Before + c.Expected.Hit + c.Expected.After);
        }
    }
}

TEST_F(ConcordanceLinesTest, OffsetsBeyondAnyFileReadNothing)
{
    AddHit(u"before "_s, u"hit"_s, u" after"_s);
    const std::pair<qint64, qint64> offsets[] = {
        {-5, std::numeric_limits<qint64>::max()},
        {std::numeric_limits<qint64>::min(), -1},
        {std::numeric_limits<qint64>::max() - 1, std::numeric_limits<qint64>::max()},
        {1000, 2},
    };
    const std::pair<bool, bool> encodings[] = {{false, false}, {true, false}, {false, true}};
    for (const auto& [unicode, utf8] : encodings) {
        for (const auto& [begin, end] : offsets) {
            TMatch edited = Bin.GetMatch(0);
            edited.isUnicode = unicode;
            edited.isUtf8 = utf8;
            edited.BeginOffest = begin;
            edited.EndOffset = end;
            Bin.SetMatch(0, edited);
            Load();
            ASSERT_EQ(Lines.Count(), 1);
            EXPECT_LE(Lines.Line(0).TextMatch.size(), 16);
            ReadPreview(Bin.GetMatch(0));
        }
    }
}

TEST_F(ConcordanceLinesTest, AMissingFileEndsTheLoadWithItsName)
{
    AddHit(u"a "_s, u"hit"_s, u" b"_s);
    Load();
    ASSERT_EQ(Lines.Count(), 1);
    const QString path = AddHit(u"c "_s, u"hit"_s, u" d"_s);
    ASSERT_TRUE(QFile::remove(path));
    const QString expected = u"Cannot open file \"%1\". "_s.arg(LowerAsciiLetters(path));
    try {
        Load();
        ADD_FAILURE() << "no error";
    } catch (const TFileError& error) {
        EXPECT_TRUE(error.Message().startsWith(expected)) << error.Message().toStdString();
    }
    EXPECT_EQ(Lines.Count(), 0);
    EXPECT_THROW(ReadPreview(Bin.GetMatch(1)), TFileError);
}

// File names are kept with A to Z lowered; the file is still found where the
// file system tells the cases apart.
TEST_F(ConcordanceLinesTest, FindsFilesWhoseNamesHaveCapitals)
{
    ASSERT_TRUE(QDir().mkpath(Files.Path(u"Corpus.Dir"_s)));
    const QString path = Files.Write(u"Corpus.Dir/Text One.TXT"_s, QByteArray("a hit b"));
    TMatch match;
    match.BeginOffest = 2;
    match.EndOffset = 4;
    match.FileNameIndex = FileNameCacheIndex(path);
    Bin.AddMatch(match);
    Load();
    EXPECT_EQ(Lines.Line(0).TextMatch, u"hit"_s);
    EXPECT_EQ(ReadPreview(match).After, u" b"_s);
}

// The preview keeps line breaks and reads 500 characters on each side.
TEST_F(ConcordanceLinesTest, PreviewReadsFiveHundredCharactersAroundTheHit)
{
    const QString line = Repeat(u"x"_s, 98) + u"\r\n"_s;
    const QString wide = line.repeated(7);
    for (const bool unicode : {false, true}) {
        Bin.ClearMatches();
        AddHit(wide, u"hit"_s, wide, unicode);
        const TPreviewText preview = ReadPreview(Bin.GetMatch(0));
        EXPECT_EQ(preview.Before, wide.right(500));
        EXPECT_EQ(preview.Hit, u"hit"_s);
        EXPECT_EQ(preview.After, wide.left(500));

        Bin.ClearMatches();
        AddHit(u"a\r\nb "_s, u"hit"_s, u" c\nd"_s, unicode);
        const TPreviewText near = ReadPreview(Bin.GetMatch(0));
        EXPECT_EQ(near.Before, u"a\r\nb "_s);
        EXPECT_EQ(near.After, u" c\nd"_s);
    }
}
