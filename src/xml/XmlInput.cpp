#include "XmlInput.h"

#include "Error.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype BufferBytes = 65536;

} // namespace

TXmlInput::TXmlInput(QIODevice& device, const QString& source)
    : Device(device)
    , Source(source)
    , Bytes(BufferBytes + 1, Qt::Uninitialized)
{}

// A read may end on an odd byte even before the end of the input; that byte
// is kept and becomes the low half of the next code unit.
bool TXmlInput::Refill()
{
    for (;;) {
        const qint64 read = Device.read(Bytes.data() + Pending, BufferBytes);
        if (read < 0)
            throw TFileError::CannotRead(Source, Device.errorString());
        if (read == 0)
            return false;
        const qsizetype total = Pending + read;
        const auto* bytes = reinterpret_cast<const unsigned char*>(Bytes.constData());
        Chars.resize(static_cast<size_t>(total / 2));
        for (size_t k = 0; k < Chars.size(); ++k)
            Chars[k] = static_cast<char16_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
        Pending = total % 2;
        if (Pending)
            Bytes[0] = Bytes[total - 1];
        Pos = 0;
        if (!Chars.empty())
            return true;
    }
}
