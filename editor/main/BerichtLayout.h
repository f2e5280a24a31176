#pragma once
// Where the message box puts its buttons and how tall it is, from the
// height its text needs: the arithmetic of the box without its window.
#include <cstdint>

struct TBerichtGeometry {
    int ButtonTop = 0;     // the top of all three buttons
    int ClientHeight = 0;  // the box's client height
    int Left1 = 0, Left2 = 0, Left3 = 0;
};

// The buttons sit 7 pixels below the text (which starts under an 8-pixel
// spacer) and the client area ends 5 pixels below them.
TBerichtGeometry BerichtVertical(int labelHeight);
// One button, centred on the box's outer width.
void BerichtOneButton(TBerichtGeometry& g, int formWidth, int width1);
// Two buttons 14 pixels apart around the centre line.
void BerichtTwoButtons(TBerichtGeometry& g, int formWidth, int width1);
// Three buttons 14 pixels apart with the middle one centred.
void BerichtThreeButtons(TBerichtGeometry& g, int formWidth, int width1, int width2);

