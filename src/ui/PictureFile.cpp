// Each format is drawn by DrawImage and encoded in memory, so that the caller
// writes the file in one piece and a failure leaves no half-written file.
#include "PictureFile.h"

#include "BmpFile.h"
#include "Error.h"
#include "ResultsPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

using namespace Qt::StringLiterals;

namespace {

const int Width = 1200;
const int Height = 900;

QImage Bitmap(const TResultsPicture& picture, bool hystogram, bool table)
{
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter canvas(&image);
    DrawImage(canvas, Width, Height, hystogram, table, false, picture);
    return image;
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw TError(u"The picture cannot be encoded as a PNG image."_s);
    return bytes;
}

// The drawing's pixels are those of a screen, 96 to the inch, as the
// bitmap's are, so that both show the same layout.
QByteArray SvgBytes(const TResultsPicture& picture, bool hystogram, bool table)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize({Width, Height});
    generator.setViewBox(QRect(0, 0, Width, Height));
    generator.setResolution(96);
    generator.setTitle(picture.Title);
    QPainter canvas;
    if (!canvas.begin(&generator))
        throw TError(u"The picture cannot be drawn as an SVG image."_s);
    canvas.fillRect(0, 0, Width, Height, Qt::white);
    DrawImage(canvas, Width, Height, hystogram, table, false, picture);
    canvas.end();
    return bytes;
}

} // namespace

QByteArray PictureFileBytes(TPictureFormat format, const TResultsPicture& picture, bool hystogram,
                            bool table)
{
    switch (format) {
    case TPictureFormat::Bmp:
        return BmpFileBytes(Bitmap(picture, hystogram, table));
    case TPictureFormat::Png:
        return PngBytes(Bitmap(picture, hystogram, table));
    case TPictureFormat::Svg:
        break;
    }
    return SvgBytes(picture, hystogram, table);
}
