// Word/tag searches of the Brown corpus, a real tagged corpus that this
// project did not write, checked against counts made independently of the
// analysis. Skipped where the shared corpora are absent.
#include "AnalysisFixture.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Whitespace-separated tokens matching token, counted with a regular expression.
int CountTokens(const QStringList& files, const QString& token)
{
    const QRegularExpression expression(u"(?<!\\S)"_s + token + u"(?!\\S)"_s);
    int count = 0;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QString text = QString::fromLatin1(file.readAll());
        for (auto it = expression.globalMatch(text); it.hasNext(); it.next())
            ++count;
    }
    return count;
}

class BrownCorpusTest : public AnalysisTest {
protected:
    void SetUp() override
    {
        Brown = BrownCorpusFiles();
        if (Brown.size() != 500)
            GTEST_SKIP() << "the Brown corpus is not in ../shared/corpora/brown";
        // A token without the tag delimiter matches every tag pattern, so
        // punctuation must not cut the corpus's "word/tag" tokens apart:
        // only spaces (and line breaks and tabs) separate words here.
        Settings.psEmbeddedInWord = true;
        Settings.psDelimeter = u"/"_s;
        Settings.WrdDelims = u" "_s;
        Settings.tsParagraphsType = 2;
    }

    int Search(const QString& pattern)
    {
        AnalysisTest::Search(pattern, Brown, nullptr, ssWordTag);
        return Sentences().TotalMatches;
    }

    QStringList Brown;
};

} // namespace

TEST_F(BrownCorpusTest, TagSearchesFindEveryTaggedToken)
{
    // The tag is what follows the first "/": "5-3/4''/nns" is tagged "4''/nns".
    EXPECT_EQ(Search(u"&at"_s), CountTokens(Brown, u"[^\\s/]+/at"_s));
    EXPECT_EQ(Search(u"the&at"_s), CountTokens(Brown, u"(?i)the/at"_s));
    EXPECT_EQ(Search(u"&nns"_s), CountTokens(Brown, u"[^\\s/]+/nns"_s));
    EXPECT_TRUE(Messages.Errors.isEmpty());
    // Every hit is placed: sentences, paragraphs, sections and texts all have
    // room for it.
    for (TDistribution distribution : AllDistributions) {
        int placed = 0;
        for (const TBin& bin : Set(distribution).FBins)
            placed += bin.Count();
        EXPECT_EQ(placed, Sentences().TotalMatches);
    }
}
