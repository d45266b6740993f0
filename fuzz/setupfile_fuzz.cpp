// Feeds arbitrary bytes to the record reader and the set-up file loader.
#include "core/recordfile.h"
#include "core/setupfile.h"
#include "core/setupmodel.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    for (int number = 1; number <= 4; ++number) {
        const auto text = alambix::readRecord(buffer, number);
        if (!text) continue;
        if (text->size() > alambix::RecordTextMax) std::abort();
        // Every text read must write back to the same bytes.
        const auto encoded = alambix::toWindows1252(*text);
        if (!encoded || alambix::fromWindows1252(*encoded) != *text) std::abort();
    }

    const alambix::SetupReadResult result = alambix::readSetup(buffer);
    if (result.status == alambix::SetupReadStatus::Ok) {
        alambix::SetupModel model;
        alambix::applySetup(model, alambix::valuesFromFlags(result.flags));
        // A loaded set-up saved again must read back unchanged.
        QByteArray saved;
        QBuffer out(&saved);
        out.open(QIODevice::WriteOnly);
        if (!alambix::writeSetup(out, model.values()) || saved.size() != 256) std::abort();
        out.close();
        out.open(QIODevice::ReadOnly);
        const auto again = alambix::readSetup(out);
        if (again.status != alambix::SetupReadStatus::Ok ||
            alambix::valuesFromFlags(again.flags) != model.values())
            std::abort();
    }
    return 0;
}
