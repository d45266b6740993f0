#pragma once
// Files for tests: written and read back whole, a device that fails as a full disk does, and the
// record-by-record bytes of set-up and exercise files.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <algorithm>

inline bool putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's bytes; "<absent>", which no test expects, when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// An open device that takes no byte at or beyond `limit`: a write across it is cut short, the
// next one fails, as on a full disk. Nothing can be read from it.
class FailingDevice : public QBuffer {
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { open(QIODevice::ReadWrite); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        const qint64 room = std::min(length, m_limit - pos());
        return room <= 0 ? -1 : QBuffer::writeData(data, room);
    }

private:
    qint64 m_limit;
};

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

// An exercise file from the texts of records 1, 2, ..., given in Windows-1252.
inline QByteArray exerciseBytes(const QList<QByteArray>& records) {
    QByteArray bytes;
    for (const QByteArray& text : records)
        bytes += record(text);
    return bytes;
}
