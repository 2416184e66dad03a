#include "TextWindow.h"

#include "../TestSupport.h"
#include "Error.h"
#include "Utf8Subject.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString WindowText(const TTextWindow& window)
{
    QString text;
    for (int k = 1; k <= window.Length(); ++k)
        text += QChar(window[k]);
    return text;
}

} // namespace

TEST(TTextWindow, EmptyFilesGiveAnEmptyWindowAtTheEnd)
{
    TTestFiles files;
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\xFF\xFE", 2)}) {
        TTextWindow window;
        window.Open(files.Write(u"empty"_s, bytes));
        window.OpenWindow(nullptr);
        EXPECT_EQ(window.Length(), 0);
        EXPECT_TRUE(window.Eof());
        EXPECT_EQ(window.IsUnicode(), !bytes.isEmpty());
    }
}

TEST(TTextWindow, EightBitTextIsWindows1252)
{
    TTestFiles files;
    TTextWindow window;
    window.Open(files.Write(u"cp1252"_s, QByteArray("a\x80\x81\x9F\xE9\xFF\xFE", 7)));
    window.OpenWindow(nullptr);
    EXPECT_FALSE(window.IsUnicode());
    EXPECT_EQ(WindowText(window), u"a\u20AC\u0081\u0178\u00E9\u00FF\u00FE"_s);
}

TEST(TTextWindow, Utf16LosesALastOddByte)
{
    TTestFiles files;
    TTextWindow window;
    window.Open(files.Write(u"odd"_s, Utf16Le(u"ab\u0100"_s) + 'x'));
    window.OpenWindow(nullptr);
    EXPECT_TRUE(window.IsUnicode());
    EXPECT_EQ(WindowText(window), u"ab\u0100"_s);
}

// UTF-16BE is read as the 8-bit text it stands for, so that byte offsets stay
// character offsets.
TEST(TTextWindow, OtherBytesAreEightBitText)
{
    const struct {
        QByteArray Bytes;
        QString Text;
    } cases[] = {
        {QByteArray("\xFE\xFF\x00z", 4), u"\u00FE\u00FF\u0000z"_s},
        {"\xFF", u"\u00FF"_s},
    };
    for (const auto& c : cases) {
        TTextWindow window;
        window.Open(TCorpusFileReader(c.Bytes, u"memory"_s));
        window.OpenWindow(nullptr);
        EXPECT_FALSE(window.IsUnicode());
        EXPECT_FALSE(window.IsUtf8());
        EXPECT_EQ(WindowText(window), c.Text);
        EXPECT_EQ(window.WindowFileOffset(), -1);
    }
}

// The window is refilled half at a time; the characters before its first
// index stay visible as its context, and byte offsets move on with it.
TEST(TTextWindow, ShiftMovesTheSecondHalfToTheFront)
{
    TTestFiles files;
    for (const bool unicode : {false, true}) {
        QString text;
        for (int i = 0; i < TTextWindow::Size; ++i)
            text += QChar(u'a' + i % 26);
        const QByteArray bytes = unicode ? Utf16Le(text) : text.toLatin1();
        TTextWindow window;
        window.Open(files.Write(u"full"_s, bytes));
        window.OpenWindow(nullptr);
        EXPECT_EQ(window.Length(), TTextWindow::Size);
        EXPECT_FALSE(window.Eof()); // a file of exactly one window ends at the next read
        EXPECT_EQ(window.Text().Chars[0], 0);
        EXPECT_EQ(window.Text().Before, 0);
        EXPECT_FALSE(window.Text().AtFileEnd);

        window.ShiftWindow();
        EXPECT_TRUE(window.Eof());
        EXPECT_EQ(window.Length(), TTextWindow::Half);
        EXPECT_EQ(window[1], text[TTextWindow::Half].unicode());
        const TWindowText moved = window.Text();
        ASSERT_EQ(moved.Before, TTextWindow::Context);
        for (int k = 1 - moved.Before; k <= 0; ++k)
            ASSERT_EQ(moved[k], text[TTextWindow::Half + k - 1].unicode()) << k;
        EXPECT_FALSE(moved.AtFileStart);
        EXPECT_TRUE(moved.AtFileEnd);
        EXPECT_EQ(window.WindowFileOffset(),
                  unicode ? 2 * TTextWindow::Half - 1 : TTextWindow::Half - 1);
    }
}

