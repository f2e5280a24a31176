#pragma once
// A Unicode form for the control tests: shown, with the reports of the
// controls on it handed back to them, and a grab of a control's pixels.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/unicode/UvxForms.h"
#include "framework/ControlNotify.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

class TControlTestForm : public TUvxForm {
public:
    TControlTestForm() : TUvxForm(nullptr) {
        SetBounds(40, 40, 560, 420);
        SetCaption(u"\u0394\u03BF\u03BA\u03B9\u03BC\u03AE");
    }
    std::string ClassName() const override { return "TControlTestForm"; }
    // Places a control on the form.
    template <class T>
    T* Put(T* control, int left, int top, int width, int height) {
        control->SetParent(this);
        control->SetBounds(left, top, width, height);
        return control;
    }
    void ShowAndSettle() {
        Show();
        // Every placed control gets its window now, as a shown form's
        // children have theirs, in the order they were placed.
        CreateChildWindows(this);
        SetForegroundWindow(Handle());
        guitest::PumpUntilIdle();
    }

protected:
    static void CreateChildWindows(TComponent* owner) {
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            TComponent* c = owner->Components(i);
            if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Parent()) w->Handle();
            CreateChildWindows(c);
        }
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
            LRESULT result = 0;
            if (ReflectToControl(msg, wParam, lParam, result)) return result;
        }
        return TUvxForm::WndProc(msg, wParam, lParam);
    }
};

using guitest::GrabClient;
using guitest::TPixels;

inline std::u16string WideWindowText(HWND h) {
    int n = GetWindowTextLengthW(h);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(h, buf.data(), n + 1);
    return U16(buf.c_str(), static_cast<size_t>(n));
}

// The text Windows keeps for a menu item, read wide; "<none>" when the item
// is not there.
inline std::u16string NativeMenuText(HMENU menu, UINT command) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    wchar_t buf[256] = {};
    mi.dwTypeData = buf;
    mi.cch = 256;
    if (!GetMenuItemInfoW(menu, command, FALSE, &mi)) return u"<none>";
    return U16(buf, mi.cch);
}
