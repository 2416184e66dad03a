#include "WordMatcher.h"

#include "MatcherTestSupport.h"
#include "WordPattern.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

struct TCase {
    QString Pattern;
    QString Text;
    QStringList Hits;
};

void ExpectHits(const TCase& c, const TAppSettings& settings)
{
    EXPECT_EQ(FindHits(c.Pattern, c.Text, settings), c.Hits)
        << c.Pattern.toStdString() << " in " << c.Text.toStdString();
}

// Intervening words the slow and certain way: a matcher without gaps for each
// combination of gap counts, tried in the order the first count goes up
// fastest; the first that matches gives the hit.
class TEveryCombination {
public:
    TEveryCombination(const TPatternItems& items, bool tags, const TAppSettings& settings,
                      const TDelimiters& delimiters)
        : Classes(settings, delimiters)
    {
        const int gaps = static_cast<int>(std::count_if(
            items.begin(), items.end(), [](auto& i) { return i.Kind == TPatternItem::Between; }));
        std::vector<int> counts(static_cast<size_t>(gaps), settings.sdAtMinWords);
        for (;;) {
            TPatternItems expanded;
            size_t gap = 0;
            for (const TPatternItem& item : items) {
                if (item.Kind != TPatternItem::Between)
                    expanded.push_back(item);
                for (int w = 0; item.Kind == TPatternItem::Between && w < counts[gap]; ++w)
                    expanded.push_back({TPatternItem::AnyWord, QString(), QString()});
                gap += item.Kind == TPatternItem::Between;
            }
            // Marking one class table for all only lets more starts be tried.
            Matchers.push_back(std::make_unique<TWordMatcher>(expanded, tags, settings, Classes));
            if (!NextCombination(counts, settings))
                break;
        }
    }

    std::optional<THit> At(const TWindowText& text, int p)
    {
        THit hit;
        for (const auto& matcher : Matchers) {
            if (matcher->MatchAt(text, p, hit))
                return hit;
        }
        return std::nullopt;
    }

private:
    static bool NextCombination(std::vector<int>& counts, const TAppSettings& settings)
    {
        if (settings.sdAtMinWords > settings.sdAtMaxWords)
            return false;
        for (int& count : counts) {
            if (++count <= settings.sdAtMaxWords)
                return true;
            count = settings.sdAtMinWords;
        }
        return false;
    }

    TCharClasses Classes;
    std::vector<std::unique_ptr<TWordMatcher>> Matchers;
};

// Compares the matcher with trying every combination at every word start of
// text; returns the number of hits.
int ExpectSameHitsAsEveryCombination(const QString& pattern, const QString& text,
                                     const TAppSettings& settings, bool tags = false)
{
    const TDelimiters delimiters(settings);
    const TPatternItems items = tags ? PrepareWordTag(pattern, settings, delimiters)
                                     : PrepareWordPhrase(pattern, settings, delimiters);
    TCharClasses classes(settings, delimiters);
    TWordMatcher matcher(items, tags, settings, classes);
    TEveryCombination reference(items, tags, settings, delimiters);
    const TTestText window(text);
    const TWindowText view = window.View();
    int hits = 0;
    for (int p = 1; p <= view.Length; ++p) {
        if (!matcher.IsWordStart(view, p))
            continue;
        THit hit;
        const bool found = matcher.MatchAt(view, p, hit);
        // What the matcher keeps from start to start must not change a hit.
        TWordMatcher fresh(items, tags, settings, classes);
        THit freshHit;
        EXPECT_EQ(fresh.MatchAt(view, p, freshHit), found) << "at " << p;
        EXPECT_TRUE(!found || (freshHit.EndIndex == hit.EndIndex && freshHit.NewPos == hit.NewPos))
            << "at " << p;
        const std::optional<THit> expected = reference.At(view, p);
        EXPECT_EQ(found, expected.has_value()) << "at " << p;
        if (!found || !expected)
            continue;
        ++hits;
        EXPECT_EQ(hit.BeginIndex, expected->BeginIndex) << "at " << p;
        EXPECT_EQ(hit.EndIndex, expected->EndIndex) << "at " << p;
        EXPECT_EQ(hit.NewPos, expected->NewPos) << "at " << p;
    }
    return hits;
}

QString RandomWords(std::mt19937& random, int count)
{
    static const QStringList pieces = {u"a "_s, u"b "_s,      u"the "_s, u"cat "_s,     u"x"_s,
                                       u", "_s, u"  "_s,      u"<b>"_s,  u"</b> "_s,    u"<w NN>"_s,
                                       u"A"_s,  u"\r\n"_s,    u"c d "_s, u"<w AT>a "_s, u"b&NN"_s,
                                       u"<"_s,  u"<x> <y> "_s};
    QString text;
    for (int i = 0; i < count; ++i)
        text += pieces[static_cast<qsizetype>(random() % pieces.size())];
    return text;
}

} // namespace

