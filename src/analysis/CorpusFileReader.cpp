#include "CorpusFileReader.h"

#include "Cp1252.h"
#include "Error.h"
#include "FileNames.h"
#include "SafeFile.h"
#include "Utf8Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// The longest byte-order mark, in bytes.
constexpr qint64 LongestMark = 3;

// The hits of a bin come in the order of the file, so a range read fetches at
// least this much, which serves the hits after it too.
constexpr qint64 ChunkSize = 64 * 1024;

// The bytes of text that decide whether a file is UTF-8, from its first byte
// beyond ASCII on: a first window of 102400 characters holds no more.
constexpr qint64 Utf8Evidence = 4 * 102400;

qint64 MarkLength(TTextEncoding mark)
{
    switch (mark) {
    case TTextEncoding::Utf16Le:
    case TTextEncoding::Utf16Be:
        return 2;
    case TTextEncoding::Utf8:
        return 3;
    case TTextEncoding::Cp1252:
        break;
    }
    return 0;
}

TTextEncoding EncodingOfMark(QByteArrayView start)
{
    if (start.startsWith("\xFF\xFE"))
        return TTextEncoding::Utf16Le;
    if (start.startsWith("\xFE\xFF"))
        return TTextEncoding::Utf16Be;
    if (start.startsWith("\xEF\xBB\xBF"))
        return TTextEncoding::Utf8;
    return TTextEncoding::Cp1252;
}

// Unbuffered: the analysis reads half a window at a time straight into its
// buffer, and the range reads keep their own chunk.
std::unique_ptr<QIODevice> OpenFile(const QString& path, TPathCase pathCase)
{
    const QString onDisk = pathCase == TPathCase::LowerAtoZ ? PathOnDisk(path) : path;
    return OpenRegularFile(onDisk, {.Unbuffered = true, .ShownName = path});
}

std::unique_ptr<QIODevice> OpenBuffer(const QByteArray& bytes)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

QString DecodeRange(QByteArrayView bytes, bool unicode)
{
    // An empty range has no data at all, which the copy below must not be given.
    if (bytes.isEmpty())
        return {};
    if (unicode) {
        QString text(bytes.size() / 2, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());
        return text;
    }
    QString text(bytes.size(), Qt::Uninitialized);
    ConvertCp1252(reinterpret_cast<const unsigned char*>(bytes.data()),
                  reinterpret_cast<char16_t*>(text.data()), text.size());
    return text;
}

} // namespace

// Lowered names are those of the systems that corpora come from, where names
// compare without the case of A to Z.
QString PathOnDisk(const QString& lowered)
{
    if (lowered.isEmpty() || QFileInfo::exists(lowered))
        return lowered;
    const QStringList parts = lowered.split(u'/');
    QString path = parts.front(); // empty before the "/" of the root
    for (qsizetype i = 1; i < parts.size(); ++i) {
        QString next = path + u'/' + parts[i];
        if (!parts[i].isEmpty() && !QFileInfo::exists(next)) {
            const QDir folder(path.isEmpty() ? u"/"_s : path);
            const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden |
                                                         QDir::System | QDir::NoDotAndDotDot);
            const auto found = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
                return LowerAsciiLetters(e) == parts[i];
            });
            if (found != entries.end())
                next = folder.filePath(*found);
        }
        path = next;
    }
    return path;
}

TCorpusFileReader::TCorpusFileReader(const QString& path, TPathCase pathCase)
    : TCorpusFileReader(OpenFile(path, pathCase), path)
{}

TCorpusFileReader::TCorpusFileReader(const QByteArray& bytes, QString name)
    : TCorpusFileReader(OpenBuffer(bytes), std::move(name))
{}

TCorpusFileReader::TCorpusFileReader(std::unique_ptr<QIODevice> device, QString name)
    : Device(std::move(device))
    , Name(std::move(name))
    , FileSize(Device->size())
{
    std::array<char, LongestMark> start{};
    Mark = EncodingOfMark(QByteArrayView(start.data(), Read(start.data(), LongestMark)));
    Seek(0);
}

TCorpusFileReader::TCorpusFileReader(TCorpusFileReader&&) noexcept = default;
TCorpusFileReader& TCorpusFileReader::operator=(TCorpusFileReader&&) noexcept = default;
TCorpusFileReader::~TCorpusFileReader() = default;

