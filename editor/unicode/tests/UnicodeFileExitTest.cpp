#include <gtest/gtest.h>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxStdActnsDialog.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/Application.h"

using namespace guitest;

namespace {
// The application's main form is the first form it is given and stays so
// for the process, so this one lives as long.
TControlTestForm* MainTestForm() {
    static TControlTestForm* form = [] {
        auto* f = new TControlTestForm();
        Application->AddForm(f);
        return f;
    }();
    return form;
}

void CALLBACK ClickExit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND button = FindWindowExW(MainTestForm()->Handle(), nullptr, nullptr, L"\u0412\u044B\u0445\u043E\u0434");
    if (!button) return;
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}
// Should the click not end the run, the run is ended anyway and the test
// fails on what it sees rather than hanging.
void CALLBACK EndRunAnyway(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Application->Terminate();
}
}  // namespace

TEST(UnicodeFileExit, TheExitButtonClosesTheMainFormAfterItsCloseQuery) {
    TControlTestForm* main = MainTestForm();
    if (Application->MainForm() != main) GTEST_SKIP() << "another form is this process's main form";
    TUvxFileExit exit(nullptr);
    exit.SetCaption(u"\u0412\u044B\u0445\u043E\u0434");  // Выход
    auto* button = main->Put(new TUvxButton(main), 20, 20, 120, 28);
    button->SetAction(&exit);
    main->ShowAndSettle();
    EXPECT_EQ(WideWindowText(button->Handle()), u"\u0412\u044B\u0445\u043E\u0434");

    int asked = 0;
    bool allow = false;
    main->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    Click(button->Handle(), 5, 5);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindowVisible(main->Handle())) << "the close query refused";
    EXPECT_FALSE(Application->Terminated());

    // Now the application runs, and the person clicks Exit: the run ends.
    allow = true;
    SetTimer(nullptr, 0, 200, ClickExit);
    UINT_PTR safety = SetTimer(nullptr, 0, 15000, EndRunAnyway);
    Application->Run();
    KillTimer(nullptr, safety);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(IsWindowVisible(main->Handle()));
    main->OnCloseQuery = nullptr;
    button->SetAction(nullptr);
    delete button;
}