TEST(WordForm, MatchesConsecutiveWordsWithWildcards)
{
    const TCase cases[] = {
        {u"colo%r table"_s, u"a color table"_s, {u"color table@3"_s}},
        {u"colo%r table"_s, u"Colour Table"_s, {u"Colour Table@1"_s}},
        {u"colo%r table"_s, u"colouur table"_s, {}},
        {u"post office?"_s, u"post offices"_s, {u"post offices@1"_s}},
        {u"post office?"_s, u"post office. post office"_s, {}},
        {u"table"_s, u"vegetables table"_s, {u"table@12"_s}},
        // Hits of a phrase overlap: the search resumes after the first word.
        {u"the *"_s, u"the the cat"_s, {u"the the@1"_s, u"the cat@5"_s}},
        // Delimiters between the words belong to the hit.
        {u"post office"_s, u"post, office"_s, {u"post, office@1"_s}},
        // Line breaks and tabs are no delimiters, but break words for matching.
        {u"the"_s, u"end.\r\nthe\tthe"_s, {u"the@7"_s, u"the@11"_s}},
        {u"end the"_s, u"end\r\nthe"_s, {u"end\r\nthe@1"_s}},
    };
    for (const TCase& c : cases)
        ExpectHits(c, DefaultSettings());
}

TEST(WordForm, InterveningWordsTakeTheFirstCombinationThatMatches)
{
    const TCase cases[] = {
        {u"computer @ program"_s,
         u"computer aided design program"_s,
         {u"computer aided design program@1"_s}},
        {u"computer @ program"_s, u"computer aided program"_s, {u"computer aided program@1"_s}},
        {u"computer @ program"_s, u"computer program"_s, {}},
        {u"computer @ program"_s, u"computer a b c program"_s, {}},
        {u"computer @ program"_s, u"computer x program program"_s, {u"computer x program@1"_s}},
        {u"a @ b @ c"_s, u"a x y b z c"_s, {u"a x y b z c@1"_s}},
    };
    for (const TCase& c : cases)
        ExpectHits(c, DefaultSettings());

    TAppSettings none = DefaultSettings();
    none.sdAtMinWords = 0;
    none.sdAtMaxWords = 0;
    ExpectHits({u"computer @ program"_s, u"computer program"_s, {u"computer program@1"_s}}, none);
    TAppSettings reversed = DefaultSettings();
    reversed.sdAtMinWords = 3;
    reversed.sdAtMaxWords = 1; // only the minimum is tried
    ExpectHits({u"a @ b"_s, u"a x y z b a x b"_s, {u"a x y z b@1"_s}}, reversed);
}

TEST(WordForm, CaseSensitivity)
{
    TAppSettings settings = DefaultSettings();
    settings.soCaseSensitive = true;
    ExpectHits({u"table"_s, u"Table table"_s, {u"table@7"_s}}, settings);
}

TEST(WordForm, TagsArePassedOverWhenSkipped)
{
    ExpectHits({u"word"_s, u"<b>word</b> next"_s, {u"<b>word</b>@1"_s}}, DefaultSettings());
    ExpectHits({u"jury"_s, u"<w AT>The <w NN>jury said"_s, {u"<w NN>jury@11"_s}},
               DefaultSettings());
    // A token of tags only is passed over; the next pattern word meets the next token.
    ExpectHits({u"a b"_s, u"a <x> b"_s, {u"a <x> b@1"_s}}, DefaultSettings());
    // The compared word drops from each "<" to the next ">", and every ">";
    // a "<" without end drops the rest of the token, which ends one
    // character before the text's end.
    ExpectHits({u"ab"_s, u"a>b <x>a<y>b<z c"_s, {u"a>b@1"_s, u"<x>a<y>b<z @5"_s}},
               DefaultSettings());
    ExpectHits({u"a"_s, u"a<b c"_s, {u"a<b @1"_s}}, DefaultSettings());

    TAppSettings visible = DefaultSettings();
    visible.soSkipTags = false;
    ExpectHits({u"word"_s, u"<b>word</b> next"_s, {}}, visible);
}