void TCorpusFileReader::Seek(qint64 offset)
{
    if (!Device->seek(offset))
        throw TFileError::CannotRead(Name, Device->errorString());
    Position = offset;
}

// The end comes before the size known at the start only when the file has
// shrunk; on reaching that size one look at the present size tells whether
// it has grown.
qint64 TCorpusFileReader::Read(char* into, qint64 count)
{
    count = std::min(count, FileSize - Position);
    qint64 total = 0;
    while (total < count) {
        const qint64 got = Device->read(into + total, count - total);
        if (got < 0)
            throw TFileError::CannotRead(Name, Device->errorString());
        if (got == 0) {
            SizeChanged = true;
            break;
        }
        total += got;
    }
    Position += total;
    if (Position == FileSize && !SizeChanged && Device->size() != FileSize)
        SizeChanged = true;
    return total;
}

qint64 TCorpusFileReader::TextStart() const
{
    return MarkLength(Mark);
}

TTextEncoding TCorpusFileReader::TextEncoding(TEncodingChoice choice)
{
    if (Mark != TTextEncoding::Cp1252 || choice == TEncodingChoice::Cp1252)
        return Mark;
    if (choice == TEncodingChoice::Utf8)
        return TTextEncoding::Utf8;
    Seek(0);
    QByteArray block(ChunkSize, Qt::Uninitialized);
    qint64 offset = 0;
    for (;;) {
        const qint64 got = Read(block.data(), block.size());
        const auto at = static_cast<qint64>(
            AsciiLength(reinterpret_cast<const unsigned char*>(block.constData()),
                        static_cast<std::size_t>(got)));
        if (at < got) {
            offset += at;
            break;
        }
        if (got < block.size())
            return TTextEncoding::Cp1252;
        offset += got;
    }
    Seek(offset);
    QByteArray evidence(std::min(Utf8Evidence, FileSize - offset), Qt::Uninitialized);
    evidence.truncate(Read(evidence.data(), evidence.size()));
    const bool cut = offset + evidence.size() < FileSize;
    return IsValidUtf8(evidence, cut) ? TTextEncoding::Utf8 : TTextEncoding::Cp1252;
}

QString TCorpusFileReader::ReadRange(qint64 from, qint64 count, bool unicode)
{
    return DecodeRange(RangeBytes(from, count), unicode);
}

QByteArrayView TCorpusFileReader::RangeBytes(qint64 from, qint64 count)
{
    if (count <= 0 || from >= FileSize)
        return {};
    // Written so that no offset, however far out, overflows.
    const qint64 first = std::max<qint64>(from, 0);
    const qint64 last =
        from < 0 ? std::min(from + count, FileSize) : from + std::min(count, FileSize - from);
    if (last <= first)
        return {};
    return Bytes(first, last);
}

QString TCorpusFileReader::WholeText()
{
    Seek(0);
    QByteArray bytes(FileSize, Qt::Uninitialized);
    bytes.truncate(Read(bytes.data(), bytes.size()));
    const QByteArrayView text = QByteArrayView(bytes).sliced(std::min(TextStart(), bytes.size()));
    switch (TextEncoding()) {
    case TTextEncoding::Utf16Le:
        return QStringDecoder(QStringDecoder::Utf16LE).decode(text);
    case TTextEncoding::Utf16Be:
        return QStringDecoder(QStringDecoder::Utf16BE).decode(text);
    case TTextEncoding::Utf8:
        return DecodeUtf8(text);
    case TTextEncoding::Cp1252:
        break;
    }
    return Cp1252ToString(bytes);
}

// The bytes from from up to to, fewer when the file has shrunk since it was
// opened; valid until the next read.
QByteArrayView TCorpusFileReader::Bytes(qint64 from, qint64 to)
{
    if (from < ChunkStart || to > ChunkStart + Chunk.size())
        FillChunk(from, std::max(to - from, ChunkSize));
    const qint64 at = from - ChunkStart;
    return QByteArrayView(Chunk).sliced(at, std::min<qint64>(to - from, Chunk.size() - at));
}

void TCorpusFileReader::FillChunk(qint64 from, qint64 count)
{
    Seek(from);
    Chunk.resize(std::min(count, FileSize - from));
    Chunk.truncate(Read(Chunk.data(), Chunk.size()));
    ChunkStart = from;
}
