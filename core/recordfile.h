#pragma once
// Files made of fixed 128-byte records, each holding one short Windows-1252 text.
// Shared by set-up files, exercise files and the flag file.

#include "core/textcodec.h"

#include <QString>

#include <optional>

class QIODevice;

namespace alambix {

constexpr int RecordSize = 128;
constexpr int RecordTextMax = RecordSize - 2;

// Reads record `number` (from 1). A record lying wholly beyond the end of the device reads as
// the empty text, and so does one whose length field is cut by the end; a text cut short by the
// end of the device reads what is there (the padding may be missing, so may the text's tail).
// Fails (nullopt) on a length field above 126, a record number below 1 or a device error.
std::optional<QString> readRecord(QIODevice& device, int number);

// Writes record `number` (from 1): length, text, and zero padding up to the full 128 bytes.
// Bytes in front of the record that did not exist before become zeros. Fails on a text longer
// than 126 bytes, an unencodable character or a device error; nothing is written then unless
// the device itself failed half-way.
bool writeRecord(QIODevice& device, int number, const QString& text);

} // namespace alambix
