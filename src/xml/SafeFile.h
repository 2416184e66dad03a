// The one way the program opens a file of its own to read or write, so that
// no kind of file can hang it or be harmed by it. A file is read only when it
// is a regular file, and opening never waits, as it would for a pipe without a
// writer. A file is written beside the old one and renamed over it only once
// complete, and only where a regular file or nothing stands: a device or a pipe
// named as the target stays what it is, and a failed save leaves the old file.
#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

#include <memory>

class QFile;

// How a file is opened for reading.
struct TReadOptions {
    qint64 MaxBytes = -1; // a larger file is refused; negative for any size
    bool Unbuffered = false;
    QString ShownName{}; // names the file in messages when not empty
};

// Throws TFileError::CannotOpen unless path names a regular file, directly or
// through links. Opens nothing, so that it may be asked of any path.
void CheckRegularFile(const QString& path, const QString& shownName = QString());

// Opens the file at path for reading when CheckRegularFile allows it and it
// is no larger than options.MaxBytes. Throws TFileError::CannotOpen, also when
// a pipe or device has taken the file's place after the check (opening it
// does not wait for a writer).
std::unique_ptr<QFile> OpenRegularFile(const QString& path, const TReadOptions& options = {});

// A file being replaced. Without a successful Commit, after an error or an
// exception, the old file stays as it was and nothing is left beside it.
class TSafeFile {
public:
    // A link is followed and its target replaced; the link stays. Throws
    // TFileError::CannotCreate when path names anything but a regular file or
    // nothing, or when the new file cannot be created beside it.
    explicit TSafeFile(const QString& path);

    // Appends bytes to the new file. Throws TFileError::CannotCreate when they
    // cannot all be written.
    void Write(QByteArrayView bytes);
    // Puts the new file, once it is on the disk, in the old one's place.
    // Throws TFileError::CannotCreate.
    void Commit();

private:
    [[noreturn]] void Fail(const QString& reason);

    QString Path;
    QSaveFile File;
};

// Replaces the file at path by one holding bytes, as TSafeFile does. Throws
// TFileError::CannotCreate.
void SaveFile(const QString& path, QByteArrayView bytes);
