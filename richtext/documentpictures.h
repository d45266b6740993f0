#pragma once
// Pictures in a document keep the bytes they came in. Beside its image a PNG or JPEG picture
// keeps its file's bytes, so that writing the document gives them back as they were (no second
// encoding, nothing lost, a JPEG stays a JPEG) and fast.

#include <QByteArray>
#include <QString>

class QImage;
class QTextDocument;
class QUrl;

namespace alambix {

// A name no other picture has, in this document or in any other the program holds: a picture
// copied from one document to another never meets a different picture of the same name.
QString newPictureName(const QString& scheme);

// Adds `image` to `document` under `name`, with `encoded`, the bytes of a PNG or JPEG file it
// was read from (other bytes are not kept).
void addPicture(QTextDocument& document, const QUrl& name, const QImage& image,
                const QByteArray& encoded = {});

// The PNG or JPEG bytes the picture named `name` came in; empty when it has none.
QByteArray pictureBytes(const QTextDocument& document, const QUrl& name);

enum class PictureFormat { Other, Png, Jpeg };
// What a picture's bytes are, from their signature.
PictureFormat pictureFormatOf(const QByteArray& bytes);

} // namespace alambix
