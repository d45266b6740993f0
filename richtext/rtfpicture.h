#pragma once
// Decodes the picture data of a rich-text document into an image.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace alambix::rtf {

enum class PictureKind { Unknown, Png, Jpeg, Dib, Emf, Wmf };

// The largest picture decoded, in pixels on either side, and the decoder's memory budget.
constexpr int maxPictureSide = 8192;
constexpr int pictureAllocationLimitMb = 128;

// The picture as an image; a null image when the data cannot be decoded. `vectorSize` (pixels)
// is the size a vector metafile is drawn at (its own size when empty).
QImage decodePicture(PictureKind kind, const QByteArray& data, QSize vectorSize = {});

// A device-independent bitmap (a BITMAPINFO then its bits, no file header) as an image.
QImage decodeDib(const QByteArray& dib);

} // namespace alambix::rtf
