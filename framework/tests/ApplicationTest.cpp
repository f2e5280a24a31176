#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

TEST(Application, ExceptionInAnEventHandlerReachesTheHandlerAndTheLoopGoesOn) {
    auto* form = new TForm(Application);
    form->SetCaption("Thrower");
    form->Show();
    std::vector<std::string> caught;
    std::string typed;
    form->OnKeyPress = [&](TObject*, char& key) {
        if (key == '!') throw EConvertError("bang");
        typed += key;
    };
    Application->OnException = [&](TObject* sender, Exception& e) {
        EXPECT_EQ(sender, form);
        caught.push_back(e.ClassName() + ":" + e.Message);
    };
    HWND h = form->Handle();
    // Inside the application's own loop: a posted close ends it.
    PostMessageA(h, WM_CHAR, 'a', 1);
    PostMessageA(h, WM_CHAR, '!', 1);
    PostMessageA(h, WM_CHAR, 'b', 1);
    PostMessageA(h, WM_CHAR, '!', 1);
    PostMessageA(h, WM_CHAR, 'c', 1);
    PostQuitMessage(0);
    Application->Run();
    EXPECT_EQ(typed, "abc");
    EXPECT_EQ(caught, (std::vector<std::string>{"EConvertError:bang", "EConvertError:bang"}));
    Application->OnException = nullptr;
    delete form;
}

namespace {

// The first visible message box of this process, answered with OK from
// another thread within 10 s; its text is kept.
struct TMessageBoxAnswerer {
    std::string Text;
    std::atomic<bool> Answered{false};
    std::thread Worker;
    TMessageBoxAnswerer()
        : Worker([this] {
              for (int i = 0; i < 200 && !Answered; ++i) {
                  EnumWindows(Look, reinterpret_cast<LPARAM>(this));
                  Sleep(50);
              }
          }) {}
    ~TMessageBoxAnswerer() { Worker.join(); }
    static BOOL CALLBACK Look(HWND window, LPARAM parameter) {
        auto* self = reinterpret_cast<TMessageBoxAnswerer*>(parameter);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (self->Answered || process != GetCurrentProcessId() || !IsWindowVisible(window) ||
            std::string(className) != "#32770")
            return TRUE;
        self->Text = WindowText(GetDlgItem(window, 0xFFFF));
        self->Answered = true;
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
};

int showHookCalls = 0;
std::string showHookMessage;

}  // namespace

// ShowException asks its hook first (the crash-report component reports
// there); an exception HandleException is already showing is not handed to
// it a second time.
TEST(Application, ShowExceptionAsksItsHookUnlessHandleExceptionShowsIt) {
    showHookCalls = 0;
    ApplicationShowExceptionHook = [](const Exception& e) {
        ++showHookCalls;
        showHookMessage = e.Message;
        return false;
    };
    Application->ShowException(EConvertError("refused by the hook"));
    EXPECT_EQ(showHookCalls, 1);
    EXPECT_EQ(showHookMessage, "refused by the hook");
    {
        TMessageBoxAnswerer answerer;
        try {
            throw EConvertError("shown by the framework");
        } catch (...) {
            Application->HandleException(Application);
        }
        answerer.Answered = true;
        EXPECT_EQ(answerer.Text, "shown by the framework.");
    }
    EXPECT_EQ(showHookCalls, 1);
    ApplicationShowExceptionHook = nullptr;
}

TEST(Form, CloseQueryCanRefuseAndCloseHides) {
    TForm form(nullptr);
    form.SetCaption("Closing");
    form.Show();
    bool allow = false;
    int closes = 0;
    form.OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(closes, 0);
    allow = true;
    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(closes, 1);
}

TEST(Form, CaptionBoundsKeysAndClicksAreRealWindowThings) {
    TForm form(nullptr);
    form.SetCaption("Real window");
    form.SetBounds(50, 60, 320, 200);
    form.Show();
    PumpUntilIdle();
    EXPECT_EQ(WindowText(form.Handle()), "Real window");
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 320);
    WORD seen = 0;
    TShiftState seenShift = 0;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) { seen = key; seenShift = shift; };
    PressKey(form.Handle(), VK_F3, ssShift);
    EXPECT_EQ(seen, VK_F3);
    EXPECT_EQ(seenShift, static_cast<TShiftState>(ssShift));
    int cx = -1, cy = -1, clicks = 0;
    form.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { cx = x; cy = y; };
    form.OnClick = [&](TObject*) { ++clicks; };
    Click(form.Handle(), 12, 34);
    EXPECT_EQ(cx, 12);
    EXPECT_EQ(cy, 34);
    EXPECT_EQ(clicks, 1);
    form.SetCaption("Changed");
    EXPECT_EQ(form.Caption(), "Changed");
}

TEST(Form, ShowModalReturnsTheModalResult) {
    TForm dialog(nullptr);
    dialog.SetCaption("Modal");
    dialog.OnShow = [&](TObject*) { PostMessageA(dialog.Handle(), WM_CHAR, 'y', 1); };
    dialog.OnKeyPress = [&](TObject*, char& key) { if (key == 'y') dialog.ModalResult = mrYes; };
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST(Screenshot, PixelsAndPngOfARealWindow) {
    TForm form(nullptr);
    form.SetCaption("Screenshot");
    form.SetBounds(0, 0, 200, 120);
    form.Show();
    PumpUntilIdle();
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelAt(form.Handle(), 20, 20), face);
    std::string path = ScreenshotPath("framework_form");
    ASSERT_TRUE(SaveScreenshot(form.Handle(), path));
    FILE* f = fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char sig[8];
    ASSERT_EQ(fread(sig, 1, 8, f), 8u);
    fclose(f);
    EXPECT_EQ(sig[1], 'P');
}
