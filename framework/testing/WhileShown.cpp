#include "framework/testing/WhileShown.h"

#include "framework/testing/GuiTest.h"

namespace guitest {

std::function<void()>& WhileShown::Steps() {
    static std::function<void()> steps;
    return steps;
}

TForm*& WhileShown::Dialog() {
    static TForm* dialog = nullptr;
    return dialog;
}

WhileShown::WhileShown(TForm* dialog, std::function<void()> steps) {
    Steps() = std::move(steps);
    Dialog() = dialog;
    dialog->OnShow = [](TObject*) { SetTimer(nullptr, 0, 50, OnTimer); };
}

WhileShown::~WhileShown() {
    if (Dialog()) Dialog()->OnShow = nullptr;
    Steps() = nullptr;
}

void CALLBACK WhileShown::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto steps = std::move(Steps());
    Steps() = nullptr;
    PumpUntilIdle(100);
    if (steps) steps();
    if (Dialog() && Dialog()->ModalResult == mrNone && IsWindowVisible(Dialog()->Handle()))
        Dialog()->ModalResult = mrCancel;
}

}  // namespace guitest
