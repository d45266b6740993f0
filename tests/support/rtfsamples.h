#pragma once
// Rich-text tests: the text of an RTF file, and picture data (bitmaps and the metafiles word
// processors wrap them in).

#include "richtext/rtfreader.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QTextDocument>

#include <initializer_list>

// The plain text the reader gets from the file; "<pas du RTF>" when it gets none.
inline QString rtfFileText(const QString& path) {
    QFile file(path);
    QTextDocument document;
    if (!file.open(QIODevice::ReadOnly) ||
        alambix::readRtf(file, document) != alambix::RtfReadError::None)
        return QStringLiteral("<pas du RTF>");
    return document.toPlainText();
}

namespace rtfsamples {

inline void le16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
inline void le32(QByteArray& b, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

inline QImage square(QColor colour, int side = 8) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 24-bit device-independent bitmap without its file header.
inline QByteArray dib(QColor colour, int side = 4) {
    QByteArray bmp = encoded(square(colour, side), "BMP");
    return bmp.mid(14);
}

// A Windows metafile whose only drawing is a META_STRETCHDIB of `bitmap`.
inline QByteArray wmfWithDib(const QByteArray& bitmap) {
    QByteArray records;
    const int words = (6 + 4 + 2 + 16 + int(bitmap.size()) + 1) / 2;
    le32(records, quint32(words));
    le16(records, 0x0F43);
    le32(records, 0x00CC0020); // SRCCOPY
    le16(records, 0);
    for (int v : {4, 4, 0, 0, 40, 40, 0, 0})
        le16(records, v);
    records += bitmap;
    if (records.size() % 2) records.append('\0');
    le32(records, 3);
    le16(records, 0);
    QByteArray header;
    le16(header, 1);
    le16(header, 9);
    le16(header, 0x0300);
    le32(header, quint32((18 + records.size()) / 2));
    le16(header, 0);
    le32(header, quint32(words));
    le16(header, 0);
    return header + records;
}

// A vector Windows metafile: a red filled rectangle in a 100 x 100 window.
inline QByteArray vectorWmf() {
    QByteArray records;
    auto record = [&](int function, std::initializer_list<int> params) {
        le32(records, quint32(3 + params.size()));
        le16(records, function);
        for (int p : params)
            le16(records, p);
    };
    record(0x020B, {0, 0});          // SETWINDOWORG
    record(0x020C, {100, 100});      // SETWINDOWEXT
    record(0x02FC, {0, 0xFF, 0, 0}); // CREATEBRUSHINDIRECT: solid red
    record(0x012D, {0});             // SELECTOBJECT
    record(0x041B, {95, 95, 5, 5});  // RECTANGLE
    record(0x0000, {});
    QByteArray placeable;
    le32(placeable, 0x9AC6CDD7u);
    for (int v : {0, 0, 0, 100, 100, 96})
        le16(placeable, v);
    le32(placeable, 0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= quint16(uchar(placeable[i]) | uchar(placeable[i + 1]) << 8);
    le16(placeable, sum);
    QByteArray header;
    le16(header, 1);
    le16(header, 9);
    le16(header, 0x0300);
    le32(header, quint32((18 + records.size()) / 2));
    le16(header, 1);
    le32(header, 7);
    le16(header, 0);
    return placeable + header + records;
}

// A vector enhanced metafile: a red filled rectangle, 100 x 100 device units.
inline QByteArray vectorEmf() {
    QByteArray body;
    auto record = [&](quint32 type, std::initializer_list<quint32> params) {
        le32(body, type);
        le32(body, quint32(8 + 4 * params.size()));
        for (quint32 p : params)
            le32(body, p);
    };
    record(39, {1, 0, 0x000000FF, 0}); // CREATEBRUSHINDIRECT: solid red
    record(37, {1});                   // SELECTOBJECT
    record(43, {5, 5, 95, 95});        // RECTANGLE
    record(14, {0, 16, 20});           // EOF
    QByteArray header;
    le32(header, 1);
    le32(header, 88);
    for (quint32 v : {0u, 0u, 99u, 99u, 0u, 0u, 2645u, 2645u})
        le32(header, v);
    le32(header, 0x464D4520u);
    le32(header, 0x10000);
    le32(header, quint32(88 + body.size()));
    le32(header, 5);
    le16(header, 2);
    le16(header, 0);
    for (quint32 v : {0u, 0u, 0u, 1024u, 768u, 320u, 240u})
        le32(header, v);
    return header + body;
}

// An RTF picture group: `{\pict<words> hex}`.
inline QByteArray pict(const QByteArray& words, const QByteArray& data) {
    return "{\\pict" + words + " " + data.toHex() + "}";
}

} // namespace rtfsamples
