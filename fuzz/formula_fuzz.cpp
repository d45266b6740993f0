// Formula formatting takes nothing away: its pieces lie in order inside the text, and taking the
// subscripts and superscripts off gives the text back but for the arrows it draws ("->", "<=>")
// and the carets it drops before a charge. The same holds for the word before any position.
#include "core/chemicalformula.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(QStringView text, const QList<alambix::FormulaPiece>& pieces) {
    qsizetype end = 0;
    for (const alambix::FormulaPiece& piece : pieces) {
        if (piece.start < end || piece.length <= 0 || piece.start + piece.length > text.size())
            std::abort();
        end = piece.start + piece.length;
        if (!piece.replaces) continue;
        const QStringView replaced = text.sliced(piece.start, piece.length);
        const bool arrow = replaced == u"->" && piece.replacement == u"→";
        const bool equilibrium = replaced == u"<=>" && piece.replacement == u"⇌";
        const bool caret = replaced == u"^" && piece.replacement.isEmpty();
        if (!arrow && !equilibrium && !caret) std::abort();
        if (piece.script != alambix::Script::Normal) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(text, alambix::formatFormulae(text));
    // The markup taken off gives the text with its arrows drawn and its carets dropped.
    if (!text.contains(u'{') && !text.contains(u'}')) {
        QString written;
        qsizetype at = 0;
        for (const alambix::FormulaPiece& piece : alambix::formatFormulae(text)) {
            written += QStringView(text).sliced(at, piece.start - at);
            written += piece.replaces ? QStringView(piece.replacement)
                                      : QStringView(text).sliced(piece.start, piece.length);
            at = piece.start + piece.length;
        }
        written += QStringView(text).sliced(at);
        QString markup = alambix::formulaMarkup(text);
        markup.remove(QStringLiteral("_{")).remove(QStringLiteral("^{")).remove(u'}');
        if (markup != written) std::abort();
    }
    const qsizetype position = size ? data[0] % (text.size() + 1) : 0;
    check(text, alambix::formatWordBefore(text, position));
    return 0;
}
