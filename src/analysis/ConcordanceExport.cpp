#include "ConcordanceExport.h"

#include "ConcordanceLines.h"
#include "CorpusFileReader.h"
#include "FileNames.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// FileNameCache keeps paths with A to Z lowered, which on this system may
// name another file or none; a reader wants the file's own name. Each file is
// looked up once.
class TShownPaths {
public:
    const QString& Of(int fileNameIndex)
    {
        auto found = Paths.find(fileNameIndex);
        if (found == Paths.end())
            found = Paths.insert(fileNameIndex,
                                 PathOnDisk(FileNameCache().Names().value(fileNameIndex)));
        return *found;
    }

private:
    QHash<int, QString> Paths;
};

// A character beyond U+FFFF is one character, though two code units.
QString Concealed(const QString& hit)
{
    const qsizetype characters = QStringView(hit).toUcs4().size();
    return QString(characters, u'_');
}

QString HitLine(const TConcordanceLine& line, const TExportOptions& options)
{
    QString text;
    if (options.LineNumbers)
        text = u"Line "_s + QString::number(line.Match.LineNo) + u": "_s;
    text += line.TextBefore;
    text += u"[["_s;
    text += options.ConcealHits ? Concealed(line.TextMatch) : line.TextMatch;
    text += u"]]"_s;
    text += line.TextAfter;
    return text;
}

} // namespace

QStringList ConcordanceExportLines(const TConcordanceLines& lines, const TExportOptions& options)
{
    int count = lines.Count();
    if (options.MaxLines > 0 && options.MaxLines < count)
        count = options.MaxLines;
    TShownPaths paths;
    QStringList text;
    text.reserve(options.ShowFileNames ? 2 * count : count);
    for (int row = 0; row < count; ++row) {
        const TConcordanceLine& line = lines.Line(row);
        if (options.ShowFileNames)
            text.append(paths.Of(line.Match.FileNameIndex));
        text.append(HitLine(line, options));
    }
    return text;
}
