// The reader of corpus files: the encoding that a mark names, range reads cut
// to the file, a file that changes while read, a path kept with A to Z
// lowered, and the error texts.
#include "CorpusFileReader.h"

#include "../TestSupport.h"
#include "Error.h"
#include "FileNames.h"

#include <QBuffer>
#include <QDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Min = std::numeric_limits<qint64>::min();
constexpr qint64 Max = std::numeric_limits<qint64>::max();

// Serves its first GoodBytes bytes, then fails every read, as a failing disk does.
class TFailingDevice : public QBuffer {
public:
    TFailingDevice(const QByteArray& bytes, qint64 goodBytes)
        : GoodBytes(goodBytes)
    {
        setData(bytes);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (pos() >= GoodBytes) {
            setErrorString(u"Input/output error"_s);
            return -1;
        }
        return QBuffer::readData(data, std::min(maxSize, GoodBytes - pos()));
    }

private:
    qint64 GoodBytes;
};

} // namespace

TEST(TCorpusFileReader, TheMarkSelectsTheEncodingOfTheWholeText)
{
    const QString text = u"Caf\u00E9 \u20AC"_s;
    const struct {
        QByteArray Bytes;
        TTextEncoding Encoding;
        QString Text;
    } cases[] = {
        {Utf16Le(text), TTextEncoding::Utf16Le, text},
        {QByteArray("\xFE\xFF\x00"
                    "C\x00"
                    "a\x00"
                    "f\x00\xE9\x00 \x20\xAC",
                    14),
         TTextEncoding::Utf16Be, text},
        {"\xEF\xBB\xBF" + text.toUtf8(), TTextEncoding::Utf8, text},
        // without a mark, as the analysis reads it
        {text.toUtf8(), TTextEncoding::Cp1252, text},
        {text.toUtf8() + "\x80", TTextEncoding::Cp1252,
         u"Caf\u00C3\u00A9 \u00E2\u201A\u00AC\u20AC"_s},
        {"Caf\xE9 \x80", TTextEncoding::Cp1252, text},
        {Utf16Le(text) + 'x', TTextEncoding::Utf16Le, text}, // a last odd byte is lost
        {QByteArray("\xFF\xFE", 2), TTextEncoding::Utf16Le, {}},
        {"\xEF\xBB", TTextEncoding::Cp1252, u"\u00EF\u00BB"_s}, // half a mark is text
        {"\xFF", TTextEncoding::Cp1252, u"\u00FF"_s},
        {{}, TTextEncoding::Cp1252, {}},
    };
    for (const auto& c : cases) {
        TCorpusFileReader file(c.Bytes, u"memory"_s);
        EXPECT_EQ(file.Encoding(), c.Encoding) << c.Bytes.toHex().toStdString();
        EXPECT_EQ(file.Size(), c.Bytes.size());
        EXPECT_EQ(file.WholeText(), c.Text) << c.Bytes.toHex().toStdString();
    }
}

// A range read takes the bytes as they stand, a mark included, and gives no
// text for bytes outside the file, however far out the offsets lie.
TEST(TCorpusFileReader, RangeReadsAreCutToTheFile)
{
    const QByteArray eight("ab\x80\xE9"
                           "cdef",
                           8);
    const QString eightText = u"ab\u20AC\u00E9cdef"_s;
    // FF FE, then x, y, U+0100 and z from byte 2, and one odd byte at 10.
    const QByteArray wide = Utf16Le(u"xy\u0100z"_s) + 'q';
    const struct {
        QByteArray Bytes;
        qint64 From, Count;
        bool Unicode;
        QString Expected;
    } cases[] = {
        {eight, 1, 3, false, u"b\u20AC\u00E9"_s},
        {eight, 6, 5, false, u"ef"_s},
        {eight, -2, 4, false, u"ab"_s},
        {eight, -1, Max, false, eightText},
        {eight, Min, Max, false, {}},
        {eight, Max, Max, false, {}},
        {eight, 8, 1, false, {}},
        {eight, 3, 0, false, {}},
        {eight, 3, Min, false, {}},
        {{}, 0, 10, false, {}},
        {{}, 0, 10, true, {}},
        {wide, 2, 8, true, u"xy\u0100z"_s},
        {wide, 0, 4, true, u"\uFEFFx"_s},
        {wide, 8, Max, true, u"z"_s},
        {wide, 10, 1, true, {}},
        {wide, -1, 4, true, u"\uFEFF"_s},
        {wide, Max - 1, Max, true, {}},
    };
    for (const auto& c : cases) {
        TCorpusFileReader file(c.Bytes, u"memory"_s);
        EXPECT_EQ(file.ReadRange(c.From, c.Count, c.Unicode), c.Expected)
            << c.From << " " << c.Count << " " << c.Unicode;
    }
}

