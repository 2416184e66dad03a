#include "Workspace.h"

#include "../FileSizeLimit.h"
#include "../TestSupport.h"
#include "FileNames.h"
#include "XmlNode.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Matches name their files by their index in the saved table below.
TBinSet SmallBinSet(int matchesInFirstBin = 2)
{
    TBinSet binSet;
    binSet.PreparePercentageBins(2);
    for (int i = 0; i < matchesInFirstBin; ++i) {
        TMatch match;
        match.WordsFromBeginning = 1 + i;
        match.WordsFromEnd = 9 - i;
        match.Percent = static_cast<std::int16_t>(10 * i);
        match.BeginOffest = 100 * i;
        match.EndOffset = 100 * i + 2;
        match.FileNameIndex = i % 2;
        match.LineNo = 1 + i;
        binSet.GetBin(0).AddMatch(match);
    }
    TMatch last;
    last.WordsFromBeginning = 7;
    last.WordsFromEnd = 1;
    last.Percent = 100;
    last.BeginOffest = 5000000000;
    last.EndOffset = 5000000003;
    last.FileNameIndex = 1;
    last.isUnicode = true;
    last.LineNo = 42;
    binSet.GetBin(1).AddMatch(last);
    binSet.TotalWords = 25;
    binSet.TotalSentences = 3;
    binSet.TotalParagraphs = 2;
    binSet.TotalSections = 1;
    binSet.TotalMatches = 4;
    binSet.TotalTexts = 2;
    return binSet;
}

const QStringList SavedNames = {u"/corpus/b.txt"_s, u"/corpus/a & <\"c\">.txt"_s};
const TTextFormState TextForm = {u"/corpus/b.txt"_s, {10, 20, 300, 200, TWindowPlace::wsNormal}};

void WriteSmallForms(TXmlNode& forms, const TBinSet& binSet)
{
    WriteTextForm(*forms.AddElement(u"TextForm"_s), TextForm);
    WriteResultsForm(*forms.AddElement(u"ResultsForm"_s),
                     {5, 6, 463, 380, TWindowPlace::wsMaximized},
                     u"\"the\" distribution in sentences"_s, u"% of sentence"_s, binSet, false);
}

void SaveSmallWorkspace(const QString& path, const TBinSet& binSet = SmallBinSet())
{
    TAppSettings settings;
    settings.SetDefaults();
    SaveWorkspace(path, settings, SavedNames,
                  [&](TXmlNode& forms) { WriteSmallForms(forms, binSet); },
                  {u"/corpus/b.txt"_s, u"/corpus/a.txt"_s, u"/corpus/b.txt"_s});
}

QString Utf16Text(const QByteArray& bytes)
{
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

} // namespace

// The file binds: a workspace written by this build must read in the next.
TEST(Workspace, SmallWorkspaceIsWrittenByteForByteAndReadBack)
{
    TTestFiles files;
    const QString path = files.Path(u"small.tmz"_s);
    SaveSmallWorkspace(path);
    const QString golden = TAMBORIX_TEST_DATA u"/workspace/small.tmz"_s;
    EXPECT_EQ(FileBytes(path), FileBytes(golden)) << Utf16Text(FileBytes(path)).toStdString();

    const TWorkspace read = ReadWorkspace(golden);
    TAppSettings defaults;
    defaults.SetDefaults();
    EXPECT_EQ(read.Settings, defaults);
    EXPECT_EQ(read.FileNames, SavedNames);
    EXPECT_EQ(read.Corpus,
              QStringList({u"/corpus/b.txt"_s, u"/corpus/a.txt"_s, u"/corpus/b.txt"_s}));
    ASSERT_EQ(read.Forms.size(), 2u);
    const auto& text = std::get<TTextFormState>(read.Forms[0]);
    EXPECT_EQ(text.FileName, TextForm.FileName);
    EXPECT_EQ(text.Place, TextForm.Place);
    const auto& results = std::get<TResultsFormState>(read.Forms[1]);
    // A maximised window's frame is not read.
    EXPECT_EQ(results.Place, (TWindowPlace{0, 0, 0, 0, TWindowPlace::wsMaximized}));
    EXPECT_EQ(results.Title, u"\"the\" distribution in sentences"_s);
    EXPECT_EQ(results.XAxisTitle, u"% of sentence"_s);
    EXPECT_TRUE(results.BinSet == SmallBinSet());
}

