#include "richtext/rtfpicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <dlfcn.h>

#ifdef ALAMBIX_HAVE_EMF2SVG
#include <emf2svg.h>
#endif
#ifdef ALAMBIX_HAVE_LIBWMF
#include <libwmf/api.h>
#include <libwmf/svg.h>
#endif

namespace alambix::rtf {

namespace {
quint32 le32(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 4 > data.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 le16(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 2 > data.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at);
    return quint16(p[0] | p[1] << 8);
}
void putLe32(QByteArray& out, quint32 value) {
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

QImage readImage(const QByteArray& data, const char* format) {
    QImageReader::setAllocationLimit(pictureAllocationLimitMb);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (!reader.canRead()) return {};
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > maxPictureSide || size.height() > maxPictureSide))
        return {};
    return reader.read();
}

// The metafile converters are opened on the first picture that needs them and stay open. A
// converter that is not installed draws nothing, as if the picture had none.
[[maybe_unused]] void* openLibrary(const char* soname) {
    return dlopen(soname, RTLD_NOW | RTLD_LOCAL);
}

template <typename Function> [[maybe_unused]] Function symbol(void* library, const char* name) {
    // POSIX guarantees that a symbol's address converts to a function pointer.
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<std::uintptr_t>(dlsym(library, name)))
               : nullptr;
}

#ifdef ALAMBIX_HAVE_EMF2SVG
decltype(&::emf2svg) emf2svgFunction() {
    static const auto convert =
        symbol<decltype(&::emf2svg)>(openLibrary(ALAMBIX_EMF2SVG_SONAME), "emf2svg");
    return convert;
}
#endif

#ifdef ALAMBIX_HAVE_LIBWMF
struct Libwmf {
    decltype(&::wmf_api_create) apiCreate = nullptr;
    decltype(&::wmf_api_destroy) apiDestroy = nullptr;
    decltype(&::wmf_mem_open) memOpen = nullptr;
    decltype(&::wmf_scan) scan = nullptr;
    decltype(&::wmf_display_size) displaySize = nullptr;
    decltype(&::wmf_play) play = nullptr;
    decltype(&::wmf_stream_create) streamCreate = nullptr;
    decltype(&::wmf_stream_destroy) streamDestroy = nullptr;
    decltype(&::wmf_svg_function) svgFunction = nullptr;

    bool complete() const {
        return apiCreate && apiDestroy && memOpen && scan && displaySize && play && streamCreate &&
               streamDestroy && svgFunction;
    }
};

const Libwmf& libwmf() {
    static const Libwmf functions = [] {
        void* library = openLibrary(ALAMBIX_LIBWMF_SONAME);
        Libwmf f;
        f.apiCreate = symbol<decltype(f.apiCreate)>(library, "wmf_api_create");
        f.apiDestroy = symbol<decltype(f.apiDestroy)>(library, "wmf_api_destroy");
        f.memOpen = symbol<decltype(f.memOpen)>(library, "wmf_mem_open");
        f.scan = symbol<decltype(f.scan)>(library, "wmf_scan");
        f.displaySize = symbol<decltype(f.displaySize)>(library, "wmf_display_size");
        f.play = symbol<decltype(f.play)>(library, "wmf_play");
        f.streamCreate = symbol<decltype(f.streamCreate)>(library, "wmf_stream_create");
        f.streamDestroy = symbol<decltype(f.streamDestroy)>(library, "wmf_stream_destroy");
        f.svgFunction = symbol<decltype(f.svgFunction)>(library, "wmf_svg_function");
        return f;
    }();
    return functions;
}
#endif

// Draws SVG text at `size` (or its own size), within the side limit.
[[maybe_unused]] QImage renderSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    if (size.isEmpty()) size = renderer.defaultSize();
    if (size.isEmpty()) return {};
    size = size.boundedTo(QSize(maxPictureSide, maxPictureSide) / 4);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The DIB of a metafile record, from its BITMAPINFO and its bits found at two offsets.
