#include "WordPattern.h"

#include "TAppSettings.h"
#include "TDelimiters.h"

std::vector<QString> SplitPatternWords(const QString& pattern, const TDelimiters& delimiters)
{
    std::vector<QString> words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        const bool boundary = i == pattern.size() || delimiters.Contains(pattern[i].unicode());
        if (boundary && start >= 0) {
            words.push_back(pattern.mid(start, i - start));
            start = -1;
        } else if (!boundary && start < 0) {
            start = i;
        }
    }
    return words;
}

QString TrimControls(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 0x20)
        --end;
    return s.mid(begin, end - begin);
}

TPatternItems PrepareWordPhrase(const QString& pattern, const TAppSettings& settings,
                                const TDelimiters& delimiters)
{
    TPatternItems items;
    for (QString& word : SplitPatternWords(pattern, delimiters)) {
        const bool between = TrimControls(word) == settings.sdAt;
        items.push_back(
            {between ? TPatternItem::Between : TPatternItem::Word, std::move(word), {}});
    }
    return items;
}

TPatternItems PrepareWordTag(const QString& pattern, const TAppSettings& settings,
                             const TDelimiters& delimiters)
{
    TPatternItems items;
    for (const QString& item : SplitPatternWords(pattern, delimiters)) {
        const qsizetype at =
            settings.sdAmpersant.isEmpty() ? -1 : item.indexOf(settings.sdAmpersant);
        const QString word = at < 0 ? item : item.left(at);
        const QString tag = at < 0 ? QString() : item.mid(at + settings.sdAmpersant.size());
        TPatternItem::TKind kind = TPatternItem::Word;
        if (word.isEmpty())
            kind = TPatternItem::AnyWord;
        else if (TrimControls(word) == settings.sdAt)
            kind = TPatternItem::Between;
        items.push_back({kind, word, tag});
    }
    return items;
}
