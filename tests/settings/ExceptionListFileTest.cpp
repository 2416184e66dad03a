// Exception list files: the bytes written, the encodings and line breaks read,
// and the error texts.
#include "ExceptionListFile.h"

#include "../TestSupport.h"
#include "Error.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Windows-1252 while every entry fits it, UTF-8 with its mark as soon as one
// does not; every line, the last one too, ends with CR LF.
TEST(ExceptionListFile, WritesTheBytesThatReadBack)
{
    const struct {
        QStringList Entries;
        QByteArray Bytes;
    } cases[] = {
        {{u"e.g."_s, u""_s, u"caf\u00E9"_s, u"\u20AC\u0081"_s},
         QByteArray("e.g.\r\n\r\ncaf\xE9\r\n\x80\x81\r\n")},
        {{u"Fig."_s, u"D\u017E."_s, u"\u010C."_s},
         QByteArray("\xEF\xBB\xBF"
                    "Fig.\r\nD\xC5\xBE.\r\n\xC4\x8C.\r\n")},
        {{u"\u0080"_s}, QByteArray("\xEF\xBB\xBF\xC2\x80\r\n")}, // a byte the code page leaves out
        {{}, QByteArray()},
    };
    TTestFiles files;
    for (const auto& c : cases) {
        const QString path = files.Path(u"list.txt"_s);
        WriteExceptionList(path, c.Entries);
        EXPECT_EQ(FileBytes(path), c.Bytes) << c.Entries.join(u'|').toStdString();
        EXPECT_EQ(ReadExceptionList(path), c.Entries);
    }
}

TEST(ExceptionListFile, ReadsEveryMarkAndLineBreak)
{
    const QByteArray utf16Be("\xFE\xFF\x00"
                             "a\x01\x0C\x00.\x00\r\x00\n\x00"
                             "b",
                             14);
    const struct {
        QByteArray Bytes;
        QStringList Entries;
    } cases[] = {
        {Utf16Le(u"e.g.\r\nD\u017E.\r\n"_s), {u"e.g."_s, u"D\u017E."_s}},
        {utf16Be, {u"a\u010C."_s, u"b"_s}},
        {QByteArray("\xEF\xBB\xBF\xC4\x8C.\n"), {u"\u010C."_s}},
        {QByteArray("\x80\xE9"), {u"\u20AC\u00E9"_s}},
        {QByteArray("a\rb\nc\r\nd"), {u"a"_s, u"b"_s, u"c"_s, u"d"_s}},
        {QByteArray("a\r\rb\n\nc\r\n\r\n"), {u"a"_s, u""_s, u"b"_s, u""_s, u"c"_s, u""_s}},
        {QByteArray("\n\r"), {u""_s, u""_s}},
        {QByteArray("a\n\r"), {u"a"_s, u""_s}}, // LF CR is two breaks
        {QByteArray("a\r"), {u"a"_s}},
        {QByteArray(), {}},
    };
    TTestFiles files;
    for (const auto& c : cases)
        EXPECT_EQ(ReadExceptionList(files.Write(u"list.txt"_s, c.Bytes)), c.Entries)
            << c.Bytes.toHex().toStdString();
}

TEST(ExceptionListFile, ErrorsNameTheFileAndTheReason)
{
    TTestFiles files;
    const QString missing = files.Path(u"missing.txt"_s);
    const QString inMissingFolder = files.Path(u"no/list.txt"_s);
    EXPECT_EQ(FileErrorOf([&] { ReadExceptionList(missing); }),
              u"Cannot open file \"%1\". No such file or directory"_s.arg(missing));
    EXPECT_TRUE(FileErrorOf([&] {
                    WriteExceptionList(inMissingFolder, {u"a"_s});
                }).startsWith(u"Cannot create file \"%1\". "_s.arg(inMissingFolder)));
    EXPECT_TRUE(FileErrorOf([&] {
                    ReadExceptionList(files.Path(QString()));
                }).startsWith(u"Cannot open file \""_s));
}

// A pipe would make the reading wait for ever and the saving put a file in
// its place; a list beyond any list of abbreviations is not read.
TEST(ExceptionListFile, OnlyRegularFilesOfUpTo1MiBAreReadOrReplaced)
{
    TTestFiles files;
    const QString fifo = files.Fifo(u"fifo"_s);
    ASSERT_FALSE(fifo.isEmpty());
    EXPECT_EQ(FileErrorOf([&] { ReadExceptionList(fifo); }),
              u"Cannot open file \"%1\". It is not a regular file"_s.arg(fifo));
    EXPECT_EQ(FileErrorOf([&] { WriteExceptionList(fifo, {u"e.g."_s}); }),
              u"Cannot create file \"%1\". It is not a regular file"_s.arg(fifo));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    const QByteArray full = QByteArray("e.g.\r\n").repeated(1024 * 1024 / 6) + "ab\r\n";
    ASSERT_EQ(full.size(), 1024 * 1024);
    EXPECT_EQ(ReadExceptionList(files.Write(u"full.txt"_s, full)).size(), 1024 * 1024 / 6 + 1);
    const QString over = files.Write(u"over.txt"_s, full + 'x');
    EXPECT_EQ(FileErrorOf([&] { ReadExceptionList(over); }),
              u"Cannot open file \"%1\". It is larger than 1 MiB, the most that is read from "
              "such a file"_s.arg(over));
}