TEST(Workspace, EmptyWorkspaceWritesEveryElementOnce)
{
    TTestFiles files;
    const QString path = files.Path(u"empty.tmz"_s);
    TAppSettings settings;
    settings.SetDefaults();
    SaveWorkspace(path, settings, {}, [](TXmlNode&) {}, {});
    const QString text = Utf16Text(FileBytes(path));
    EXPECT_TRUE(text.startsWith(u"\r\n<Settings>"_s));
    EXPECT_TRUE(text.endsWith(
        u"\r\n</Settings>\r\n<General Version=\"2\"/>\r\n<FNCache/>\r\n<Forms/>\r\n<Corpus/>"_s));
}

TEST(Workspace, WindowElementsAreToldApartWithoutRegardToLetterCase)
{
    const IXmlDocument document = NewXmlDocument();
    document->AddElement(u"General"_s)->WriteIntAttr(u"Version"_s, 2);
    const IXmlNode forms = document->AddElement(u"Forms"_s);
    forms->AddElement(u"TEXTFORM"_s)->WriteAttr(u"FileName"_s, u"a.txt"_s);
    forms->AddElement(u"Concordance"_s);
    forms->AddElement(u"resultsForm"_s)->WriteAttr(u"Title"_s, u"t"_s);
    const TWorkspace read = ReadWorkspaceDocument(*document);
    ASSERT_EQ(read.Forms.size(), 2u);
    EXPECT_EQ(std::get<TTextFormState>(read.Forms[0]).FileName, u"a.txt"_s);
    EXPECT_EQ(std::get<TResultsFormState>(read.Forms[1]).Title, u"t"_s);
}

// The whole file is checked before anything of the process changes, so a
// damaged workspace cannot cost the one that is open.
TEST(Workspace, DamagedFilesAreRefusedWithoutTouchingTheFileNameTables)
{
    const QString valid = Utf16Text(FileBytes(TAMBORIX_TEST_DATA u"/workspace/small.tmz"_s));
    struct TCase {
        const char* Name;
        QString Text;
        QString Error; // the start of the message
    };
    const auto replaced = [&](const QString& from, const QString& to) {
        EXPECT_TRUE(valid.contains(from)) << from.toStdString();
        return QString(valid).replace(from, to);
    };
    const TCase cases[] = {
        {"not XML", u"\r\n<Settings><a"_s, u"Element definition uncomplete"_s},
        {"no version", replaced(u"<General Version=\"2\"/>"_s, u"<General/>"_s),
         u"Selected file belongs to older version of Tamborix"_s},
        {"older version", replaced(u"Version=\"2\""_s, u"Version=\"1\""_s),
         u"Selected file belongs to older version of Tamborix"_s},
        {"window frame", replaced(u"Left=\"10\""_s, u"Left=\"ten\""_s), u""_s},
        {"match index", replaced(u"FileNameIndex=\"1\""_s, u"FileNameIndex=\"2\""_s),
         u"List index out of bounds (2)"_s},
        {"negative match index", replaced(u"FileNameIndex=\"0\""_s, u"FileNameIndex=\"-1\""_s),
         u"List index out of bounds (-1)"_s},
        {"match value", replaced(u"LineNo=\"42\""_s, u"LineNo=\"4x2\""_s), u""_s},
        {"total", replaced(u"TotalWords=\"25\""_s, u"TotalWords=\"\""_s), u""_s},
        {"setting",
         replaced(u"<ExclSentLessThan Value=\"0\"/>"_s, u"<ExclSentLessThan Value=\"none\"/>"_s),
         u""_s},
    };
    TTestFiles files;
    const QStringList cache = FileNameCache().Names();
    LoadedFileNames() = {u"kept.txt"_s};
    for (const TCase& c : cases) {
        const QString path =
            files.Write(u"damaged.tmz"_s, QByteArray(reinterpret_cast<const char*>(c.Text.utf16()),
                                                     c.Text.size() * 2));
        try {
            ReadWorkspace(path);
            ADD_FAILURE() << c.Name << ": read";
        } catch (const TError& error) {
            EXPECT_TRUE(error.Message().startsWith(c.Error)) << c.Name << ": " << error.what();
        }
        EXPECT_EQ(FileNameCache().Names(), cache) << c.Name;
        EXPECT_EQ(LoadedFileNames(), QStringList{u"kept.txt"_s}) << c.Name;
    }
}

