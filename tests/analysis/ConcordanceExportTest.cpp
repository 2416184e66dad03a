// The lines of a concordance export: the options of the export dialog, the
// limit that counts hits, the display order, and the files' own names.
#include "ConcordanceExport.h"

#include "../HitFiles.h"
#include "../TestSupport.h"
#include "ConcordanceLines.h"
#include "FileNames.h"
#include "TAppSettings.h"
#include "TBin.h"
#include "TDelimiters.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ConcordanceExportTest : public ::testing::Test {
protected:
    ConcordanceExportTest()
    {
        Settings.SetDefaults();
        QDir(Files.Path(QString())).mkdir(u"Corpus"_s);
    }

    // Adds a hit in a UTF-16 file of its own, with capitals in its name,
    // which FileNameCache keeps lowered. Returns the file's path.
    QString AddHit(const QString& hit, qint64 lineNo)
    {
        const QString name = u"Corpus/Text%1.TXT"_s.arg(Bin.Count());
        TMatch match = WriteHitFile(Files, name, u"Before "_s, hit, u" after"_s, true);
        match.LineNo = lineNo;
        Bin.AddMatch(match);
        return Files.Path(name);
    }

    QStringList Export(const TExportOptions& options)
    {
        Lines.Load(Bin, TDelimiters(Settings));
        return ConcordanceExportLines(Lines, options);
    }

    TAppSettings Settings;
    TTestFiles Files;
    TBin Bin;
    TConcordanceLines Lines;
};

} // namespace

TEST_F(ConcordanceExportTest, OptionsAndLimit)
{
    const QString cat = AddHit(u"cat"_s, 7);
    const QString dogs = AddHit(u"dogs"_s, 8);
    const QString emu = AddHit(u"emu"_s, 12);
    const QString catLine = u"Before [[cat]] after"_s;
    const struct {
        TExportOptions Options;
        QStringList Expected;
    } cases[] = {
        {{}, {catLine, u"Before [[dogs]] after"_s, u"Before [[emu]] after"_s}},
        {{.MaxLines = 1}, {catLine}},
        {{.MaxLines = 2, .ConcealHits = true},
         {u"Before [[___]] after"_s, u"Before [[____]] after"_s}},
        {{.MaxLines = 3, .LineNumbers = true},
         {u"Line 7: "_s + catLine, u"Line 8: Before [[dogs]] after"_s,
          u"Line 12: Before [[emu]] after"_s}},
        // The limit counts hits: each takes two lines with its file's name.
        {{.MaxLines = 2, .ShowFileNames = true}, {cat, catLine, dogs, u"Before [[dogs]] after"_s}},
        {{.MaxLines = 5, .ShowFileNames = true, .ConcealHits = true, .LineNumbers = true},
         {cat, u"Line 7: Before [[___]] after"_s, dogs, u"Line 8: Before [[____]] after"_s, emu,
          u"Line 12: Before [[___]] after"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected.join(u" | "_s).toStdString());
        EXPECT_EQ(Export(c.Options), c.Expected);
    }
}

// A hit is concealed by one "_" per character, also for a character beyond
// U+FFFF; the limit takes the first rows in the order shown.
TEST_F(ConcordanceExportTest, ConcealedHitsAndTheDisplayOrder)
{
    AddHit(u"emu"_s, 1);
    AddHit(u"cat"_s, 2);
    AddHit(u"\U0001D538ße"_s, 3);
    Lines.Load(Bin, TDelimiters(Settings));
    Lines.Sort(skSearchTerm, skNone);
    EXPECT_EQ(ConcordanceExportLines(Lines, {.MaxLines = 2, .LineNumbers = true}),
              (QStringList{u"Line 2: Before [[cat]] after"_s, u"Line 1: Before [[emu]] after"_s}));
    EXPECT_EQ(ConcordanceExportLines(Lines, {.ConcealHits = true}).last(),
              u"Before [[___]] after"_s);
}
