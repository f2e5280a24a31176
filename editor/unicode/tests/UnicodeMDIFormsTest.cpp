#include <gtest/gtest.h>

#include <vector>

#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxStdActnsWindow.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Application.h"
#include "framework/ControlNotify.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {
const std::u16string kFrameCaption = u"\u03A0\u03BB\u03B1\u03AF\u03C3\u03B9\u03BF";        // Πλαίσιο
const std::u16string kAlpha = u"\u0388\u03B3\u03B3\u03C1\u03B1\u03C6\u03BF \u0391";       // Έγγραφο Α
const std::u16string kBeta = u"\u0388\u03B3\u03B3\u03C1\u03B1\u03C6\u03BF \u0392";
const std::u16string kGamma = u"\u0388\u03B3\u03B3\u03C1\u03B1\u03C6\u03BF \u0393";

std::u16string WindowTextW(HWND h) {
    wchar_t buf[256] = {};
    int n = GetWindowTextW(h, buf, 256);
    return U16(buf, static_cast<size_t>(n));
}

// A child form whose buttons report back to it.
class TChildForm : public TUvxForm {
public:
    TChildForm() : TUvxForm(Application) {}
    std::string ClassName() const override { return "TChildForm"; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND) {
            LRESULT result = 0;
            if (ReflectToControl(msg, wParam, lParam, result)) return result;
        }
        return TUvxForm::WndProc(msg, wParam, lParam);
    }
};

// The application's main form: the frame every child of these tests lives in.
TUvxForm* Frame() {
    static TUvxForm* frame = [] {
        auto* f = new TUvxForm(Application);
        f->SetFormStyle(fsMDIForm);
        Application->AddForm(f);
        f->SetBounds(20, 20, 700, 520);
        f->SetCaption(kFrameCaption);
        f->Show();
        SetForegroundWindow(f->Handle());
        PumpUntilIdle();
        return f;
    }();
    return frame;
}

TChildForm* NewChild(const std::u16string& caption) {
    auto* child = new TChildForm;
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(caption);
    child->SetBounds(CW_USEDEFAULT, CW_USEDEFAULT, 260, 180);
    child->Handle();
    PumpUntilIdle();
    return child;
}

void FreeChildren() {
    while (TForm* child = Frame()->MDIChildren(0)) delete child;
    PumpUntilIdle();
}

