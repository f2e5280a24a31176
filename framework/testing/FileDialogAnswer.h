#pragma once
// Answers the system's open or save dialog from inside its modal loop: a
// timer waits for the dialog of this thread, types the text into its file
// name field (its first visible edit box) and presses OK; an empty text
// cancels. Without a dialog or name field it gives up after about five
// seconds, so that a fault cannot hang the test.
#include <windows.h>

#include <functional>
#include <string>

namespace guitest {

struct FileDialogAnswer {
    // Starts waiting for the next dialog.
    static void Plan(const std::u16string& text);
    // Where a picture of the dialog goes, once the name is typed (once).
    static std::string& Shot();
    // Run with the dialog's window once it shows, before the answer (once).
    static std::function<void(HWND)>& Seen();

private:
    static std::u16string& Text();
    static int& Ticks();
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
};

}  // namespace guitest
