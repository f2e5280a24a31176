#pragma once
// Answers the editor's message box from inside its modal loop: each time it
// shows, its texts are noted and the next planned answer (a key or a button
// click) is posted to it.
#include <windows.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "framework/Application.h"
#include "framework/testing/GuiTest.h"

namespace boxanswers {

// CloseBox: the window is told to close (Alt+F4, the task list).
enum Answer { KeyEnter, KeyEsc, Click1, Click2, Click3, CloseBox };

struct Shown {
    std::string text, caption, b1, b2, b3;
    bool v1, v2, v3;
};

struct Answerer {
    std::deque<Answer> plan;
    std::vector<Shown> shown;

    Answerer() {
        static bool once = (Application->Initialize(), LanguageSystem.loadLanguage("EN"), true);
        (void)once;
        if (!BerichtBox) BerichtBox = new TBerichtBox(nullptr);
        Current() = this;
        BerichtBox->OnShow = [](TObject*) { Later(); };
    }
    ~Answerer() {
        BerichtBox->OnShow = nullptr;
        Current() = nullptr;
    }

    // The answer comes once the box is on the screen and its modal loop runs.
    static void Later() { SetTimer(nullptr, 0, 30, OnTimer); }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (!Current()) return;
        if (Current()->beforeAnswer) Current()->beforeAnswer();
        Current()->Answer();
    }
    // Runs while the box shows, before it is answered.
    std::function<void()> beforeAnswer;
    static Answerer*& Current() {
        static Answerer* current = nullptr;
        return current;
    }

    void Answer() {
        TBerichtBox* b = BerichtBox;
        shown.push_back({b->Label1->Caption(), b->Caption(), b->Button1->Caption(), b->Button2->Caption(),
                         b->Button3->Caption(), b->Button1->Visible(), b->Button2->Visible(), b->Button3->Visible()});
        // An unplanned box is closed with Esc, so that a fault cannot hang the test.
        boxanswers::Answer a = plan.empty() ? KeyEsc : plan.front();
        if (!plan.empty()) plan.pop_front();
        switch (a) {
            case KeyEnter: Key(VK_RETURN); break;
            case KeyEsc: Key(VK_ESCAPE); break;
            case Click1: guitest::Click(b->Button1->Handle(), 10, 10); break;
            case Click2: guitest::Click(b->Button2->Handle(), 10, 10); break;
            case Click3: guitest::Click(b->Button3->Handle(), 10, 10); break;
            case CloseBox: PostMessageA(b->Handle(), WM_CLOSE, 0, 0); break;
        }
    }

    static void Key(WORD vk) {
        HWND target = BerichtBox->Button1->Handle();
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    }
};

}  // namespace boxanswers