QImage dibAt(const QByteArray& data, qsizetype record, quint32 recordSize, qsizetype fieldsAt) {
    const quint32 offBmi = le32(data, record + fieldsAt), cbBmi = le32(data, record + fieldsAt + 4);
    const quint32 offBits = le32(data, record + fieldsAt + 8);
    const quint32 cbBits = le32(data, record + fieldsAt + 12);
    if (cbBmi < 12 || offBmi >= recordSize || cbBmi > recordSize - offBmi ||
        offBits >= recordSize || cbBits > recordSize - offBits)
        return {};
    QByteArray dib = data.mid(record + offBmi, cbBmi);
    dib += data.mid(record + offBits, cbBits);
    return decodeDib(dib);
}

// An enhanced metafile holding a bitmap: the largest bitmap it draws.
QImage emfBitmap(const QByteArray& data) {
    QImage best;
    qsizetype at = 0;
    while (at + 8 <= data.size()) {
        const quint32 type = le32(data, at), size = le32(data, at + 4);
        if (size < 8 || size > quint64(data.size() - at)) break;
        QImage image;
        if (type == 81 || type == 80)
            image = dibAt(data, at, size, 48); // STRETCHDIBITS, SETDIBITS
        else if (type == 76 || type == 77)
            image = dibAt(data, at, size, 84); // BITBLT, STRETCHBLT
        if (type == 14) break;                 // EOF
        if (image.width() * qint64(image.height()) > best.width() * qint64(best.height()))
            best = image;
        at += size;
    }
    return best;
}

// A Windows metafile holding a bitmap (what WordPad writes for a pasted picture).
QImage wmfBitmap(const QByteArray& data) {
    qsizetype at = le32(data, 0) == 0x9AC6CDD7u ? 22 : 0; // placeable header
    at += qsizetype(le16(data, at + 2)) * 2;              // header size in words
    QImage best;
    while (at + 6 <= data.size()) {
        const quint64 size = quint64(le32(data, at)) * 2;
        const quint16 function = le16(data, at + 4);
        if (size < 6 || size > quint64(data.size() - at) || function == 0) break;
        qsizetype dibAt = 0;
        if (function == 0x0F43)
            dibAt = 28; // META_STRETCHDIB
        else if (function == 0x0B41)
            dibAt = 26; // META_DIBSTRETCHBLT
        else if (function == 0x0940)
            dibAt = 22; // META_DIBBITBLT
        else if (function == 0x0D33)
            dibAt = 24; // META_SETDIBTODEV
        if (dibAt && qsizetype(size) > dibAt + 12) {
            const QImage image = decodeDib(data.mid(at + dibAt, qsizetype(size) - dibAt));
            if (image.width() * qint64(image.height()) > best.width() * qint64(best.height()))
                best = image;
        }
        at += qsizetype(size);
    }
    return best;
}

QImage emfVector(const QByteArray& data, QSize size) {
#ifdef ALAMBIX_HAVE_EMF2SVG
    // Only what starts as an enhanced metafile goes to the converter.
    if (le32(data, 0) != 1 || le32(data, 40) != 0x464D4520u) return {};
    const auto convert = emf2svgFunction();
    if (!convert) return {};
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();
    char* out = nullptr;
    size_t outLength = 0;
    QByteArray copy = data;
    const int ok = convert(copy.data(), size_t(copy.size()), &out, &outLength, &options);
    QImage image;
    if (ok && out) image = renderSvg(QByteArray(out, qsizetype(outLength)), size);
    std::free(out);
    return image;
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
    return {};
#endif
}

