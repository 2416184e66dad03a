// The one way in to a corpus file: opening it with the one error text,
// finding a path that is kept with A to Z lowered, the encoding its byte-order
// mark names, and reading it in the three ways the program needs: in order for
// the analysis, by byte ranges for the concordance, and whole for a viewer.
// Tests hand in files held in memory.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// The encodings of corpus text.
enum class TTextEncoding { Cp1252, Utf16Le, Utf16Be, Utf8 };

// How a file without a byte-order mark is read: by what its bytes look like,
// or in the encoding that the user names.
enum class TEncodingChoice { Auto, Utf8, Cp1252 };

// How the path of a file to open is spelt.
enum class TPathCase {
    Exact,
    // A to Z lowered, as FileNameCache keeps paths: where the file system tells
    // the cases apart, each part of the path is matched ignoring the case of A to Z.
    LowerAtoZ,
};

// The path of the file that a path with A to Z lowered stands for: each part
// that names nothing is matched ignoring the case of A to Z. A part that
// matches nothing stays as given, so that opening fails with the system's reason.
QString PathOnDisk(const QString& lowered);

class TCorpusFileReader {
public:
    // Opens the file at path for reading. Throws TFileError naming path as
    // given when it is not a regular file (opening never waits for a pipe's
    // writer), cannot be opened or its start cannot be read.
    explicit TCorpusFileReader(const QString& path, TPathCase pathCase = TPathCase::Exact);
    // A file held in memory; name stands for it in error messages.
    TCorpusFileReader(const QByteArray& bytes, QString name);
    // REQUIRES: device is open for reading and can seek. Throws TFileError.
    TCorpusFileReader(std::unique_ptr<QIODevice> device, QString name);
    TCorpusFileReader(TCorpusFileReader&&) noexcept;
    TCorpusFileReader& operator=(TCorpusFileReader&&) noexcept;
    ~TCorpusFileReader();

    // The size in bytes when the file was opened; no read goes beyond it.
    qint64 Size() const { return FileSize; }
    // Whether a read has found the file shorter, or at its end longer, than
    // Size(): the text read is then not the file's whole text.
    bool Changed() const { return SizeChanged; }
    // The encoding that the byte-order mark at the file's start names;
    // Windows-1252 without one.
    TTextEncoding Encoding() const { return Mark; }
    // The number of bytes of the byte-order mark.
    qint64 TextStart() const;
    // The encoding that the text is read in: the mark's; without one UTF-8
    // when choice says so, or when choice is Auto and the text from its first
    // byte beyond ASCII on, as far as the first window reaches at least, is
    // valid UTF-8; otherwise Windows-1252. A text of ASCII alone is the same
    // in both. Reads up to the first byte beyond ASCII and moves the position
    // of Read. Throws TFileError.
    TTextEncoding TextEncoding(TEncodingChoice choice = TEncodingChoice::Auto);

    // Moves the position of Read to byte offset. REQUIRES: 0 <= offset <= Size().
    // Throws TFileError.
    void Seek(qint64 offset);
    // Reads count bytes from the position into into, fewer only where the file
    // ends; returns how many came. Throws TFileError.
    qint64 Read(char* into, qint64 count);

    // The text of the count bytes from byte offset from, cut to the file: UTF-16LE
    // when unicode, where a last odd byte is lost, otherwise Windows-1252. Any
    // offsets are allowed; outside the file there is no text. Reads near each
    // other share one read from the file. Moves the position of Read. Throws
    // TFileError.
    QString ReadRange(qint64 from, qint64 count, bool unicode);
    // The raw bytes of such a range, cut to the file; valid until the next read.
    // Throws TFileError.
    QByteArrayView RangeBytes(qint64 from, qint64 count);

    // The whole text as a viewer shows it: in the encoding of the mark without
    // the mark, or else as TextEncoding() finds it. Moves the position of Read.
    // Throws TFileError.
    QString WholeText();

private:
    QByteArrayView Bytes(qint64 from, qint64 to);
    void FillChunk(qint64 from, qint64 count);

    std::unique_ptr<QIODevice> Device;
    QString Name;
    qint64 FileSize = 0;
    qint64 Position = 0; // where the next Read starts
    bool SizeChanged = false;
    TTextEncoding Mark = TTextEncoding::Cp1252;
    QByteArray Chunk; // the bytes from ChunkStart, kept for the range reads after
    qint64 ChunkStart = 0;
};
