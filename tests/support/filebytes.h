#pragma once
// Builds set-up file bytes for tests, record by record.

#include <QByteArray>

#include <initializer_list>

// A record: 16-bit little-endian length and the bytes as given, padded to 128 bytes unless
// `pad` is false.
inline QByteArray record(int length, const QByteArray& text, bool pad = true) {
    QByteArray bytes;
    bytes.append(static_cast<char>(length & 0xFF));
    bytes.append(static_cast<char>((length >> 8) & 0xFF));
    bytes.append(text);
    if (pad && bytes.size() < 128) bytes.append(QByteArray(128 - bytes.size(), '\0'));
    return bytes;
}

inline QByteArray record(const QByteArray& text, bool pad = true) {
    return record(static_cast<int>(text.size()), text, pad);
}

inline QByteArray signatureRecord() {
    return record(QByteArrayLiteral("ALAMBIXSCHEMA"));
}

inline QByteArray setupBytes(const QByteArray& flags, bool pad = true) {
    return signatureRecord() + record(flags, pad);
}
