// Windows bitmap files of 32 bits per pixel, which Qt's own writer does not
// make (it writes 24).
#pragma once

#include <QByteArray>

class QImage;

// The bytes of a Windows bitmap file of image: the file header, a
// BITMAPINFOHEADER for 32 bits per pixel without compression, and the rows
// from the bottom up, each pixel as blue, green, red and an opaque alpha.
// REQUIRES: image is not null and its pixels take less than 2 GiB.
QByteArray BmpFileBytes(const QImage& image);
