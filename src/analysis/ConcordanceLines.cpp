#include "ConcordanceLines.h"

#include "CorpusFileReader.h"
#include "FileNames.h"
#include "Markup.h"
#include "TBin.h"
#include "TDelimiters.h"
#include "Utf8Text.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr qint64 LineContext = 50;     // characters on each side of a row's hit
constexpr qint64 PreviewContext = 500; // and of the preview's

// A stretch of a file, in bytes; never negative.
struct TPiece {
    qint64 From = 0;
    qint64 Bytes = 0;
};

// Offsets read from a workspace may be anything; within these bounds the
// arithmetic below cannot overflow, and every offset beyond them lies outside
// any file.
qint64 Bounded(qint64 offset)
{
    constexpr qint64 bound = qint64(1) << 52;
    return std::clamp(offset, -bound, bound);
}

// Where the text before a match, the hit and the text after it lie in a file of
// size bytes, with context characters on each side. Lengths that the file's
// present size makes negative become 0. The byte-order mark that opens a
// UTF-16 file is no text: it would stick to the first word and sort it last.
std::array<TPiece, 3> PiecesOf(const TMatch& match, qint64 size, qint64 context)
{
    const qint64 unit = match.isUnicode ? 2 : 1;
    const qint64 textStart = match.isUnicode ? 2 : 0;
    const qint64 begin = Bounded(match.BeginOffest);
    const qint64 end = Bounded(match.EndOffset);
    const qint64 span = context * unit;
    const auto piece = [unit](qint64 from, qint64 characters) {
        return TPiece{from, std::max<qint64>(characters, 0) * unit};
    };
    const qint64 beforeFrom = std::max(textStart, begin - span);
    return {piece(beforeFrom, (begin - beforeFrom) / unit), piece(begin, (end - begin) / unit + 1),
            piece(end + unit, end + span < size ? context : (size - end) / unit - 1)};
}

// A UTF-8 character takes up to this many bytes.
constexpr qint64 MaxUtf8Bytes = 4;

// UTF-8 text is cut by characters, and a character is a code point: one
// beyond the BMP counts once though it takes two UTF-16 code units. The
// decoded text never holds a lone surrogate.
QString FirstCharacters(const QString& text, qint64 count)
{
    qsizetype units = 0;
    for (; units < text.size() && count > 0; --count)
        units += text[units].isHighSurrogate() ? 2 : 1;
    return text.left(units);
}

QString LastCharacters(const QString& text, qint64 count)
{
    qsizetype from = text.size();
    for (; from > 0 && count > 0; --count)
        from -= text[from - 1].isLowSurrogate() ? 2 : 1;
    return text.mid(std::max<qsizetype>(from, 0));
}

// The bytes of the character that begins at offset: its valid sequence, or
// the one byte that begins none, as where the file's end cuts a sequence short.
qint64 Utf8CharacterBytes(TCorpusFileReader& file, qint64 offset)
{
    const QByteArrayView bytes = file.RangeBytes(offset, MaxUtf8Bytes);
    if (bytes.isEmpty())
        return 1;
    const int length = Utf8SequenceAt(reinterpret_cast<const unsigned char*>(bytes.data()),
                                      static_cast<std::size_t>(bytes.size()));
    return std::max(length, 1);
}

// The texts of a UTF-8 match, decoded as the analysis decoded the file from
// its text start. Unless it is the text start, the before text's first byte
// need not begin a character: up to MaxUtf8Bytes - 1 bytes, the rest of a
// character begun earlier, are then read as characters of their own. Every
// byte that is no continuation byte begins a character in either reading, so
// from the first such byte on both agree. The range reaches MaxUtf8Bytes - 1
// bytes further back than context characters can take, so the bytes read
// wrongly lie more than context * MaxUtf8Bytes bytes before the hit and are
// never among the last context characters, which are kept. Each range is
// decoded before the next read, which may move the bytes it views.
std::array<QString, 3> ReadUtf8Texts(TCorpusFileReader& file, const TMatch& match, qint64 context)
{
    const qint64 begin = Bounded(match.BeginOffest);
    const qint64 end = Bounded(match.EndOffset);
    const qint64 span = context * MaxUtf8Bytes;
    const qint64 beforeFrom = std::max(file.TextStart(), begin - span - (MaxUtf8Bytes - 1));
    std::array<QString, 3> texts;
    texts[0] = LastCharacters(DecodeUtf8(file.RangeBytes(beforeFrom, begin - beforeFrom)), context);
    const qint64 after = end + Utf8CharacterBytes(file, end);
    texts[1] = DecodeUtf8(file.RangeBytes(begin, after - begin));
    texts[2] = FirstCharacters(DecodeUtf8(file.RangeBytes(after, span)), context);
    return texts;
}

