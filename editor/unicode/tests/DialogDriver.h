#pragma once
// Answers a common dialog of the system from inside its modal loop, as a
// person would: once a visible dialog window of this thread shows, Fill
// types into it, a picture is taken when asked, and a button is pressed.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/testing/GuiTest.h"

namespace guitest {

struct DialogDriver {
    std::function<void(HWND dialog)> Fill;
    int Button = IDOK;
    std::string Shot;
    // What was seen: the dialog's title and owner; empty when none showed.
    std::u16string Title;
    HWND Owner = nullptr;
    bool Answered = false;
    int Ticks = 0;

    static DialogDriver& Current() {
        static DialogDriver driver;
        return driver;
    }
    static void Plan(int button, std::function<void(HWND)> fill = nullptr, std::string shot = "") {
        DialogDriver& d = Current();
        d = DialogDriver{};
        d.Button = button;
        d.Fill = std::move(fill);
        d.Shot = std::move(shot);
        SetTimer(nullptr, 0, 100, Tick);
    }
    static BOOL CALLBACK FindDialog(HWND h, LPARAM p) {
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(h)) {
            *reinterpret_cast<HWND*>(p) = h;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        DialogDriver& d = Current();
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog && ++d.Ticks <= 100) return;  // not there yet; give up after ten seconds
        KillTimer(nullptr, id);
        if (!dialog) return;
        wchar_t title[128] = {};
        GetWindowTextW(dialog, title, 128);
        for (const wchar_t* t = title; *t; ++t) d.Title += static_cast<char16_t>(*t);
        d.Owner = GetWindow(dialog, GW_OWNER);
        if (d.Fill) d.Fill(dialog);
        if (!d.Shot.empty()) SaveScreenshot(dialog, d.Shot);
        d.Answered = true;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(d.Button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, d.Button)));
    }
};

// Chooses the entry of a combo box of the dialog and tells the dialog, as a
// click in its list does.
inline void ChooseInCombo(HWND dialog, int id, const wchar_t* text) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

}  // namespace guitest