QImage wmfVector(const QByteArray& data, QSize size) {
#ifdef ALAMBIX_HAVE_LIBWMF
    const Libwmf& wmf = libwmf();
    if (!wmf.complete()) return {};
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf.svgFunction;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf.apiCreate(&api, flags, &options) != wmf_E_None) {
        if (api) wmf.apiDestroy(api);
        return {};
    }
    QByteArray copy = data;
    QByteArray svg;
    wmfD_Rect box{};
    if (wmf.memOpen(api, reinterpret_cast<unsigned char*>(copy.data()), long(copy.size())) ==
            wmf_E_None &&
        wmf.scan(api, 0, &box) == wmf_E_None) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        unsigned int width = 0, height = 0;
        wmf.displaySize(api, &width, &height, 96, 96);
        if (width > 0 && height > 0 && width <= unsigned(maxPictureSide) &&
            height <= unsigned(maxPictureSide)) {
            device->out = wmf.streamCreate(api, nullptr);
            device->bbox = box;
            device->width = width;
            device->height = height;
            device->Description = const_cast<char*>("picture");
            const bool played = wmf.play(api, 0, &box) == wmf_E_None;
            char* text = nullptr;
            unsigned long length = 0;
            wmf.streamDestroy(api, device->out, &text, &length);
            if (played && text) svg = QByteArray(text, qsizetype(length));
            if (size.isEmpty()) size = QSize(int(width), int(height));
        }
    }
    wmf.apiDestroy(api);
    return svg.isEmpty() ? QImage() : renderSvg(svg, size);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
    return {};
#endif
}

// The rows of a run-length encoded bitmap (8 or 4 bits a pixel), `stride` bytes each, the
// bottom one first; a pixel no run reaches is colour 0.
QByteArray expandRle(QByteArrayView rle, int width, int height, int bits, qint64 stride) {
    QByteArray rows(stride * height, '\0');
    int x = 0, y = 0;
    const auto put = [&](int index) {
        if (x < width && y < height) {
            char& byte = rows[y * stride + (bits == 8 ? x : x / 2)];
            if (bits == 8)
                byte = char(index);
            else
                byte = char(x % 2 ? (byte & 0xF0) | (index & 0x0F) : (index & 0x0F) << 4);
        }
        ++x;
    };
    const auto at = [&](qsizetype i) { return int(static_cast<unsigned char>(rle[i])); };
    qsizetype i = 0;
    while (i + 1 < rle.size() && y < height) {
        const int count = at(i), value = at(i + 1);
        i += 2;
        if (count > 0) { // `count` pixels of one index, or of two alternating ones
            for (int n = 0; n < count && x < width; ++n)
                put(bits == 8 ? value : (n % 2 ? value & 0x0F : value >> 4));
        } else if (value == 0) { // end of a row
            x = 0;
            ++y;
        } else if (value == 1) { // end of the bitmap
            break;
        } else if (value == 2) { // a jump right and up
            if (i + 1 >= rle.size()) break;
            x += at(i);
            y += at(i + 1);
            i += 2;
        } else { // `value` pixels given one by one, padded to a 16-bit boundary
            const qsizetype bytes = bits == 8 ? value : (value + 1) / 2;
            if (i + bytes > rle.size()) break;
            for (int n = 0; n < value; ++n)
                put(bits == 8 ? at(i + n) : (n % 2 ? at(i + n / 2) & 0x0F : at(i + n / 2) >> 4));
            i += (bytes + 1) & ~qsizetype(1);
        }
    }
    return rows;
}

