// The saved picture of a distribution: 1200 by 900 pixels, as a Windows
// bitmap, a PNG image or an SVG drawing whose chart and texts stay vectors.
#pragma once

#include <QByteArray>

struct TResultsPicture;

enum class TPictureFormat { Bmp, Png, Svg };

// The bytes of the file. Throws TError when the picture cannot be encoded.
QByteArray PictureFileBytes(TPictureFormat format, const TResultsPicture& picture, bool hystogram,
                            bool table);
