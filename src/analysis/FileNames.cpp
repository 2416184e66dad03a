#include "FileNames.h"

QString LowerAsciiLetters(const QString& name)
{
    QString lowered = name;
    for (QChar& c : lowered) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lowered;
}

int TFileNameCache::IndexOf(const QString& name)
{
    const QString key = LowerAsciiLetters(name);
    const auto found = Index.constFind(key);
    if (found != Index.constEnd())
        return found.value();
    List.append(key);
    Index.insert(key, static_cast<int>(List.size() - 1));
    return static_cast<int>(List.size() - 1);
}

TFileNameCache& FileNameCache()
{
    static TFileNameCache cache;
    return cache;
}

int FileNameCacheIndex(const QString& name)
{
    return FileNameCache().IndexOf(name);
}

QStringList& LoadedFileNames()
{
    static QStringList names;
    return names;
}
