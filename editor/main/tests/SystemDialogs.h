#pragma once
// Answers the system's own dialogs (the open and save dialogs, message
// boxes) from inside their modal loops: a timer looks for a new dialog
// window of this thread, notes its caption and text, and acts as planned.
#include <windows.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "framework/WinText.h"

namespace sysdialogs {

enum Action { PressOk, PressYes, PressNo, PressCancel, ChooseFile };

struct Step {
    Action action;
    std::u16string fileName;  // ChooseFile: typed into the name field
};

struct Seen {
    std::u16string caption, text;
    std::u16string filter;  // an open or save dialog's chosen file type
    bool unicode = false;   // made by the wide call, not its 8-bit twin
};

class Driver {
public:
    std::deque<Step> plan;
    std::vector<Seen> seen;

    Driver() {
        Current() = this;
        FTimer = SetTimer(nullptr, 0, 40, OnTimer);
    }
    ~Driver() {
        KillTimer(nullptr, FTimer);
        Current() = nullptr;
    }

private:
    static Driver*& Current() {
        static Driver* current = nullptr;
        return current;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (Current()) Current()->Poll();
    }
    static BOOL CALLBACK Collect(HWND h, LPARAM p) {
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        if (IsWindowVisible(h) && U16(cls) == u"#32770") reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
    }
    static std::u16string TextOf(HWND h) {
        wchar_t buf[2048] = {};
        GetWindowTextW(h, buf, 2048);
        return U16(buf);
    }
    // The longest static text of the dialog: a message box's message.
    static std::u16string MessageOf(HWND dialog) {
        std::u16string best;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(c, cls, 32);
            if (U16(cls) == u"Static" && TextOf(c).size() > best.size()) best = TextOf(c);
        }
        return best;
    }
    // The file type list of the open and save dialogs (cmb1): its chosen item.
    static std::u16string FilterOf(HWND dialog) {
        HWND types = GetDlgItem(dialog, 0x470);
        if (!types) return {};
        const LRESULT chosen = SendMessageW(types, CB_GETCURSEL, 0, 0);
        if (chosen == CB_ERR || SendMessageW(types, CB_GETLBTEXTLEN, chosen, 0) >= 2048) return {};
        wchar_t buf[2048] = {};
        SendMessageW(types, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(buf));
        return U16(buf);
    }
    static void Press(HWND dialog, int id) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    void Poll() {
        std::vector<HWND> dialogs;
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&dialogs));
        for (HWND d : dialogs) {
            if (FDone.count(d)) continue;
            FDone.insert(d);
            seen.push_back({TextOf(d), MessageOf(d), FilterOf(d), IsWindowUnicode(d) != FALSE});
            Step step = plan.empty() ? Step{PressCancel, {}} : plan.front();
            if (!plan.empty()) plan.pop_front();
            switch (step.action) {
                case PressOk: Press(d, IDOK); break;
                case PressYes: Press(d, IDYES); break;
                case PressNo: Press(d, IDNO); break;
                // A box with OK alone takes Cancel as OK.
                case PressCancel: Press(d, GetDlgItem(d, IDCANCEL) ? IDCANCEL : IDOK); break;
                case ChooseFile: {
                    // The name field: the explorer dialog's combo box or the
                    // older dialog's edit.
                    HWND field = GetDlgItem(d, 0x47C);
                    if (!field || !IsWindowVisible(field)) field = GetDlgItem(d, 0x480);
                    SetWindowTextW(field, WC(step.fileName));
                    Press(d, IDOK);
                    break;
                }
            }
        }
    }
    UINT_PTR FTimer = 0;
    std::set<HWND> FDone;
};

}  // namespace sysdialogs
