#include "Markup.h"

#include "CharCase.h"

TMarker::TMarker(const QString& text)
{
    Upper.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text)
        Upper.push_back(UpperChar(c.unicode()));
}

bool TMarker::At(const TWindowText& text, int k) const
{
    const int n = Length();
    if (n == 0 || k < 1 || k + n - 1 > text.Length)
        return false;
    const char16_t* upper = UpperCaseTable();
    for (int j = 0; j < n; ++j) {
        if (upper[text[k + j]] != Upper[static_cast<size_t>(j)])
            return false;
    }
    return true;
}

bool TMarker::EndsAt(const TWindowText& text, int k) const
{
    return IsEmpty() || At(text, k - Length() + 1);
}

bool TagAt(const TWindowText& text, const QString& tag, int index)
{
    return TMarker(tag).At(text, index);
}

void AppendWithoutTags(const char16_t* begin, const char16_t* end, std::u16string& out)
{
    bool inTag = false;
    for (const char16_t* p = begin; p != end; ++p) {
        if (*p == u'<')
            inTag = true;
        else if (*p == u'>')
            inTag = false;
        else if (!inTag)
            out.push_back(*p);
    }
}

QString RemoveTags(const QString& s)
{
    std::u16string out;
    const auto* chars = reinterpret_cast<const char16_t*>(s.constData());
    AppendWithoutTags(chars, chars + s.size(), out);
    return QString::fromStdU16String(out);
}