// Range reads share a chunk of the file; reads before it, across its end and
// longer than it must still give the bytes they ask for.
TEST(TCorpusFileReader, RangeReadsInAnyOrderAcrossABigFile)
{
    QByteArray bytes(200 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('a' + i % 23);
    TCorpusFileReader file(bytes, u"memory"_s);
    const std::pair<qint64, qint64> reads[] = {
        {70000, 100}, {10, 50}, {65530, 20}, {65500, 100}, {0, 150000}, {204790, 50}, {5, 5},
    };
    for (const auto& [from, count] : reads) {
        const QByteArray expected = bytes.mid(from, count);
        EXPECT_EQ(file.ReadRange(from, count, false), QString::fromLatin1(expected))
            << from << " " << count;
    }
}

// A file that grows is read up to its size at opening; one that shrinks up to
// its new end. Either is a change.
TEST(TCorpusFileReader, ReadsUpToTheSizeAtOpeningAndNoticesAChangeOfSize)
{
    const struct {
        QByteArray Now;
        QByteArray Rest;
        bool Changed;
    } cases[] = {
        {"0123456789", "456789", false},
        {"012345", "45", true},
        {"01", "", true},
        {"0123456789abc", "456789", true},
    };
    for (const auto& c : cases) {
        auto device = std::make_unique<QBuffer>();
        QBuffer& buffer = *device;
        buffer.setData("0123456789");
        buffer.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        TCorpusFileReader file(std::move(device), u"corpus.txt"_s);
        QByteArray read(100, '\0');
        read.truncate(file.Read(read.data(), 4));
        EXPECT_EQ(read, "0123");
        EXPECT_FALSE(file.Changed());
        buffer.buffer() = c.Now;
        read.resize(100);
        read.truncate(file.Read(read.data(), read.size()));
        EXPECT_EQ(read, c.Rest) << c.Now.toStdString();
        EXPECT_EQ(file.Changed(), c.Changed) << c.Now.toStdString();
    }
}

TEST(TCorpusFileReader, FindsALoweredPathWhereTheCasesDiffer)
{
    TTestFiles files;
    ASSERT_TRUE(QDir().mkpath(files.Path(u"Corpus.Dir"_s)));
    const QString path = files.Write(u"Corpus.Dir/Text One.TXT"_s, "a hit b");
    const QString lowered = LowerAsciiLetters(path);
    EXPECT_EQ(TCorpusFileReader(lowered, TPathCase::LowerAtoZ).WholeText(), u"a hit b"_s);
    EXPECT_EQ(TCorpusFileReader(path, TPathCase::LowerAtoZ).WholeText(), u"a hit b"_s);
    EXPECT_THROW(TCorpusFileReader{lowered}, TFileError);
}

// The message names the file as it was asked for, not as it was looked for.
TEST(TCorpusFileReader, AMissingFileRaisesTheOpenError)
{
    TTestFiles files;
    ASSERT_TRUE(QDir().mkpath(files.Path(u"Corpus.Dir"_s)));
    const std::pair<QString, TPathCase> cases[] = {
        {files.Path(u"missing.txt"_s), TPathCase::Exact},
        {LowerAsciiLetters(files.Path(u"Corpus.Dir/gone.txt"_s)), TPathCase::LowerAtoZ},
    };
    for (const auto& [path, pathCase] : cases) {
        try {
            TCorpusFileReader file(path, pathCase);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const TFileError& error) {
            const QString expected = u"Cannot open file \""_s + path + u"\". "_s;
            EXPECT_TRUE(error.Message().startsWith(expected)) << error.Message().toStdString();
            EXPECT_GT(error.Message().size(), expected.size()); // the system's reason
        }
    }
}

TEST(TCorpusFileReader, AFailedReadRaisesTheReadError)
{
    const std::vector<std::function<void(TCorpusFileReader&)>> reads = {
        [](TCorpusFileReader& file) {
            char into[10];
            file.Read(into, sizeof into);
        },
        [](TCorpusFileReader& file) { file.ReadRange(4, 2, false); },
        [](TCorpusFileReader& file) { file.WholeText(); },
    };
    for (const auto& read : reads) {
        TCorpusFileReader file(std::make_unique<TFailingDevice>("abcdefgh", 3), u"corpus.txt"_s);
        try {
            read(file);
            ADD_FAILURE() << "no error";
        } catch (const TFileError& error) {
            EXPECT_EQ(error.Message(), u"Cannot read file \"corpus.txt\". Input/output error"_s);
        }
    }
}
