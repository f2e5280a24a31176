#include "editor/main/BerichtLayout.h"

TBerichtGeometry BerichtVertical(int labelHeight) {
    TBerichtGeometry g;
    g.ButtonTop = labelHeight + 15;
    g.ClientHeight = labelHeight + 45;
    return g;
}

// Halves are integer divisions that truncate toward zero, as in the layout
// of every other window of the editor.
void BerichtOneButton(TBerichtGeometry& g, int formWidth, int width1) {
    g.Left1 = formWidth / 2 - width1 / 2;
}

void BerichtTwoButtons(TBerichtGeometry& g, int formWidth, int width1) {
    g.Left1 = formWidth / 2 - width1 - 7;
    g.Left2 = formWidth / 2 + 7;
}

void BerichtThreeButtons(TBerichtGeometry& g, int formWidth, int width1, int width2) {
    int x = formWidth / 2 - width2 / 2;
    g.Left1 = x - width1 - 14;
    g.Left2 = x;
    g.Left3 = x + width2 + 14;
}