// The texts before, of and after the hit of match, with context characters
// on each side. Throws TFileError.
std::array<QString, 3> ReadTexts(TCorpusFileReader& file, const TMatch& match, qint64 context)
{
    if (match.isUtf8)
        return ReadUtf8Texts(file, match, context);
    const std::array<TPiece, 3> pieces = PiecesOf(match, file.Size(), context);
    std::array<QString, 3> texts;
    for (size_t i = 0; i < pieces.size(); ++i)
        texts[i] = file.ReadRange(pieces[i].From, pieces[i].Bytes, match.isUnicode);
    return texts;
}

// The files of one load, each opened when its first hit is met. A bin holds
// the hits file by file, so few files need to stay open at once; keeping at
// most MaxOpen of them stays within the system's limit on open files however
// many files the corpus has.
class TOpenFiles {
public:
    TCorpusFileReader& Get(int fileNameIndex)
    {
        const auto found = std::find_if(Files.rbegin(), Files.rend(), [&](const auto& file) {
            return file.first == fileNameIndex;
        });
        if (found != Files.rend()) {
            std::rotate(found.base() - 1, found.base(), Files.end());
        } else {
            if (Files.size() == MaxOpen)
                Files.erase(Files.begin());
            const QString name = FileNameCache().Names().value(fileNameIndex);
            Files.emplace_back(fileNameIndex, TCorpusFileReader(name, TPathCase::LowerAtoZ));
        }
        return Files.back().second;
    }

private:
    static constexpr size_t MaxOpen = 64;
    std::vector<std::pair<int, TCorpusFileReader>> Files; // most recently used last
};

// Each line break (CR LF, CR or LF) becomes one blank, so that the words on
// either side of it stay apart on the one line of a row.
void ReplaceLineBreaks(QString& text)
{
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
}

// A sort key: text with only its letters A to Z lowered.
QString SortKey(std::u16string_view text)
{
    QString key(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), reinterpret_cast<char16_t*>(key.data()),
                   [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; });
    return key;
}

std::u16string_view View(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.constData()), static_cast<size_t>(text.size())};
}

// The last two words of text, the last one second; empty where there are fewer.
std::array<std::u16string_view, 2> LastTwoWords(std::u16string_view text,
                                                const TDelimiters& delimiters)
{
    std::array<std::u16string_view, 2> words;
    size_t end = text.size();
    for (size_t w = words.size(); w-- > 0;) {
        while (end > 0 && delimiters.Contains(text[end - 1]))
            --end;
        size_t begin = end;
        while (begin > 0 && !delimiters.Contains(text[begin - 1]))
            --begin;
        words[w] = text.substr(begin, end - begin);
        end = begin;
    }
    return words;
}

// The first two words of text; empty where there are fewer.
std::array<std::u16string_view, 2> FirstTwoWords(std::u16string_view text,
                                                 const TDelimiters& delimiters)
{
    std::array<std::u16string_view, 2> words;
    size_t begin = 0;
    for (std::u16string_view& word : words) {
        while (begin < text.size() && delimiters.Contains(text[begin]))
            ++begin;
        size_t end = begin;
        while (end < text.size() && !delimiters.Contains(text[end]))
            ++end;
        word = text.substr(begin, end - begin);
        begin = end;
    }
    return words;
}