// A table saved in another session lists its files in another order than
// this session's cache; the saved indexes go through the saved table.
TEST(Workspace, SavedIndexesFindTheirFilesThroughTheSavedTable)
{
    FileNameCacheIndex(u"/corpus/A & <\"C\">.txt"_s);
    TTestFiles files;
    const QString path = files.Path(u"small.tmz"_s);
    SaveSmallWorkspace(path);
    TWorkspace read = ReadWorkspace(path);
    TBinSet& binSet = std::get<TResultsFormState>(read.Forms[1]).BinSet;
    binSet.MapSavedFileNames(read.FileNames);
    const QStringList& cache = FileNameCache().Names();
    const TBinSet saved = SmallBinSet();
    for (int bin = 0; bin < saved.Count(); ++bin) {
        for (int i = 0; i < saved.GetBin(bin).Count(); ++i) {
            const int savedIndex = saved.GetBin(bin).GetMatch(i).FileNameIndex;
            EXPECT_EQ(cache[binSet.GetBin(bin).GetMatch(i).FileNameIndex],
                      LowerAsciiLetters(SavedNames[savedIndex]));
        }
    }
}

// As a full disk or a killed program would leave it: part of the new file
// written, the rest not.
TEST(Workspace, ASaveThatFailsPartWayLeavesTheOldFileWhole)
{
    TTestFiles files;
    const QString path = files.Path(u"work.tmz"_s);
    SaveSmallWorkspace(path);
    const QByteArray old = FileBytes(path);
    {
        const TFileSizeLimit limit(64 * 1024);
        EXPECT_TRUE(FileErrorOf([&] {
                        SaveSmallWorkspace(path, SmallBinSet(2000));
                    }).startsWith(u"Cannot create file \"%1\". "_s.arg(path)));
    }
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(QDir(files.Path(QString())).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"work.tmz"_s});
}

// The baseline is an optional child of the results window's element: written
// only when the bin set carries one, with the window's choice to show it.
TEST(Workspace, TheBaselineAndTheChoiceToShowItTravelWithTheResultsWindow)
{
    const auto roundTrip = [](const TBinSet& binSet, bool shown) {
        const IXmlDocument document = NewXmlDocument();
        TXmlNode& node = *document->AddElement(u"ResultsForm"_s);
        WriteResultsForm(node, {}, u"t"_s, u"x"_s, binSet, shown);
        return std::pair(ReadResultsForm(node, 2), node.FindChild(u"Baseline"_s) != nullptr);
    };
    TBinSet binSet = SmallBinSet();
    const auto [without, written] = roundTrip(binSet, true);
    EXPECT_FALSE(written);
    EXPECT_TRUE(without.BinSet.Baseline.empty());
    EXPECT_FALSE(without.ShowExpected);

    binSet.Baseline = {5000000000, 0};
    for (const bool shown : {true, false}) {
        const auto [read, present] = roundTrip(binSet, shown);
        EXPECT_TRUE(present);
        EXPECT_EQ(read.BinSet.Baseline, binSet.Baseline);
        EXPECT_EQ(read.ShowExpected, shown);
    }
}

TEST(Workspace, ABaselineThatDoesNotFitItsBinsIsRefused)
{
    const struct {
        const char* Counts; // Count attributes of the "Bin" children, "-" for none
    } cases[] = {{"7"}, {"7 8 9"}, {"7 -1"}, {"7 -"}, {"7 x"}};
    for (const auto& c : cases) {
        const IXmlDocument document = NewXmlDocument();
        TXmlNode& node = *document->AddElement(u"ResultsForm"_s);
        WriteResultsForm(node, {}, u"t"_s, u"x"_s, SmallBinSet(), false);
        TXmlNode& baseline = *node.AddElement(u"Baseline"_s);
        for (const QString& count : QString::fromLatin1(c.Counts).split(u' ')) {
            TXmlNode& bin = *baseline.AddElement(u"Bin"_s);
            if (count != u"-")
                bin.WriteAttr(u"Count"_s, count);
        }
        EXPECT_THROW(ReadResultsForm(node, 2), TError) << c.Counts;
    }
}
