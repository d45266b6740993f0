#include "files/recordfile.h"

#include <QIODevice>

#include <array>

namespace alambix {

namespace {
// Code points of bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the
// C1 control of the same value, as the platform that made these files does, so every byte
// reads back to itself.
constexpr std::array<char16_t, 32> high1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Reads up to `count` bytes; nullopt on a device error (as opposed to the end of the data).
std::optional<QByteArray> readBytes(QIODevice& device, qint64 count) {
    QByteArray bytes(count, '\0');
    qint64 done = 0;
    while (done < count) {
        const qint64 got = device.read(bytes.data() + done, count - done);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}
} // namespace

std::optional<QByteArray> toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        bool found = false;
        for (std::size_t k = 0; k < high1252.size(); ++k) {
            if (high1252[k] == u) {
                bytes.append(static_cast<char>(0x80 + k));
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(high1252[b - 0x80]) : QChar(b));
    }
    return text;
}

std::optional<QString> readRecord(QIODevice& device, int number) {
    if (number < 1 || !device.isReadable()) return std::nullopt;
    const qint64 start = qint64(number - 1) * RecordSize;
    if (start >= device.size()) return QString();
    if (!device.seek(start)) return std::nullopt;
    const auto head = readBytes(device, 2);
    if (!head) return std::nullopt;
    if (head->size() < 2) return QString();
    const int length =
        static_cast<unsigned char>(head->at(0)) | static_cast<unsigned char>(head->at(1)) << 8;
    if (length > RecordTextMax) return std::nullopt;
    const auto body = readBytes(device, length);
    if (!body) return std::nullopt;
    return fromWindows1252(*body);
}

bool writeRecord(QIODevice& device, int number, const QString& text) {
    if (number < 1 || !device.isWritable()) return false;
    const auto bytes = toWindows1252(text);
    if (!bytes || bytes->size() > RecordTextMax) return false;
    QByteArray record(RecordSize, '\0');
    record[0] = static_cast<char>(bytes->size() & 0xFF);
    record[1] = static_cast<char>((bytes->size() >> 8) & 0xFF);
    record.replace(2, bytes->size(), *bytes);
    const qint64 start = qint64(number - 1) * RecordSize;
    const qint64 size = device.size();
    if (size < start) {
        if (!device.seek(size) || device.write(QByteArray(start - size, '\0')) != start - size)
            return false;
    }
    return device.seek(start) && device.write(record) == record.size();
}

} // namespace alambix
