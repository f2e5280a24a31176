#pragma once
// Bisection over a sorted sequence that lands on the first of several equal
// entries: compareAt(i) < 0 when entry i goes before the target, 0 when equal.
template <class CompareAt>
int BisectFirst(int count, CompareAt compareAt, bool& found) {
    int l = 0, h = count - 1;
    found = false;
    while (l <= h) {
        int i = static_cast<int>((static_cast<unsigned>(l) + static_cast<unsigned>(h)) >> 1);
        int c = compareAt(i);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) found = true;
        }
    }
    return l;
}