// The sort words are taken from the texts as read, without their tags, so
// that their line breaks separate words as the delimiters say; stripped is
// reused from row to row.
void SetSortWords(TConcordanceLine& line, const QString& before, const QString& after,
                  const TDelimiters& delimiters, std::u16string& stripped)
{
    stripped.clear();
    const std::u16string_view left = View(before);
    AppendWithoutTags(left.data(), left.data() + left.size(), stripped);
    const auto lastTwo = LastTwoWords(stripped, delimiters);
    line.SortWords[0] = SortKey(lastTwo[0]);
    line.SortWords[1] = SortKey(lastTwo[1]);

    stripped.clear();
    const std::u16string_view right = View(after);
    AppendWithoutTags(right.data(), right.data() + right.size(), stripped);
    const auto firstTwo = FirstTwoWords(stripped, delimiters);
    line.SortWords[2] = SortKey(firstTwo[0]);
    line.SortWords[3] = SortKey(firstTwo[1]);
}

const QString* SortText(const TConcordanceLine& line, int key)
{
    switch (key) {
    case sk2ndLeft:
        return &line.SortWords[0];
    case sk1stLeft:
        return &line.SortWords[1];
    case skSearchTerm:
        return &line.SortMatch;
    case sk1stRight:
        return &line.SortWords[2];
    case sk2ndRight:
        return &line.SortWords[3];
    default:
        return nullptr;
    }
}

template <typename T>
int Sign(const T& a, const T& b)
{
    return (a > b) - (a < b);
}

// Texts compare by their UTF-16 code units, whatever the locale.
int CompareBy(const TConcordanceLine& m1, const TConcordanceLine& m2, int key)
{
    if (key == skOriginalOrder)
        return Sign(m1.OriOrder, m2.OriOrder);
    const QString* text = SortText(m1, key);
    return text ? Sign(View(*text).compare(View(*SortText(m2, key))), 0) : 0;
}

} // namespace

void TConcordanceLines::Load(const TBin& bin, const TDelimiters& delimiters)
{
    Clear();
    std::vector<TConcordanceLine> lines(static_cast<size_t>(bin.Count()));
    TOpenFiles files;
    std::u16string stripped;
    for (int i = 0; i < bin.Count(); ++i) {
        TConcordanceLine& line = lines[static_cast<size_t>(i)];
        line.Match = bin.GetMatch(i);
        line.OriOrder = i;
        auto texts = ReadTexts(files.Get(line.Match.FileNameIndex), line.Match, LineContext);
        SetSortWords(line, texts[0], texts[2], delimiters, stripped);
        for (QString& text : texts)
            ReplaceLineBreaks(text);
        line.TextBefore = std::move(texts[0]);
        line.TextMatch = std::move(texts[1]);
        line.TextAfter = std::move(texts[2]);
        line.SortMatch = SortKey(View(line.TextMatch));
    }
    Lines = std::move(lines);
    Order.resize(Lines.size());
    std::iota(Order.begin(), Order.end(), 0);
}

void TConcordanceLines::Clear()
{
    Lines.clear();
    Order.clear();
}

void TConcordanceLines::Sort(int sort1, int sort2)
{
    std::stable_sort(Order.begin(), Order.end(), [&](int a, int b) {
        return CompareSort(Lines[static_cast<size_t>(a)], Lines[static_cast<size_t>(b)], sort1,
                           sort2) < 0;
    });
}

int CompareSort(const TConcordanceLine& m1, const TConcordanceLine& m2, int sort1, int sort2)
{
    const int first = CompareBy(m1, m2, sort1);
    if (first != 0 || sort1 == skOriginalOrder || sort2 == skNone)
        return first;
    return CompareBy(m1, m2, sort2);
}

TPreviewText ReadPreview(const TMatch& match)
{
    TCorpusFileReader file(FileNameCache().Names().value(match.FileNameIndex),
                           TPathCase::LowerAtoZ);
    auto texts = ReadTexts(file, match, PreviewContext);
    return {std::move(texts[0]), std::move(texts[1]), std::move(texts[2])};
}
