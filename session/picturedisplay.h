#pragma once
// Pictures in a document drawn smoothly at the size the text shows them. A drawing kept at
// twice its size so that it prints sharp would otherwise lose every other line on the screen,
// as Qt's own handler scales pictures down pixel by pixel.

class QTextDocument;

namespace alambix {

// From now on the pictures of `document` are drawn smoothly scaled; their size in the text is
// what Qt gives them (the format's width and height, the missing one in the picture's own
// proportions, else the picture's size).
void showPicturesSmoothly(QTextDocument& document);

} // namespace alambix
