#pragma once
// Reads a rich-text (RTF) document into a QTextDocument.

#include <QtGlobal>

class QIODevice;
class QTextDocument;

namespace alambix {

enum class RtfReadError {
    None,
    NotRtf,     // the bytes do not start with "{\rtf"
    ReadFailed, // the device could not be read
    TooLarge,   // more bytes than a document may have
};

// The largest document read, in bytes.
constexpr qint64 maxRtfBytes = qint64(512) << 20;

// Replaces `document`'s content by the RTF document read from `device` (open for reading).
// On an error the document is left as it was. A damaged document loads what can be read.
RtfReadError readRtf(QIODevice& device, QTextDocument& document);

} // namespace alambix
