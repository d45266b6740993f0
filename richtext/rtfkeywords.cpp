#include "richtext/rtfkeywords.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace alambix::rtf {

namespace {
using K = WordKind;
using W = Word;

constexpr Keyword known[] = {
    // the document
    {"ansi", W::Ansi, K::Flag},
    {"mac", W::Mac, K::Flag},
    {"pc", W::Pc, K::Flag},
    {"pca", W::Pca, K::Flag},
    {"ansicpg", W::Ansicpg, K::Value},
    {"deff", W::Deff, K::Value},
    {"uc", W::Uc, K::Value},
    {"u", W::U, K::Value},
    {"bin", W::Bin, K::Value},
    // destinations
    {"fonttbl", W::Fonttbl, K::Destination},
    {"colortbl", W::Colortbl, K::Destination},
    {"pict", W::Pict, K::Destination},
    {"fldinst", W::Fldinst, K::Destination},
    {"fldrslt", W::Fldrslt, K::Destination},
    {"upr", W::Upr, K::Destination},
    {"ud", W::Ud, K::Destination},
    {"field", W::Shown, K::Destination},
    {"listtext", W::ListText, K::Destination},
    {"pntext", W::ListText, K::Destination},
    {"pn", W::Pn, K::Destination},
    {"shppict", W::Shown, K::Destination},
    {"shp", W::Shown, K::Destination},
    {"shprslt", W::Shown, K::Destination},
    {"object", W::Shown, K::Destination},
    {"result", W::Shown, K::Destination},
    {"nonshppict", W::Skipped, K::Destination}, // the fallback of the \shppict before it
    // the font and colour tables
    {"f", W::F, K::Value},
    {"fcharset", W::Fcharset, K::Value},
    {"cpg", W::Cpg, K::Value},
    {"red", W::Red, K::Value},
    {"green", W::Green, K::Value},
    {"blue", W::Blue, K::Value},
    // character formats
    {"plain", W::Plain, K::Flag},
    {"b", W::B, K::Toggle},
    {"i", W::I, K::Toggle},
    {"ul", W::Ul, K::Toggle},
    {"uld", W::Ul, K::Toggle},
    {"uldb", W::Ul, K::Toggle},
    {"uldash", W::Ul, K::Toggle},
    {"uldashd", W::Ul, K::Toggle},
    {"uldashdd", W::Ul, K::Toggle},
    {"ulth", W::Ul, K::Toggle},
    {"ulw", W::Ul, K::Toggle},
    {"ulwave", W::Ul, K::Toggle},
    {"ulnone", W::Ulnone, K::Flag},
    {"strike", W::Strike, K::Toggle},
    {"striked", W::Strike, K::Toggle},
    {"sub", W::Sub, K::Toggle},
    {"super", W::Super, K::Toggle},
    {"nosupersub", W::Nosupersub, K::Flag},
    {"up", W::Up, K::Value},
    {"dn", W::Dn, K::Value},
    {"fs", W::Fs, K::Value},
    {"cf", W::Cf, K::Value},
    {"cb", W::Cb, K::Value},
    {"chcbpat", W::Cb, K::Value},
    {"highlight", W::Cb, K::Value},
    {"v", W::V, K::Toggle},
    {"caps", W::Caps, K::Toggle},
    {"scaps", W::Scaps, K::Toggle},
    // paragraph formats
    {"pard", W::Pard, K::Flag},
    {"ql", W::Ql, K::Flag},
    {"qc", W::Qc, K::Flag},
    {"qr", W::Qr, K::Flag},
    {"qj", W::Qj, K::Flag},
    {"li", W::Li, K::Value},
    {"lin", W::Li, K::Value},
    {"ri", W::Ri, K::Value},
    {"rin", W::Ri, K::Value},
    {"fi", W::Fi, K::Value},
    {"sb", W::Sb, K::Value},
    {"sa", W::Sa, K::Value},
    {"sl", W::Sl, K::Value},
    {"slmult", W::Slmult, K::Toggle},
    {"tx", W::Tx, K::Value},
    {"tb", W::Tx, K::Value},
    {"tqr", W::Tqr, K::Flag},
    {"tqc", W::Tqc, K::Flag},
    {"tqdec", W::Tqdec, K::Flag},
    {"pagebb", W::Pagebb, K::Toggle},
    // the numbering of the older RTF lists
    {"pnlvlblt", W::Pnlvlblt, K::Flag},
    {"pnlvlbody", W::Pnlvlbody, K::Flag},
    // paragraph ends
    {"par", W::Par, K::Flag},
    {"sect", W::Sect, K::Flag},
    {"page", W::Page, K::Flag},
    // tables
    {"intbl", W::Intbl, K::Toggle},
    {"itap", W::Itap, K::Value},
    {"trowd", W::Trowd, K::Flag},
    {"cellx", W::Cellx, K::Value},
    {"cell", W::Cell, K::Flag},
    {"row", W::Row, K::Flag},
    {"nestcell", W::Nestcell, K::Flag},
    {"nestrow", W::Nestrow, K::Flag},
    // pictures
    {"pngblip", W::Pngblip, K::Flag},
    {"jpegblip", W::Jpegblip, K::Flag},
    {"emfblip", W::Emfblip, K::Flag},
    {"wmetafile", W::Wmetafile, K::Value},
    {"dibitmap", W::Dibitmap, K::Value},
    {"picw", W::Picw, K::Value},
    {"pich", W::Pich, K::Value},
    {"picwgoal", W::Picwgoal, K::Value},
    {"pichgoal", W::Pichgoal, K::Value},
    {"picscalex", W::Picscalex, K::Value},
    {"picscaley", W::Picscaley, K::Value},
    // characters
    {"line", W::Symbol, K::Symbol, u'\u2028'},
    {"tab", W::Symbol, K::Symbol, u'\t'},
    {"emdash", W::Symbol, K::Symbol, u'\u2014'},
    {"endash", W::Symbol, K::Symbol, u'\u2013'},
    {"bullet", W::Symbol, K::Symbol, u'\u2022'},
    {"lquote", W::Symbol, K::Symbol, u'\u2018'},
    {"rquote", W::Symbol, K::Symbol, u'\u2019'},
    {"ldblquote", W::Symbol, K::Symbol, u'\u201C'},
    {"rdblquote", W::Symbol, K::Symbol, u'\u201D'},
    {"emspace", W::Symbol, K::Symbol, u'\u2003'},
    {"enspace", W::Symbol, K::Symbol, u'\u2002'},
    {"qmspace", W::Symbol, K::Symbol, u'\u2005'},
    {"zwj", W::Symbol, K::Symbol, u'\u200D'},
    {"zwnj", W::Symbol, K::Symbol, u'\u200C'},
    {"ltrmark", W::Symbol, K::Symbol, u'\u200E'},
    {"rtlmark", W::Symbol, K::Symbol, u'\u200F'},
};

// Destinations whose content is never shown, one space between two.
constexpr std::string_view skipped =
    "aftncn aftnsep aftnsepc annotation atnauthor atnid atrfend atrfstart author bkmkend "
    "bkmkstart blipuid buptim category colorschememapping comment company creatim datafield "
    "datastore do doccomm docvar falt fchars filetbl fname fontemb fontfile footer footerf "
    "footerl footerr footnote formfield ftnalt ftncn ftnsep ftnsepc generator header headerf "
    "headerl headerr hlinkbase info keycode keywords latentstyles lchars list listlevel "
    "listoverridetable listpicture listtable manager mmath mmathPr nesttableprops nonesttables "
    "objclass objdata objname oleclsid operator panose passwordhash pgdsctbl pgptbl picprop "
    "pnseclvl pntxta pntxtb printim private protusertbl pxe revtbl revtim rsidtbl shpinst sn sp "
    "stylesheet subject sv tc template themedata title txe userprops wgrffmtfilter xe xmlnstbl";

constexpr std::size_t skippedCount = std::count(skipped.begin(), skipped.end(), ' ') + 1;

// Every keyword.
constexpr auto table = [] {
    std::array<Keyword, std::size(known) + skippedCount> all{};
    auto end = std::copy(std::begin(known), std::end(known), all.begin());
    for (std::size_t at = 0; at < skipped.size();) {
        const std::size_t space = std::min(skipped.find(' ', at), skipped.size());
        *end++ = {skipped.substr(at, space - at), W::Skipped, K::Destination};
        at = space + 1;
    }
    return all;
}();

// The table is looked up through a hash index built with it: one word in four slots, so that a
// word, known or not, is found or refused after a probe or two.
constexpr std::size_t slotCount = 1024;
constexpr quint16 emptySlot = 0xFFFF;
static_assert(slotCount >= 4 * table.size());

constexpr std::size_t slotOf(std::string_view name) {
    quint32 hash = 2166136261u; // FNV-1a
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash & (slotCount - 1);
}

constexpr auto slots = [] {
    std::array<quint16, slotCount> index{};
    index.fill(emptySlot);
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::size_t slot = slotOf(table[i].name);
        while (index[slot] != emptySlot)
            slot = (slot + 1) & (slotCount - 1);
        index[slot] = quint16(i);
    }
    return index;
}();

constexpr const Keyword* find(std::string_view name) {
    for (std::size_t slot = slotOf(name); slots[slot] != emptySlot;
         slot = (slot + 1) & (slotCount - 1))
        if (table[slots[slot]].name == name) return &table[slots[slot]];
    return nullptr;
}

// Each word is found as its own entry: no word is listed twice.
constexpr bool eachWordOnce() {
    for (const Keyword& k : table)
        if (find(k.name) != &k) return false;
    return true;
}
static_assert(eachWordOnce(), "a control word is listed once");
} // namespace

const Keyword* findKeyword(std::string_view name) {
    return find(name);
}

} // namespace alambix::rtf
