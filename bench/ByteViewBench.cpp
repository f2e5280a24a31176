// The byte view's drawing in a maximised main window: a full repaint and a
// one-cell cursor step (a click on the neighbouring cell), on a 4 KiB and a
// 1 GiB document, beside a bare fill of the same view as the machine's floor.
// A repaint costs what is on the screen, so both sizes should cost the same,
// and the step a small fraction of the full repaint.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/BenchTable.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/HeaderControl.h"

namespace {

double Seconds(const std::function<void()>& work, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        work();
        GdiFlush();
        std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        best = std::min(best, d.count());
    }
    return best;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Figures {
    double full = 0, step = 0, floor = 0;
};

Figures Measure(TMainForm& form) {
    HWND view = form.ByteView->Handle();
    Figures f;
    f.full = Seconds([&] { RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }, 20);
    // Two neighbouring cells of the Text view in the middle of the screen.
    int y = (form.Rows / 2) * 25 + 12, cw = std::max(form.Sizer->SectionWidth(0) / 16, 1);
    int xs[2] = {5 * cw + cw / 2, 6 * cw + cw / 2};
    int next = 0;
    f.step = Seconds([&] {
        LPARAM at = MAKELPARAM(xs[next], y);
        SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(view, WM_LBUTTONUP, 0, at);
        next ^= 1;
    }, 200);
    f.floor = Seconds([&] {
        HDC dc = GetDC(view);
        RECT r;
        GetClientRect(view, &r);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        ReleaseDC(view, dc);
    }, 20);
    return f;
}

void Print(const char* name, const Figures& f) {
    std::printf("%s: full repaint %.3f ms, one-cell step %.4f ms, bare fill %.3f ms\n", name, f.full * 1e3,
                f.step * 1e3, f.floor * 1e3);
    std::printf("%s: step / full repaint: %.4f x; full repaint / bare fill: %.1f x\n", name, f.step / f.full,
                f.full / f.floor);
    const std::string label = std::string("byte view, ") + name;
    bench::Row(label + ", full repaint (Wine)", f.full * 1e3, "bare fill of the view (Wine)", f.floor * 1e3, "ms", "");
    bench::Row(label + ", one-cell step (Wine)", f.step * 1e3, "full repaint (Wine)", f.full * 1e3, "ms", "");
}

}  // namespace

int main() {
    Application->Initialize();
    LanguageSystem.loadLanguage("EN");
    TMainForm* form = new TMainForm(nullptr);
    form->Show();
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    Pump();
    std::printf("window: %d x %d client, %d rows\n", form->ClientWidth(), form->ClientHeight(), form->Rows);

    DataFile.allocate(4096);
    for (int32_t i = 0; i < DataFile.size; ++i) DataFile.data[i] = static_cast<uint8_t>(i * 7);
    form->RepaintAll();
    Pump();
    Figures small = Measure(*form);
    Print("4 KiB", small);

    try {
        DataFile.allocate(1 << 30);
    } catch (...) {
        std::printf("1 GiB: the document could not be allocated in this process; not measured\n");
        delete form;
        return 0;
    }
    for (int32_t i = 0; i < DataFile.size; i += 4096) DataFile.data[i] = static_cast<uint8_t>(i >> 12);
    // Somewhere in the middle of the document.
    form->GotoPosition(DataFile.size / 2);
    form->RepaintAll();
    Pump();
    Figures large = Measure(*form);
    Print("1 GiB", large);
    std::printf("1 GiB / 4 KiB: full repaint %.2f x, one-cell step %.2f x\n", large.full / small.full,
                large.step / small.step);
    delete form;
    return 0;
}
