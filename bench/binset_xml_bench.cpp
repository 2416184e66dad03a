// Times what saving and loading a workspace costs for the results of a large
// search: a word/phrase search for "the" with all four distributions in the
// corpus file given, the document of the four bin sets built (one
// "ResultsForm" element each, holding a "BinSet"), saved, loaded and read back
// into bin sets, which must equal the searched ones. Each phase's time and the
// peak memory of the process during that phase are printed; the peak is reset
// between phases (through /proc/self/clear_refs), so that each figure is the
// phase's own.
//
//   binset_xml_bench CORPUS            all phases; the file written is removed
//   binset_xml_bench save CORPUS FILE  search, build and save only
//   binset_xml_bench load FILE         load and read the bin sets only
#include "BenchSupport.h"
#include "Error.h"
#include "FileNames.h"
#include "SearchRunner.h"
#include "TAppSettings.h"
#include "XmlNode.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString ReadStatus(const char* key)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return u"?"_s;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return QString::fromLatin1(line.mid(prefix.size()).trimmed());
    }
    return u"?"_s;
}

void ResetPeak()
{
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

class TPhases {
public:
    TPhases() { Timer.start(); }

    void Done(const char* phase)
    {
        std::printf("  %-9s %7.2f s   peak RSS %s\n", phase, Timer.nsecsElapsed() / 1e9,
                    ReadStatus("VmHWM").toLocal8Bit().constData());
        std::fflush(stdout);
        ResetPeak();
        Timer.restart();
    }

private:
    QElapsedTimer Timer;
};

using TBinSets = std::array<std::unique_ptr<TBinSet>, 4>;

TBinSets Search(const QString& corpus, TPhases& phases)
{
    TAppSettings settings;
    settings.SetDefaults();
    TPrintedMessages messages;
    TSearchRunner runner(settings, messages);
    TSearchResult result = runner.Run({u"the"_s, ssWordPhrase, {true, true, true, true}, {corpus}});
    TBinSets sets;
    for (TDistribution distribution : AllDistributions)
        sets[static_cast<size_t>(distribution)] = result.Bins.Take(distribution);
    phases.Done("search");
    return sets;
}

void Save(const TBinSets& sets, const QString& file, TPhases& phases)
{
    IXmlDocument document = NewXmlDocument();
    {
        const IXmlNode forms = document->FindOrAddChild(u"Forms"_s);
        for (const auto& set : sets)
            set->ToXml(*forms->AddElement(u"ResultsForm"_s)->FindOrAddChild(u"BinSet"_s));
    }
    phases.Done("tree");
    document->SaveToFile(file);
    phases.Done("save");
    document.reset();
    phases.Done("free");
}

TBinSets Load(const QString& file, TPhases& phases)
{
    TBinSets sets;
    IXmlDocument document = NewXmlDocument();
    document->LoadFromFile(file);
    phases.Done("load");
    {
        const IXmlNode forms = document->RequireChild(u"Forms"_s);
        for (int i = 0; i < forms->Children().Count() && i < 4; ++i) {
            sets[static_cast<size_t>(i)] = std::make_unique<TBinSet>();
            sets[static_cast<size_t>(i)]->FromXml(
                *forms->Children().Item(i)->RequireChild(u"BinSet"_s));
        }
    }
    phases.Done("fromxml");
    document.reset();
    phases.Done("free");
    return sets;
}

bool SameMatch(const TMatch& a, const TMatch& b)
{
    return a.WordsFromBeginning == b.WordsFromBeginning && a.WordsFromEnd == b.WordsFromEnd &&
           a.SentecesFromBeginning == b.SentecesFromBeginning &&
           a.SentecesFromEnd == b.SentecesFromEnd && a.Percent == b.Percent &&
           a.BeginOffest == b.BeginOffest && a.EndOffset == b.EndOffset &&
           a.FileNameIndex == b.FileNameIndex && a.isUnicode == b.isUnicode && a.LineNo == b.LineNo;
}

bool SameBinSet(const TBinSet& a, const TBinSet& b)
{
    if (a.TotalWords != b.TotalWords || a.TotalSentences != b.TotalSentences ||
        a.TotalParagraphs != b.TotalParagraphs || a.TotalSections != b.TotalSections ||
        a.TotalFiles != b.TotalFiles || a.TotalMatches != b.TotalMatches ||
        a.TotalTexts != b.TotalTexts || a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TBin& x = a.GetBin(i);
        const TBin& y = b.GetBin(i);
        if (x.BinType != y.BinType || x.ValFrom != y.ValFrom || x.ValTo != y.ValTo ||
            x.Count() != y.Count())
            return false;
        for (std::int64_t k = 0; k < x.Count(); ++k) {
            if (!SameMatch(x.GetMatch(int(k)), y.GetMatch(int(k))))
                return false;
        }
    }
    return true;
}

std::int64_t MatchCount(const TBinSets& sets)
{
    std::int64_t count = 0;
    for (const auto& set : sets) {
        for (const TBin& bin : set->FBins)
            count += bin.Count();
    }
    return count;
}

int Run(int argc, char** argv)
{
    const QString mode = QString::fromLocal8Bit(argv[1]);
    TPhases phases;
    std::printf("binset_xml_bench: peak RSS is reset between phases\n");
    if (argc == 4 && mode == u"save"_s) {
        Save(Search(QString::fromLocal8Bit(argv[2]), phases), QString::fromLocal8Bit(argv[3]),
             phases);
        return 0;
    }
    if (argc == 3 && mode == u"load"_s) {
        // The saved indexes stand for the files of the one search that wrote them.
        LoadedFileNames() = QStringList{QString::fromLocal8Bit(argv[2])};
        std::printf("  %lld matches read\n", static_cast<long long>(MatchCount(
                                                 Load(QString::fromLocal8Bit(argv[2]), phases))));
        return 0;
    }
    if (argc != 2)
        return 2;
    const QString file = QDir::temp().filePath(u"binset_xml_bench.xml"_s);
    const TBinSets searched = Search(mode, phases);
    Save(searched, file, phases);
    std::printf("  %lld matches, file of %lld bytes\n",
                static_cast<long long>(MatchCount(searched)), QFile(file).size());
    // Saved file indexes are cache indexes, so the loaded list is the cache.
    LoadedFileNames() = FileNameCache().Names();
    const TBinSets loaded = Load(file, phases);
    QFile::remove(file);
    for (size_t i = 0; i < searched.size(); ++i) {
        if (!loaded[i] || !SameBinSet(*searched[i], *loaded[i])) {
            std::printf("  MISMATCH in bin set %zu\n", i);
            return 1;
        }
    }
    std::printf("  the bin sets read back equal the searched ones\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: binset_xml_bench CORPUS | save CORPUS FILE | load FILE\n");
        return 2;
    }
    try {
        const int status = Run(argc, argv);
        if (status == 2)
            std::fprintf(stderr, "usage: binset_xml_bench CORPUS | save CORPUS FILE | load FILE\n");
        return status;
    } catch (const TError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
