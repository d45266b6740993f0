#pragma once
// The control words the reader knows, and what each one is.

#include <QtGlobal>

#include <string_view>

namespace alambix::rtf {

// What a control word is.
enum class WordKind : quint8 {
    Destination, // starts a destination: the rest of its group goes to a table, a picture, or
                 // nowhere
    Symbol,      // stands for one character
    Toggle,      // turns a property on, or off with a parameter of 0 (\b, \b0)
    Value,       // sets a property to its parameter (\fs24, \cellx1440)
    Flag,        // acts alone (\par, \pard, \qc)
};

// The words the reader acts on, by what they act on.
enum class Word : quint8 {
    // the document
    Ansi,
    Mac,
    Pc,
    Pca,
    Ansicpg,
    Deff,
    Uc,
    U,
    Bin,
    // destinations
    Fonttbl,
    Colortbl,
    Pict,
    Fldinst,
    Fldrslt,
    Upr,
    Ud,
    ListText, // a list item's bullet or number as text (\listtext, \pntext)
    Pn,       // a paragraph's numbering in the older RTF lists
    Shown,    // a destination whose text is shown as it comes (\field, \listtext, \shppict...)
    Skipped,  // a destination whose content is never shown (\info, \header, \stylesheet...)
    // the font table
    F,
    Fcharset,
    Cpg,
    // the colour table
    Red,
    Green,
    Blue,
    // character formats
    Plain,
    B,
    I,
    Ul,
    Ulnone,
    Strike,
    Sub,
    Super,
    Nosupersub,
    Up,
    Dn,
    Fs,
    Cf,
    Cb,
    V,
    Caps,
    Scaps,
    // paragraph formats
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Sl,
    Slmult,
    Tx,
    Tqr,
    Tqc,
    Tqdec,
    Pagebb,
    // the numbering of the older RTF lists
    Pnlvlblt,
    Pnlvlbody,
    // paragraph ends
    Par,
    Sect,
    Page,
    // tables
    Intbl,
    Itap,
    Trowd,
    Cellx,
    Cell,
    Row,
    Nestcell,
    Nestrow,
    // pictures
    Pngblip,
    Jpegblip,
    Emfblip,
    Wmetafile,
    Dibitmap,
    Picw,
    Pich,
    Picwgoal,
    Pichgoal,
    Picscalex,
    Picscaley,
    // a character (the keyword gives it)
    Symbol,
};

struct Keyword {
    std::string_view name;
    Word word = Word::Skipped;
    WordKind kind = WordKind::Flag;
    char16_t character = 0; // what a symbol stands for
};

// The keyword of a control word (case matters); null for a word the reader does not know.
const Keyword* findKeyword(std::string_view name);

} // namespace alambix::rtf
