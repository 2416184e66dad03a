// The fields of both headers are little-endian whatever the machine, and the
// pixels are read back in one format, so that any image gives the same file.
#include "BmpFile.h"

#include <QImage>
#include <QtEndian>

#include <cstdint>

namespace {

const int FileHeaderSize = 14;
const int InfoHeaderSize = 40;

void Append16(QByteArray& bytes, std::uint16_t value)
{
    char le[2];
    qToLittleEndian(value, le);
    bytes.append(le, 2);
}

void Append32(QByteArray& bytes, std::uint32_t value)
{
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

} // namespace

QByteArray BmpFileBytes(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(pixels.width());
    const auto height = static_cast<std::uint32_t>(pixels.height());
    const std::uint32_t imageSize = width * height * 4;
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize;

    QByteArray bytes;
    bytes.reserve(offset + imageSize);
    bytes.append("BM", 2);
    Append32(bytes, offset + imageSize);
    Append32(bytes, 0); // two reserved words
    Append32(bytes, offset);

    Append32(bytes, InfoHeaderSize);
    Append32(bytes, width);
    Append32(bytes, height); // positive: the rows run from the bottom up
    Append16(bytes, 1);      // planes
    Append16(bytes, 32);     // bits per pixel
    Append32(bytes, 0);      // BI_RGB, no compression
    Append32(bytes, imageSize);
    Append32(bytes, static_cast<std::uint32_t>(pixels.dotsPerMeterX()));
    Append32(bytes, static_cast<std::uint32_t>(pixels.dotsPerMeterY()));
    Append32(bytes, 0); // colours used: none in a table
    Append32(bytes, 0); // all colours important

    for (int y = pixels.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const char bgra[4] = {static_cast<char>(qBlue(line[x])),
                                  static_cast<char>(qGreen(line[x])),
                                  static_cast<char>(qRed(line[x])), static_cast<char>(0xFF)};
            bytes.append(bgra, 4);
        }
    }
    return bytes;
}