RECT RectInClient(TForm* child) {
    RECT r;
    GetWindowRect(child->Handle(), &r);
    MapWindowPoints(nullptr, Frame()->ClientHandle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Keys as the keyboard sends them, to whatever window has the focus; the
// application's loop takes them (shortcuts, menu keys).
void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> in;
    for (auto [vk, down] : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    for (int i = 0; i < 40; ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
    PumpUntilIdle();
}

// Alt, the menu's letter, then the item's letter.
void ChooseFromMenu(WORD menuKey, WORD itemKey) {
    SetForegroundWindow(Frame()->Handle());
    SendKeys({{VK_MENU, true}, {menuKey, true}, {menuKey, false}, {VK_MENU, false}, {itemKey, true}, {itemKey, false}});
}
}  // namespace

// First of the file: no frame exists yet.
TEST(UnicodeMDIForms, AChildWithoutAFrameMainFormIsRefused) {
    if (Application->MainForm()) GTEST_SKIP() << "the frame was made by an earlier test";
    for (bool unicode : {true, false}) {
        SCOPED_TRACE(unicode ? "wide" : "8-bit");
        Platform platform(unicode);
        TUvxForm child(nullptr);
        child.SetFormStyle(fsMDIChild);
        try {
            child.Handle();
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidOperation& e) {
            EXPECT_STREQ(e.what(), "Cannot create form. No MDI forms are currently active");
        }
        EXPECT_FALSE(child.HandleAllocated());
    }
}

TEST(UnicodeMDIForms, WideChildrenLiveInTheFrameClientWindow) {
    TUvxForm* frame = Frame();
    ASSERT_NE(frame->ClientHandle(), nullptr);
    EXPECT_TRUE(IsWindowUnicode(frame->Handle()));
    EXPECT_EQ(WindowTextW(frame->Handle()), kFrameCaption);
    EXPECT_EQ(frame->MDIChildCount(), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);

    TChildForm* a = NewChild(kAlpha);
    TChildForm* b = NewChild(kBeta);
    TChildForm* c = NewChild(kGamma);
    for (TChildForm* child : {a, b, c}) {
        EXPECT_TRUE(IsWindowUnicode(child->Handle()));
        EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
        EXPECT_TRUE(GetWindowLongW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(IsWindowVisible(child->Handle())) << "a child shows as it is made";
    }
    EXPECT_EQ(WindowTextW(b->Handle()), kBeta);
    EXPECT_EQ(b->GetCaption(), kBeta);
    EXPECT_EQ(frame->MDIChildCount(), 3);
    EXPECT_EQ(frame->ActiveMDIChild(), c) << "the newest child is active";
    EXPECT_EQ(frame->MDIChildren(0), c);
    EXPECT_EQ(frame->MDIChildren(3), nullptr);

    frame->Next();
    PumpUntilIdle();
    TForm* next = frame->ActiveMDIChild();
    EXPECT_NE(next, c);
    EXPECT_NE(next, nullptr);
    frame->Previous();
    PumpUntilIdle();
    EXPECT_EQ(frame->ActiveMDIChild(), c) << "back where it was";

    // A wide caption survives a new window; a wide character typed reaches the child whole.
    b->SetCaption(kBeta + u" \u03A9");
    EXPECT_EQ(WindowTextW(b->Handle()), kBeta + u" \u03A9");

    // The framework's own 8-bit form lives in the same frame.
    auto* plain = new TForm(Application);
    plain->SetFormStyle(fsMDIChild);
    plain->SetCaption("Plain child");
    plain->Handle();
    PumpUntilIdle();
    EXPECT_FALSE(IsWindowUnicode(plain->Handle()));
    EXPECT_EQ(GetParent(plain->Handle()), frame->ClientHandle());
    EXPECT_EQ(frame->MDIChildCount(), 4);
    frame->Cascade();
    PumpUntilIdle();
    SaveScreenshot(frame->Handle(), ScreenshotPath("unicode_mdi_frame"));

    // Closing a child minimizes it unless its handler frees it.
    SendMessageW(a->Handle(), WM_CLOSE, 0, 0);
    PumpUntilIdle();
    EXPECT_TRUE(IsIconic(a->Handle()));
    EXPECT_EQ(frame->MDIChildCount(), 4);
    a->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    SendMessageW(a->Handle(), WM_CLOSE, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(frame->MDIChildCount(), 3) << "the freed child left the frame";
    delete plain;
    PumpUntilIdle();
    EXPECT_EQ(frame->MDIChildCount(), 2);
    FreeChildren();
    EXPECT_EQ(frame->MDIChildCount(), 0);
}

TEST(UnicodeMDIForms, EightBitChildOfAWideFrame) {
    TUvxForm* frame = Frame();
    EightBitPlatform platform;
    TChildForm* child = NewChild(kAlpha);
    EXPECT_FALSE(IsWindowUnicode(child->Handle())) << "the 8-bit platform makes 8-bit windows";
    EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
    EXPECT_EQ(frame->ActiveMDIChild(), child);
    EXPECT_EQ(frame->MDIChildCount(), 1);
    FreeChildren();
}

namespace {
// The frame's Window menu, each item linked to a wide window action.
struct WindowMenu {
    TUvxMainMenu* menu = new TUvxMainMenu(Frame());
    TUvxMenuItem* window = new TUvxMenuItem(Frame());
    TUvxWindowClose* close = new TUvxWindowClose(Frame());
    TUvxWindowCascade* cascade = new TUvxWindowCascade(Frame());
    TUvxWindowTileHorizontal* tileAcross = new TUvxWindowTileHorizontal(Frame());
    TUvxWindowTileVertical* tileDown = new TUvxWindowTileVertical(Frame());
    TUvxWindowMinimizeAll* minimizeAll = new TUvxWindowMinimizeAll(Frame());
    TUvxWindowArrange* arrange = new TUvxWindowArrange(Frame());
    std::vector<TUvxMenuItem*> items;

    WindowMenu() {
        window->SetCaption(u"\u03A0\u03B1\u03C1\u03AC\u03B8\u03C5\u03C1\u03BF (&W)");
        close->SetCaption(u"\u039A\u03BB\u03B5\u03AF\u03C3\u03B9\u03BC\u03BF (&O)");
        cascade->SetCaption(u"\u0394\u03B9\u03B1\u03B4\u03BF\u03C7\u03B9\u03BA\u03AC (&C)");
        tileAcross->SetCaption(u"\u039F\u03C1\u03B9\u03B6\u03CC\u03BD\u03C4\u03B9\u03B1 (&H)");
        tileAcross->SetShortCut(ShortCut('H', ssCtrl | ssShift));
        tileDown->SetCaption(u"\u039A\u03B1\u03C4\u03B1\u03BA\u03CC\u03C1\u03C5\u03C6\u03B1 (&V)");
        minimizeAll->SetCaption(u"\u0395\u03BB\u03B1\u03C7\u03B9\u03C3\u03C4\u03BF\u03C0\u03BF\u03AF\u03B7\u03C3\u03B7 (&M)");
        arrange->SetCaption(u"\u03A4\u03B1\u03BA\u03C4\u03BF\u03C0\u03BF\u03AF\u03B7\u03C3\u03B7 (&A)");
        arrange->SetHint(u"\u0395\u03B9\u03BA\u03BF\u03BD\u03AF\u03B4\u03B9\u03B1|\u03A4\u03B1\u03BA\u03C4\u03BF\u03C0\u03BF\u03B9\u03B5\u03AF \u03C4\u03B1 \u03B5\u03B9\u03BA\u03BF\u03BD\u03AF\u03B4\u03B9\u03B1");
        for (TCustomAction* action : std::initializer_list<TCustomAction*>{close, cascade, tileAcross, tileDown, minimizeAll, arrange}) {
            auto* item = new TUvxMenuItem(Frame());
            item->SetAction(action);
            window->Add(item);
            items.push_back(item);
        }
        menu->Items()->Add(window);
        Frame()->SetMenu(menu);
        PumpUntilIdle();
    }
    ~WindowMenu() {
        Frame()->SetMenu(nullptr);
        delete menu;
    }
};

}  // namespace

TEST(UnicodeMDIForms, WindowActionsRunFromTheMenuAShortcutAndAButton) {
    WindowMenu m;
    EXPECT_EQ(NativeMenuText(m.window->Handle(), m.items[1]->Command()), m.cascade->GetCaption())
        << "the item shows the action's wide caption";
    EXPECT_EQ(NativeMenuText(m.window->Handle(), m.items[2]->Command()),
              m.tileAcross->GetCaption() + u"\tShift+Ctrl+H");
    for (TCustomAction* action : std::initializer_list<TCustomAction*>{m.close, m.cascade, m.arrange}) {
        action->Update();
        EXPECT_FALSE(action->Enabled()) << action->ClassName() << ": no children, nothing to do";
    }

    TChildForm* a = NewChild(kAlpha);
    TChildForm* b = NewChild(kBeta);
    TChildForm* c = NewChild(kGamma);
    // A button on a child, linked to the tile-down action.
    auto* button = new TUvxButton(c);
    button->SetParent(c);
    button->SetBounds(10, 10, 160, 26);
    button->SetAction(m.tileDown);
    c->CreateChildHandles();
    PumpUntilIdle();
    EXPECT_EQ(button->GetCaption(), m.tileDown->GetCaption());
    for (TCustomAction* action : std::initializer_list<TCustomAction*>{m.close, m.cascade, m.arrange}) {
        action->Update();
        EXPECT_TRUE(action->Enabled()) << action->ClassName();
    }

    ChooseFromMenu('W', 'C');
    RECT ra = RectInClient(a), rb = RectInClient(b), rc = RectInClient(c);
    EXPECT_LT(ra.left, rb.left) << "cascaded: each child further in";
    EXPECT_LT(rb.left, rc.left);
    EXPECT_LT(ra.top, rb.top);
    EXPECT_EQ(ra.right - ra.left, rc.right - rc.left) << "cascaded children share one size";
    SaveScreenshot(Frame()->Handle(), ScreenshotPath("unicode_mdi_cascade"));

    Click(button->Handle(), 20, 10);
    ra = RectInClient(a), rb = RectInClient(b), rc = RectInClient(c);
    EXPECT_EQ(ra.top, rb.top) << "tiled down: side by side";
    EXPECT_EQ(rb.top, rc.top);
    EXPECT_NE(ra.left, rb.left);
    EXPECT_NE(rb.left, rc.left);

    SetForegroundWindow(Frame()->Handle());
    SendKeys({{VK_CONTROL, true}, {VK_SHIFT, true}, {'H', true}, {'H', false}, {VK_SHIFT, false}, {VK_CONTROL, false}});
    ra = RectInClient(a), rb = RectInClient(b), rc = RectInClient(c);
    EXPECT_EQ(ra.left, rb.left) << "tiled across: one above the other";
    EXPECT_EQ(rb.left, rc.left);
    EXPECT_NE(ra.top, rb.top);
    EXPECT_NE(rb.top, rc.top);
    SaveScreenshot(Frame()->Handle(), ScreenshotPath("unicode_mdi_tiled"));

    ChooseFromMenu('W', 'M');
    for (TChildForm* child : {a, b, c}) EXPECT_TRUE(IsIconic(child->Handle())) << "minimized all";
    // One icon dragged away goes back into the row.
    MoveWindow(b->Handle(), 200, 40, RectInClient(b).right - RectInClient(b).left,
               RectInClient(b).bottom - RectInClient(b).top, TRUE);
    EXPECT_NE(RectInClient(b).top, RectInClient(a).top);
    ChooseFromMenu('W', 'A');
    EXPECT_EQ(RectInClient(b).top, RectInClient(a).top) << "arranged in one row";
    EXPECT_EQ(RectInClient(c).top, RectInClient(a).top);

    // Close: the active child goes when its handler frees it.
    TForm* active = Frame()->ActiveMDIChild();
    ASSERT_NE(active, nullptr);
    active->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    ChooseFromMenu('W', 'O');
    EXPECT_EQ(Frame()->MDIChildCount(), 2);
    for (int i = 0; i < Frame()->MDIChildCount(); ++i) EXPECT_NE(Frame()->MDIChildren(i), active);
    FreeChildren();
    m.close->Update();
    EXPECT_FALSE(m.close->Enabled());
}

TEST(UnicodeMDIForms, AWindowActionWorksOnlyOnAFrame) {
    TUvxWindowCascade cascade(nullptr);
    TUvxForm plain(nullptr);
    EXPECT_FALSE(cascade.HandlesTarget(&plain)) << "not a frame";
    EXPECT_TRUE(cascade.HandlesTarget(Frame()));
    cascade.SetForm(&plain);
    EXPECT_FALSE(cascade.HandlesTarget(Frame())) << "the named form only";
    cascade.Update();
    EXPECT_FALSE(cascade.Enabled());
    EXPECT_FALSE(cascade.Execute());
    {
        TUvxForm frameless(nullptr);
        cascade.SetForm(&frameless);
    }
    EXPECT_EQ(cascade.Form(), nullptr) << "a freed form is forgotten";
}
