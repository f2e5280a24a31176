#pragma once
// Runs steps once a window's modal loop runs (what its showing still has
// queued goes first); a window the steps leave open is closed so that a
// fault cannot hang the test. One at a time.
#include <windows.h>

#include <functional>

#include "framework/Forms.h"

namespace guitest {

class WhileShown {
public:
    WhileShown(TForm* dialog, std::function<void()> steps);
    ~WhileShown();
    WhileShown(const WhileShown&) = delete;
    WhileShown& operator=(const WhileShown&) = delete;

private:
    static std::function<void()>& Steps();
    static TForm*& Dialog();
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
};

}  // namespace guitest
