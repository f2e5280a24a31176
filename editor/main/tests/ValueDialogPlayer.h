#pragma once
// Plays a person's steps in the value input dialog while it is shown
// modally: each tick runs the next step unless a message box is up (the
// box's Answerer answers it); with no steps left the dialog is left with
// Escape, so that a fault cannot hang a test. What the dialog showed first
// is noted at each showing.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/dialogs/GetGetalForm.h"
#include "editor/main/BerichtBox.h"
#include "framework/ComboBox.h"
#include "framework/StdCtrls.h"
#include "framework/testing/GuiTest.h"

namespace valuedialog {

struct Seen {
    std::string caption, question, text, ok, cancel;
    std::vector<std::string> kinds;
    int kind = -1;
};

struct Player {
    using Step = std::function<void(TGetGetalForm&)>;
    std::deque<Step> steps;
    std::vector<Seen> seen;

    void Attach(TGetGetalForm* form) {
        form->OnShow = [this, form](TObject*) {
            shown = form;
            fresh = true;
            SetTimer(nullptr, 0, 40, Tick);
        };
    }
    ~Player() { Current() = nullptr; }
    Player() { Current() = this; }

    static Player*& Current() {
        static Player* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        Player* p = Current();
        if (!p || !p->shown || !IsWindowVisible(p->shown->Handle())) {
            KillTimer(nullptr, id);
            return;
        }
        if (p->busy || (BerichtBox && BerichtBox->HandleAllocated() && IsWindowVisible(BerichtBox->Handle()))) return;
        p->busy = true;
        TGetGetalForm& f = *p->shown;
        if (p->fresh) {
            p->fresh = false;
            Seen s;
            s.caption = guitest::WindowText(f.Handle());
            s.question = f.Vraag->Caption();
            s.text = f.EditGetal->Text();
            s.ok = f.OkButton->Caption();
            s.cancel = f.CancelButton->Caption();
            for (int i = 0; i < f.DataKind->ItemCount(); ++i) s.kinds.push_back(f.DataKind->Item(i));
            s.kind = f.DataKind->ItemIndex();
            p->seen.push_back(s);
        }
        if (p->steps.empty()) {
            KillTimer(nullptr, id);
            PostMessageA(f.EditGetal->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        } else {
            Step step = p->steps.front();
            p->steps.pop_front();
            step(f);
        }
        p->busy = false;
    }

    TGetGetalForm* shown = nullptr;
    bool fresh = false, busy = false;
};

// A person's steps.
inline Player::Step Kind(int index) {
    return [index](TGetGetalForm& f) {
        SendMessageA(f.DataKind->Handle(), CB_SETCURSEL, index, 0);
        SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(f.DataKind->Handle()));
    };
}
// Types over the whole value (an empty text clears it).
inline Player::Step Type(const std::string& text) {
    return [text](TGetGetalForm& f) {
        HWND edit = f.EditGetal->Handle();
        SendMessageA(edit, EM_SETSEL, 0, -1);
        guitest::TypeChar(edit, '\b');
        guitest::TypeText(edit, text);
    };
}
inline Player::Step ClickOk() {
    return [](TGetGetalForm& f) { guitest::Click(f.OkButton->Handle(), 10, 10); };
}
inline Player::Step ClickCancel() {
    return [](TGetGetalForm& f) { guitest::Click(f.CancelButton->Handle(), 10, 10); };
}
inline Player::Step Key(WORD vk) {
    return [vk](TGetGetalForm& f) {
        PostMessageA(f.EditGetal->Handle(), WM_KEYDOWN, vk, 1);
        PostMessageA(f.EditGetal->Handle(), WM_KEYUP, vk, 0xC0000001);
        guitest::PumpUntilIdle(5);
    };
}
inline Player::Step Do(std::function<void(TGetGetalForm&)> f) { return f; }

}  // namespace valuedialog
