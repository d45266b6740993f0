// The name typed in the save dialog and the folder the lists show: the composed path ends in
// ".C03", stays under the listed folder unless the typed name is an absolute path, keeps what was
// typed in front of the removed suffixes, and is empty only when no file name was typed. Composing
// it again changes nothing.
#include "core/blanks.h"
#include "core/setupfile.h"

#include <cstdint>
#include <cstdlib>

using alambix::composeSetupPath;
using alambix::trimBlanks;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The typed text, a zero byte, then the listed folder (always absolute, as the lists give).
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype zero = bytes.indexOf('\0');
    const QString typed = QString::fromUtf8(zero < 0 ? bytes : bytes.left(zero));
    const QString folder =
        QStringLiteral("/") + (zero < 0 ? QString() : QString::fromUtf8(bytes.mid(zero + 1)));

    const QString path = composeSetupPath(typed, folder);
    const QString text = trimBlanks(typed);
    const QString lastPart = text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = trimBlanks(lastPart.left(lastPart.indexOf(QLatin1Char('.'))));
    if (path.isEmpty()) {
        // Only a text whose last part has nothing in front of its first dot gives no path.
        if (!name.isEmpty()) std::abort();
        return 0;
    }
    if (!path.endsWith(QLatin1String(alambix::SetupSuffix))) std::abort();
    const QString stem = path.chopped(4);
    QString rest = stem;
    if (!text.startsWith(QLatin1Char('/'))) {
        const QString under =
            folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        if (!stem.startsWith(under)) std::abort();
        rest = stem.mid(under.size());
    }
    // What was typed, cut at a dot of the file name, and a file name left without a dot.
    if (!text.startsWith(rest)) std::abort();
    const QString fileName = stem.mid(stem.lastIndexOf(QLatin1Char('/')) + 1);
    if (trimBlanks(fileName).isEmpty() || fileName.contains(QLatin1Char('.'))) std::abort();
    if (composeSetupPath(path, QStringLiteral("/ailleurs")) != path) std::abort();
    return 0;
}
