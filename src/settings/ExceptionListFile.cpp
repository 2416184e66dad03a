#include "ExceptionListFile.h"

#include "Cp1252.h"
#include "Error.h"
#include "SafeFile.h"

#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

// A list of abbreviations takes a few kilobytes. Its entries go into the
// settings, which keep each of them as UTF-16 inside an element of its own and
// are read up to 16 MiB: a list of abbreviations this large still fits.
constexpr qint64 MaxListBytes = 1024 * 1024;

const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

QString DecodeText(const QByteArray& bytes)
{
    const auto decode = [&](QStringConverter::Encoding encoding, qsizetype markSize) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        return QString(decoder(QByteArrayView(bytes).sliced(markSize)));
    };
    if (bytes.startsWith(Utf8Mark))
        return decode(QStringConverter::Utf8, Utf8Mark.size());
    if (bytes.startsWith("\xFF\xFE"))
        return decode(QStringConverter::Utf16LE, 2);
    if (bytes.startsWith("\xFE\xFF"))
        return decode(QStringConverter::Utf16BE, 2);
    return Cp1252ToString(bytes);
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

} // namespace

QStringList ReadExceptionList(const QString& path)
{
    const std::unique_ptr<QFile> file = OpenRegularFile(path, {.MaxBytes = MaxListBytes});
    const QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError)
        throw TFileError::CannotRead(path, file->errorString());
    return SplitLines(DecodeText(bytes));
}

void WriteExceptionList(const QString& path, const QStringList& entries)
{
    SaveFile(path, TextFileBytes(entries));
}