// A BITMAPINFO (header, palette) then its bits, which start `bitsFrom` bytes in (right after the
// palette when not given).
QImage bitmap(const QByteArray& dib, std::optional<qint64> bitsFrom) {
    const quint32 headerSize = le32(dib, 0);
    if (headerSize < 12 || headerSize > quint32(dib.size())) return {};
    quint32 paletteBytes = 0;
    qint64 width = 0, height = 0;
    quint16 bits = 0;
    quint32 compression = 0;
    if (headerSize == 12) { // BITMAPCOREHEADER: three-byte palette entries
        width = le16(dib, 4);
        height = le16(dib, 6);
        bits = le16(dib, 10);
        if (bits <= 8) paletteBytes = 3u << bits;
    } else {
        width = qint32(le32(dib, 4));
        height = qint32(le32(dib, 8));
        bits = le16(dib, 14);
        compression = le32(dib, 16);
        const quint32 used = le32(dib, 32);
        if (used > 256 && bits <= 8) return {};
        quint32 entries = used ? used : (bits <= 8 ? 1u << bits : 0);
        if (used > 65536) return {};
        paletteBytes = entries * 4;
        if (headerSize == 40 && compression == 3) paletteBytes += 12; // BI_BITFIELDS masks
        if (headerSize == 40 && compression == 6) paletteBytes += 16; // BI_ALPHABITFIELDS
    }
    const qint64 bitsAt = qint64(headerSize) + paletteBytes;
    const qint64 bitsStart = bitsFrom.value_or(bitsAt);
    if (width <= 0 || width > maxPictureSide || height == 0 || std::abs(height) > maxPictureSide ||
        bitsStart < bitsAt || bitsStart >= dib.size())
        return {};
    // Qt's bitmap reader leaves the pixels its data does not reach as they were in memory: the
    // missing rows of a short bitmap are given as zeros (colour 0), and run-length encoded
    // bitmaps are expanded here, every pixel no run reaches being colour 0.
    const QByteArrayView data = QByteArrayView(dib).sliced(bitsStart);
    const bool info = headerSize >= 40; // a header that has the compression field
    const bool rle = info && ((compression == 1 && bits == 8) || (compression == 2 && bits == 4));
    const bool plain =
        headerSize == 12 || (info && (compression == 0 || compression == 3 || compression == 6));
    const qint64 stride = (width * bits + 31) / 32 * 4;
    const qint64 bitsSize = rle || plain ? stride * std::abs(height) : data.size();
    if (bitsSize > qint64(pictureAllocationLimitMb) << 20) return {};
    QByteArray file("BM");
    putLe32(file, quint32(14 + bitsAt + bitsSize));
    putLe32(file, 0);
    putLe32(file, quint32(14 + bitsAt));
    file.reserve(14 + bitsAt + bitsSize);
    file += QByteArrayView(dib).first(bitsAt);
    if (rle) {
        file.replace(14 + 16, 8, QByteArray(8, '\0')); // BI_RGB, the size taken from the rows
        file += expandRle(data, int(width), int(std::abs(height)), bits, stride);
    } else if (plain) {
        const qint64 given = std::min<qint64>(data.size(), bitsSize);
        file += data.first(given);
        file += QByteArray(bitsSize - given, '\0');
    } else {
        file += data; // a format Qt reads whole or not at all
    }
    return readImage(file, "bmp");
}
} // namespace

QImage decodeDib(const QByteArray& dib) {
    return bitmap(dib, std::nullopt);
}

QImage decodePicture(PictureKind kind, const QByteArray& data, QSize vectorSize) {
    switch (kind) {
    case PictureKind::Png:
        return readImage(data, "png");
    case PictureKind::Jpeg:
        return readImage(data, "jpeg");
    case PictureKind::Dib:
        return decodeDib(data);
    case PictureKind::Emf: {
        QImage image = emfVector(data, vectorSize);
        return image.isNull() ? emfBitmap(data) : image;
    }
    case PictureKind::Wmf: {
        QImage image = wmfBitmap(data);
        return image.isNull() ? wmfVector(data, vectorSize) : image;
    }
    case PictureKind::Unknown:
        // A bitmap file: read as its bitmap, so that no pixel is left unset.
        if (data.startsWith("BM") && data.size() > 14)
            return bitmap(data.sliced(14), qint64(le32(data, 10)) - 14);
        break;
    }
    // Some writers leave the format out: let the image reader recognise it.
    return readImage(data, nullptr);
}

} // namespace alambix::rtf
