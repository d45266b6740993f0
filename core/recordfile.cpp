#include "core/recordfile.h"

#include "core/textcodec.h"

#include <QIODevice>

namespace alambix {

namespace {
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