TEST(WordForm, UnterminatedTagAtTheLastCharacterEndsTheAttempt)
{
    // The token at the last character is an empty tag start: the retry would
    // meet it again and again.
    ExpectHits({u"a b"_s, u"a <"_s, {}}, DefaultSettings());
    ExpectHits({u"a *"_s, u"a <"_s, {}}, DefaultSettings());
    // One character before the end the tag is cut, and its last character is
    // a token of its own.
    ExpectHits({u"a *"_s, u"a <w"_s, {u"a <w@1"_s}}, DefaultSettings());
}

TEST(WordForm, TheFileStartIsAWordStart)
{
    TAppSettings settings = DefaultSettings();
    settings.WrdDelims.clear(); // no delimiters at all: one word
    ExpectHits({u"ab*"_s, u"abc"_s, {u"abc@1"_s}}, settings);
}

// The counts of several gaps are chosen without trying every combination;
// the hits must stay those of trying them in order, also where the text runs
// out, where tokens are only tags and where pattern words match nothing.
TEST(WordForm, GapCountsFindTheHitOfTheFirstCombinationThatMatches)
{
    const QString patterns[] = {u"a @ b"_s,           u"@ b"_s, u"a @"_s,       u"a @ @ b"_s,
                                u"a @ b @ a"_s,       u"@ @"_s, u"a @ % @ *"_s, u"x @ a b @ %"_s,
                                u"* @ the @ c @ d"_s, u"a b"_s, u"* % the"_s};
    const std::pair<int, int> ranges[] = {{1, 2},  {0, 3}, {2, 4}, {3, 1},
                                          {-1, 2}, {0, 0}, {7, 7}, {12, 3}};
    std::mt19937 random(7);
    for (int round = 0; round < 12; ++round) {
        const QString text = RandomWords(random, 5 + round * 3);
        for (const auto& [least, most] : ranges) {
            TAppSettings settings = DefaultSettings();
            settings.sdAtMinWords = least;
            settings.sdAtMaxWords = most;
            settings.soSkipTags = round % 3 != 2;
            for (const QString& pattern : patterns) {
                SCOPED_TRACE(pattern.toStdString() + " in " + text.toStdString());
                ExpectSameHitsAsEveryCombination(pattern, text, settings);
            }
            SCOPED_TRACE(text.toStdString());
            ExpectSameHitsAsEveryCombination(u"a&NN @ b @ &AT"_s, text, settings, true);
        }
    }
}

// Three gaps of up to 20 words each: 8000 combinations at every start, which
// the search must not try one by one.
TEST(WordForm, ManyLongGapsOnTheSampleCorpus)
{
    TAppSettings settings = DefaultSettings();
    settings.sdAtMaxWords = 20;
    const QDir samples(QString::fromUtf8(TAMBORIX_SAMPLES_DIR));
    int hits = 0;
    for (const QString& name : samples.entryList({u"*.txt"_s}, QDir::Files)) {
        const QString text = QString::fromLatin1(FileBytes(samples.filePath(name)));
        for (const QString& pattern : {u"a @ b @ c @ d"_s, u"the @ the @ the @ the"_s}) {
            SCOPED_TRACE((pattern + u" in "_s + name).toStdString());
            hits += ExpectSameHitsAsEveryCombination(pattern, text, settings);
        }
    }
    EXPECT_GT(hits, 0);
}

// Gaps that take more words than the text has: every start walks to the
// text's end, which it must not do word by word at each start again.
TEST(WordForm, GapsLongerThanTheTextEndAtItsEnd)
{
    TAppSettings settings = DefaultSettings();
    settings.sdAtMinWords = 100000;
    settings.sdAtMaxWords = 20;
    // The pattern word after the gap meets the empty word at the end, which
    // only a wildcard matches.
    EXPECT_TRUE(FindHits(u"a @ b"_s, u"a <x> b "_s.repeated(20000), settings).isEmpty());
    const QStringList hits = FindHits(u"a @ *"_s, u"a <x> b "_s.repeated(3000), settings);
    ASSERT_EQ(hits.size(), 3000);
    EXPECT_EQ(hits.back(), u"a <x> b @23993"_s);
    settings.sdAtMinWords = 30;
    std::mt19937 random(11);
    ExpectSameHitsAsEveryCombination(u"* @ a @ %"_s, RandomWords(random, 400), settings);
}

// Each tag opens before the last one closed, so a token passes over tag after
// tag, and a start inside one walks the tokens of tags that follow: known
// from the walk before, not walked again at every start.
TEST(WordForm, TagsThatOverlapAreWalkedOnce)
{
    const QString text = u"<Ha <S The mat.</B>"_s.repeated(20000);
    EXPECT_TRUE(FindHits(u"the cat"_s, text, DefaultSettings()).isEmpty());
    EXPECT_EQ(FindHits(u"the"_s, text, DefaultSettings()).size(), 20000);
}
