#include "XmlInput.h"

#include "Error.h"

#include <QByteArrayView>
#include <QIODevice>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype BufferBytes = 65536;

struct TEncoding {
    QStringConverter::Encoding Encoding;
    qsizetype MarkBytes;
};

// Markup and blanks, with which XML text begins, are ASCII: as UTF-16 they
// have a zero byte beside them, as UTF-8 they do not.
TEncoding DetectEncoding(QByteArrayView head)
{
    if (head.startsWith("\xEF\xBB\xBF"))
        return {QStringConverter::Utf8, 3};
    if (head.startsWith("\xFF\xFE"))
        return {QStringConverter::Utf16LE, 2};
    if (head.startsWith("\xFE\xFF"))
        return {QStringConverter::Utf16BE, 2};
    if (head.size() >= 2 && head[1] == '\0')
        return {QStringConverter::Utf16LE, 0};
    if (head.size() >= 2 && head[0] == '\0')
        return {QStringConverter::Utf16BE, 0};
    return {QStringConverter::Utf8, 0};
}

// The mark is skipped here, so that a second one reads as the character
// U+FEFF.
QStringDecoder OpenDecoder(QIODevice& device)
{
    const TEncoding encoding = DetectEncoding(device.peek(3));
    device.skip(encoding.MarkBytes);
    return QStringDecoder(encoding.Encoding, QStringConverter::Flag::ConvertInitialBom);
}

} // namespace

TXmlInput::TXmlInput(QIODevice& device, const QString& source)
    : Device(device)
    , Source(source)
    , Decoder(OpenDecoder(device))
    , Bytes(BufferBytes, Qt::Uninitialized)
{}

// The decoder keeps a character cut by the end of a read for the next one.
bool TXmlInput::Refill()
{
    for (;;) {
        const qint64 read = Device.read(Bytes.data(), BufferBytes);
        if (read < 0)
            throw TFileError::CannotRead(Source, Device.errorString());
        if (read == 0)
            return false;
        const qsizetype room = Decoder.requiredSpace(read);
        if (Chars.size() < room)
            Chars.resize(room);
        QChar* begin = Chars.data();
        const QChar* end = Decoder.appendToBuffer(begin, QByteArrayView(Bytes.constData(), read));
        Cur = reinterpret_cast<const char16_t*>(begin);
        End = reinterpret_cast<const char16_t*>(end);
        if (Cur != End)
            return true;
    }
}
