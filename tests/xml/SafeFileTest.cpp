#include "SafeFile.h"

#include "FileSizeLimit.h"
#include "TestSupport.h"
#include "XmlNode.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The kind of what stands at path, links not followed; 0 when nothing does.
mode_t KindAt(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot |
                                  QDir::Hidden);
}

// The two ways to a file: bytes at once, and a document through the device.
const std::vector<std::pair<const char*, std::function<void(const QString&, QByteArray)>>> Savers =
    {
        {"bytes", [](const QString& path, QByteArray bytes) { SaveFile(path, bytes); }},
        {"document",
         [](const QString& path, QByteArray bytes) {
             const IXmlDocument document = NewXmlDocument();
             document->AddElement(u"Text"_s)->WriteAttr(u"Value"_s, QString::fromLatin1(bytes));
             document->SaveToFile(path);
         }},
};

} // namespace

// A save renames a new file over the target: over a device or a pipe that
// would put a regular file in its place.
TEST(SafeFile, SavingOverAnythingButARegularFileIsRefusedAndChangesNothing)
{
    TTestFiles files;
    const QString fifo = files.Fifo(u"fifo"_s);
    ASSERT_FALSE(fifo.isEmpty());
    ASSERT_TRUE(QDir().mkpath(files.Path(u"folder"_s)));
    ASSERT_TRUE(QFile::link(fifo, files.Path(u"link-to-fifo"_s)));
    std::vector<std::pair<QString, QString>> targets = {
        {fifo, u"It is not a regular file"_s},
        {files.Path(u"link-to-fifo"_s), u"It is not a regular file"_s},
        {files.Path(u"folder"_s), u"It is a folder, not a file"_s},
    };
    // Device nodes can be made only with privileges; /dev itself is not put at risk.
    const QString device = files.Path(u"full"_s);
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 7)) == 0)
        targets.emplace_back(device, u"It is not a regular file"_s);
    const QStringList before = Entries(files.Path(QString()));
    for (const auto& [name, save] : Savers) {
        for (const auto& [path, reason] : targets) {
            const mode_t kind = KindAt(path);
            EXPECT_EQ(FileErrorOf([&s = save, &p = path] { s(p, "new"); }),
                      u"Cannot create file \"%1\". %2"_s.arg(path, reason))
                << name;
            EXPECT_EQ(KindAt(path), kind) << name << ' ' << path.toStdString();
        }
    }
    EXPECT_EQ(Entries(files.Path(QString())), before);
}

TEST(SafeFile, ALinkIsFollowedAndStaysALink)
{
    for (const auto& [name, save] : Savers) {
        TTestFiles files;
        const QString plain = files.Path(u"plain.xml"_s);
        save(plain, "new");
        const QString target = files.Write(u"target.xml"_s, "old");
        const QString link = files.Path(u"link.xml"_s);
        ASSERT_TRUE(QFile::link(target, link));
        save(link, "new");
        EXPECT_EQ(KindAt(link), S_IFLNK) << name;
        EXPECT_EQ(FileBytes(target), FileBytes(plain)) << name;

        // A link to nothing yet makes its target.
        const QString dangling = files.Path(u"dangling.xml"_s);
        ASSERT_TRUE(QFile::link(files.Path(u"made.xml"_s), dangling));
        save(dangling, "new");
        EXPECT_EQ(KindAt(dangling), S_IFLNK) << name;
        EXPECT_EQ(FileBytes(files.Path(u"made.xml"_s)), FileBytes(plain)) << name;
    }
}

// A full disk fails a write or the commit: the old file stays whole and the
// new one is not left beside it.
TEST(SafeFile, AFailedWriteLeavesTheOldFile)
{
    const QByteArray large(256 * 1024, 'x');
    for (const auto& [name, save] : Savers) {
        TTestFiles files;
        const QString path = files.Write(u"settings2.xml"_s, "old");
        const QString fresh = files.Path(u"fresh.xml"_s);
        QString replacing;
        QString creating;
        {
            const TFileSizeLimit limit(4096);
            replacing = FileErrorOf([&s = save, &p = path, &large] { s(p, large); });
            creating = FileErrorOf([&s = save, &fresh, &large] { s(fresh, large); });
        }
        EXPECT_EQ(replacing, u"Cannot create file \"%1\". File too large"_s.arg(path)) << name;
        EXPECT_EQ(creating, u"Cannot create file \"%1\". File too large"_s.arg(fresh)) << name;
        EXPECT_EQ(FileBytes(path), "old") << name;
        EXPECT_EQ(Entries(files.Path(QString())), QStringList{u"settings2.xml"_s}) << name;
    }
}

// Opening a pipe without a writer would wait for ever; the pipe is held open
// for writing here, so that a check that lets it through fails the test
// instead of hanging it.
TEST(SafeFile, OnlyRegularFilesOfTheAllowedSizeAreRead)
{
    TTestFiles files;
    const QString fifo = files.Fifo(u"fifo"_s);
    ASSERT_FALSE(fifo.isEmpty());
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const QString file = files.Write(u"ten.txt"_s, "0123456789");
    const QString link = files.Path(u"link.txt"_s);
    ASSERT_TRUE(QFile::link(file, link));
    ASSERT_TRUE(QDir().mkpath(files.Path(u"folder"_s)));
    const struct {
        QString Path;
        qint64 MaxBytes;
        QString Reason; // empty when the file is read
    } cases[] = {
        {file, -1, QString()},
        {file, 10, QString()},
        {link, 10, QString()},
        {file, 9, u"It is larger than 9 bytes, the most that is read from such a file"_s},
        {fifo, -1, u"It is not a regular file"_s},
        {u"/dev/null"_s, -1, u"It is not a regular file"_s},
        {files.Path(u"folder"_s), -1, u"It is a folder, not a file"_s},
        {files.Path(u"missing.txt"_s), -1, u"No such file or directory"_s},
    };
    for (const auto& c : cases) {
        const QString expected =
            c.Reason.isEmpty() ? QString() : u"Cannot open file \"%1\". %2"_s.arg(c.Path, c.Reason);
        QByteArray bytes;
        EXPECT_EQ(FileErrorOf([&] {
                      bytes = OpenRegularFile(c.Path, {.MaxBytes = c.MaxBytes})->readAll();
                  }),
                  expected);
        EXPECT_EQ(bytes, c.Reason.isEmpty() ? "0123456789" : "") << c.Path.toStdString();
        if (c.MaxBytes < 0) {
            EXPECT_EQ(FileErrorOf([&] { CheckRegularFile(c.Path); }), expected);
        }
    }
    ::close(writer);
}
