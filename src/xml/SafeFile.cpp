#include "SafeFile.h"

#include "Error.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString KindReason(mode_t mode)
{
    return S_ISDIR(mode) ? u"It is a folder, not a file"_s : u"It is not a regular file"_s;
}

// Why the file that status describes is not read, or an empty text.
QString RefusalToRead(const struct stat& status, qint64 maxBytes)
{
    if (!S_ISREG(status.st_mode))
        return KindReason(status.st_mode);
    if (maxBytes >= 0 && status.st_size > maxBytes) {
        const QString limit =
            QLocale::c().formattedDataSize(maxBytes, 0, QLocale::DataSizeIecFormat);
        return u"It is larger than %1, the most that is read from such a file"_s.arg(limit);
    }
    return QString();
}

void CheckToRead(const QString& path, const QString& name, qint64 maxBytes)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        throw TFileError::CannotOpen(name, qt_error_string(errno));
    if (const QString refusal = RefusalToRead(status, maxBytes); !refusal.isEmpty())
        throw TFileError::CannotOpen(name, refusal);
}

} // namespace

void CheckRegularFile(const QString& path, const QString& shownName)
{
    CheckToRead(path, shownName.isEmpty() ? path : shownName, -1);
}

// The check before opening keeps devices from being opened at all; the one
// after it, on what was opened, catches a file swapped in between.
std::unique_ptr<QFile> OpenRegularFile(const QString& path, const TReadOptions& options)
{
    const QString& name = options.ShownName.isEmpty() ? path : options.ShownName;
    CheckToRead(path, name, options.MaxBytes);
    // Without O_NONBLOCK, opening a pipe waits for a writer; a regular file
    // reads the same with it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw TFileError::CannotOpen(name, qt_error_string(errno));
    const auto fail = [&](const QString& reason) {
        ::close(fd);
        throw TFileError::CannotOpen(name, reason);
    };
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        fail(qt_error_string(errno));
    if (const QString refusal = RefusalToRead(status, options.MaxBytes); !refusal.isEmpty())
        fail(refusal);
    auto file = std::make_unique<QFile>(path);
    const QIODevice::OpenMode mode =
        options.Unbuffered ? QIODevice::ReadOnly | QIODevice::Unbuffered : QIODevice::ReadOnly;
    if (!file->open(fd, mode, QFileDevice::AutoCloseHandle))
        fail(file->errorString());
    return file;
}

TSafeFile::TSafeFile(const QString& path)
    : Path(path)
    , File(path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (!S_ISREG(status.st_mode))
            Fail(KindReason(status.st_mode));
    } else if (errno != ENOENT) {
        Fail(qt_error_string(errno));
    }
    // Unbuffered, each write reaches the system at once: a buffered write
    // that the disk takes only in part fails later without the system's reason.
    if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail(File.errorString());
}

// A full disk may first take part of the bytes; the write of the rest then
// fails with the reason.
void TSafeFile::Write(QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = File.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            Fail(File.errorString());
        done += written;
    }
}

// Without the sync a crash soon after the rename could leave an empty file
// where the old one was.
void TSafeFile::Commit()
{
    if (::fsync(File.handle()) != 0)
        Fail(qt_error_string(errno));
    if (!File.commit())
        Fail(File.errorString());
}

void TSafeFile::Fail(const QString& reason)
{
    throw TFileError::CannotCreate(Path, reason);
}

void SaveFile(const QString& path, QByteArrayView bytes)
{
    TSafeFile file(path);
    file.Write(bytes);
    file.Commit();
}
