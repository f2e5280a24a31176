#include "editor/unicode/UvxFrames.h"

LRESULT TUvxScrollBox::WMSize(WPARAM wParam, LPARAM lParam) {
    struct TDepth {
        int& depth;
        explicit TDepth(int& d) : depth(d) { ++depth; }
        ~TDepth() { --depth; }
    } depth(FSizeDepth);
    if (FSizeDepth < 32) return TScrollBox::WMSize(wParam, lParam);
    return 0;
}