TEST(TTextWindow, MissingFileRaisesAFileError)
{
    TTestFiles files;
    TTextWindow window;
    try {
        window.Open(files.Path(u"missing.txt"_s));
        FAIL() << "no error";
    } catch (const TFileError& error) {
        EXPECT_TRUE(error.Message().contains(u"missing.txt"_s));
    }
}

namespace {

// Bytes of ASCII letters, as long as asked.
QByteArray Letters(qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return bytes;
}

} // namespace

// A file without a mark is UTF-8 when its bytes beyond ASCII are valid UTF-8
// as far as the first window reaches from the first of them; a stray byte
// later on does not change that.
TEST(TTextWindow, EncodingFollowsTheMarkOrTheBytes)
{
    const QByteArray full = Letters(4 * TTextWindow::Size);
    const struct {
        const char* Name;
        QByteArray Bytes;
        TEncodingChoice Choice;
        bool Utf8;
        QString Start; // the window's first characters
    } cases[] = {
        {"mark",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9",
         TEncodingChoice::Auto, true, u"caf\u00E9"_s},
        {"mark before a stray byte", "\xEF\xBB\xBF\xE9t\xC3\xA9", TEncodingChoice::Auto, true,
         u"\u00E9t\u00E9"_s},
        {"valid", "caf\xC3\xA9 na\xC3\xAFve", TEncodingChoice::Auto, true,
         u"caf\u00E9 na\u00EFve"_s},
        {"Windows-1252", "caf\xE9 na\xEFve", TEncodingChoice::Auto, false,
         u"caf\u00E9 na\u00EFve"_s},
        {"ASCII", "cafe", TEncodingChoice::Auto, false, u"cafe"_s},
        {"cut at the end", "caf\xC3", TEncodingChoice::Auto, false, u"caf\u00C3"_s},
        {"stray byte after the first window", "\xC3\xA9" + full + "\xE9", TEncodingChoice::Auto,
         true, u"\u00E9ab"_s},
        {"first byte beyond ASCII after the first window", full + "\xC3\xA9", TEncodingChoice::Auto,
         true, u"abc"_s},
        {"stray byte after the first window's worth", full + "\xC3\xA9" + full + "\xE9",
         TEncodingChoice::Auto, true, u"abc"_s},
        {"chosen UTF-8", "caf\xE9", TEncodingChoice::Utf8, true, u"caf\u00E9"_s},
        {"chosen Windows-1252", "caf\xC3\xA9", TEncodingChoice::Cp1252, false,
         u"caf\u00C3\u00A9"_s},
        {"a mark outweighs the choice", "\xEF\xBB\xBFx", TEncodingChoice::Cp1252, true, u"x"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TTextWindow window;
        window.Open(TCorpusFileReader(c.Bytes, u"memory"_s));
        window.OpenWindow(nullptr, c.Choice);
        EXPECT_EQ(window.IsUtf8(), c.Utf8);
        EXPECT_FALSE(window.IsUnicode());
        EXPECT_EQ(WindowText(window).left(c.Start.size()), c.Start);
        EXPECT_EQ(window.ByteOffsetOf(1), c.Bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    }
}

// Every character begins at the byte offset of its first byte; a byte that
// begins no valid sequence is its Windows-1252 character, and so is each byte
// of a sequence that the file's end cuts short.
TEST(TTextWindow, Utf8CharactersBeginAtTheirFirstByte)
{
    TTextWindow window;
    // a, e acute, euro sign, a clef outside the BMP, a stray 0x80, b, a cut euro sign
    const QByteArray bytes("a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E\x80"
                           "b\xE2\x82");
    window.Open(TCorpusFileReader(bytes, u"memory"_s));
    window.OpenWindow(nullptr, TEncodingChoice::Utf8);
    EXPECT_EQ(WindowText(window), u"a\u00E9\u20AC\U0001D11E\u20ACb\u00E2\u201A"_s);
    const std::int64_t offsets[] = {0, 1, 3, 6, 6, 10, 11, 12, 13, 14};
    for (int k = 1; k <= window.Length() + 1; ++k)
        EXPECT_EQ(window.ByteOffsetOf(k), offsets[k - 1]) << k;
    EXPECT_TRUE(window.Eof());
}

// A character whose bytes the reading or whose code units the window's end
// cut in two is whole on both sides of the shift, and the offsets follow it.
TEST(TTextWindow, Utf8CharacterCutByTheWindowsEnd)
{
    const struct {
        QByteArray Character;
        QString Text;
    } cases[] = {
        {"\xE2\x82\xAC", u"\u20AC"_s},
        {"\xF0\x9D\x84\x9E", u"\U0001D11E"_s},
    };
    for (const auto& c : cases) {
        const QByteArray before = Letters(TTextWindow::Size - 1);
        const QByteArray bytes = before + c.Character + "z" + Letters(100);
        TTextWindow window;
        window.Open(TCorpusFileReader(bytes, u"memory"_s));
        window.OpenWindow(nullptr, TEncodingChoice::Utf8);
        ASSERT_EQ(window.Length(), TTextWindow::Size);
        EXPECT_EQ(window[TTextWindow::Size], c.Text[0].unicode());
        EXPECT_EQ(window.ByteOffsetOf(TTextWindow::Size), before.size());

        window.ShiftWindow();
        const int at = TTextWindow::Half; // where the character's first unit moved
        for (int i = 0; i < c.Text.size(); ++i) {
            EXPECT_EQ(window[at + i], c.Text[i].unicode());
            EXPECT_EQ(window.ByteOffsetOf(at + i), before.size());
        }
        EXPECT_EQ(window[at + c.Text.size()], u'z');
        EXPECT_EQ(window.ByteOffsetOf(at + c.Text.size()), before.size() + c.Character.size());
        EXPECT_EQ(window.ByteOffsetOf(window.Length()), bytes.size() - 1);
        EXPECT_NE(window.Text().Utf8, nullptr);
    }
}

// The file's own bytes, which the engine of regular expressions takes where a
// window is valid UTF-8, are the window converted: the same bytes, and the
// same offsets for every position, the context before the window included.
TEST(TTextWindow, Utf8BytesAreTheConvertedWindow)
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < 3 * TTextWindow::Size; ++i)
        bytes += i % 7 == 1   ? "\xF0\x9D\x84\x9E "
                 : i % 3 == 0 ? "caf\xC3\xA9 "
                              : "\xE2\x82\xAC"
                                "1 ";
    TTextWindow window;
    window.Open(TCorpusFileReader(bytes, u"memory"_s));
    window.OpenWindow(nullptr);
    for (int shift = 0; shift < 2; ++shift) {
        window.ShiftWindow();
        const TWindowText own = window.Text();
        ASSERT_NE(own.Utf8, nullptr);
        TWindowText converted = own;
        converted.Utf8 = nullptr;
        TUtf8Subject a;
        TUtf8Subject b;
        a.Assign(own);
        b.Assign(converted);
        ASSERT_EQ(std::string_view(a.Bytes(), a.ContinuedSize()),
                  std::string_view(b.Bytes(), b.ContinuedSize()));
        for (int p = 1; p <= own.Length + 1; ++p) {
            ASSERT_EQ(a.OffsetOf(p), b.OffsetOf(p)) << p;
            ASSERT_EQ(a.PositionOf(a.OffsetOf(p)), b.PositionOf(b.OffsetOf(p))) << p;
        }
        EXPECT_EQ(a.PositionOf(0), 1 - own.Before);
    }
}
