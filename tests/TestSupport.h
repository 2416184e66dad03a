// Helpers shared by the test programs: files and pipes made on the fly, UTF-16 text,
// and texts shown as texts in failures.
#pragma once

#include "Error.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <sys/stat.h>

// Lets test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Files in a temporary folder that lives as long as the object.
class TTestFiles {
public:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = Dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }
    QString Path(const QString& name) const { return Dir.filePath(name); }
    // A named pipe; an empty path when it cannot be made.
    QString Fifo(const QString& name)
    {
        const QString path = Dir.filePath(name);
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
    }

private:
    QTemporaryDir Dir;
};

// The text of the TFileError that action throws; empty when it throws none.
template <typename TAction>
QString FileErrorOf(TAction action)
{
    try {
        action();
    } catch (const TFileError& error) {
        return error.Message();
    }
    return QString();
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// text as UTF-16LE, with the byte-order mark FF FE in front when bom.
inline QByteArray Utf16Le(const QString& text, bool bom = true)
{
    QByteArray bytes = bom ? QByteArray("\xFF\xFE", 2) : QByteArray();
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}
