#pragma once
// One line of the command line's output, UTF-8, on stdout or stderr.

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace alambix::cli {

inline void printLine(const QString& text, FILE* stream) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

} // namespace alambix::cli
