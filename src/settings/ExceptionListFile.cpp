#include "ExceptionListFile.h"

#include "Cp1252.h"
#include "Error.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TFileError::CannotOpen(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TFileError::CannotRead(path, file.errorString());
    return SplitLines(DecodeText(bytes));
}

void WriteExceptionList(const QString& path, const QStringList& entries)
{
    const QString text = entries.isEmpty() ? QString() : entries.join(u"\r\n"_s) + u"\r\n"_s;
    const std::optional<QByteArray> ansi = StringToCp1252(text);
    const QByteArray bytes = ansi ? *ansi : Utf8Mark + text.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TFileError::CannotCreate(path, file.errorString());
    file.write(bytes);
    if (!file.commit())
        throw TFileError::CannotCreate(path, file.errorString());
}
