#include "TextWindow.h"

#include "../TestSupport.h"
#include "Error.h"

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

// Only UTF-16LE is Unicode to the analysis: any other mark is read as the
// 8-bit text it stands for, so that byte offsets stay character offsets.
TEST(TTextWindow, OtherMarksAreEightBitText)
{
    const struct {
        QByteArray Bytes;
        QString Text;
    } cases[] = {
        {"\xEF\xBB\xBFxy", u"\u00EF\u00BB\u00BFxy"_s},
        {QByteArray("\xFE\xFF\x00z", 4), u"\u00FE\u00FF\u0000z"_s},
        {"\xFF", u"\u00FF"_s},
    };
    for (const auto& c : cases) {
        TTextWindow window;
        window.Open(TCorpusFileReader(c.Bytes, u"memory"_s));
        window.OpenWindow(nullptr);
        EXPECT_FALSE(window.IsUnicode());
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
