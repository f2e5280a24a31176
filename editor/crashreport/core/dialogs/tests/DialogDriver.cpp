#include "editor/crashreport/core/dialogs/tests/DialogDriver.h"

namespace {

BOOL CALLBACK CloseWindowOf(HWND w, LPARAM)
{
    PostMessageA(w, WM_CLOSE, 0, 0);
    return TRUE;
}

struct TCaptionSearch {
    std::string Caption;
    HWND Found = nullptr;
};

BOOL CALLBACK FindByCaption(HWND w, LPARAM data)
{
    auto* s = reinterpret_cast<TCaptionSearch*>(data);
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    if (IsWindowVisible(w) && s->Caption == text) {
        s->Found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindStaticText(HWND w, LPARAM data)
{
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    if (lstrcmpiA(cls, "Static") == 0 && text[0]) {
        *reinterpret_cast<std::string*>(data) = text;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TDialogRun::TDialogRun(std::function<void()> body) : FBody(std::move(body))
{
    FThread = CreateThread(nullptr, 0, Run, this, 0, &FThreadId);
}

TDialogRun::~TDialogRun()
{
    if (FThread) {
        // A test that failed half-way leaves the dialog up: close it.
        if (WaitForSingleObject(FThread, 0) != WAIT_OBJECT_0) {
            EnumThreadWindows(FThreadId, CloseWindowOf, 0);
            WaitForSingleObject(FThread, 5000);
        }
        CloseHandle(FThread);
    }
}

DWORD WINAPI TDialogRun::Run(void* self)
{
    static_cast<TDialogRun*>(self)->FBody();
    return 0;
}

HWND TDialogRun::WaitForWindow(const std::string& caption, DWORD maxMs)
{
    TCaptionSearch search{caption};
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < maxMs) {
        EnumThreadWindows(FThreadId, FindByCaption, reinterpret_cast<LPARAM>(&search));
        if (search.Found) {
            Sleep(100);  // let it paint
            return search.Found;
        }
        Sleep(20);
    }
    return nullptr;
}

bool TDialogRun::WaitEnd(DWORD maxMs)
{
    return WaitForSingleObject(FThread, maxMs) == WAIT_OBJECT_0;
}

std::string ItemText(HWND dialog, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool ItemVisible(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

RECT ItemRect(HWND dialog, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ClickItem(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string MessageBoxText(HWND box)
{
    std::string found;
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&found));
    return found;
}
