// Helpers shared by the test programs: corpus files written on the fly, text
// windows over plain strings, and a message sink that collects what it is told.
#pragma once

#include "MessageSink.h"
#include "WindowText.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <string>

// Lets test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A window over text, numbered from 1 as the analysis numbers its window.
class TTestText {
public:
    explicit TTestText(const QString& text)
        : Chars(u'\0' + text.toStdU16String() + u'\0')
    {}
    TWindowText View() const { return {Chars.data(), static_cast<int>(Chars.size()) - 2, true}; }

private:
    std::u16string Chars;
};

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

private:
    QTemporaryDir Dir;
};

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

class TCollectedMessages : public IMessageSink {
public:
    void ShowWarning(const QString& text) override { Warnings.append(text); }
    void ShowError(const QString& text) override { Errors.append(text); }

    QStringList Warnings;
    QStringList Errors;
};
