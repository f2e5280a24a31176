// The help window with real windows: contents tree, context requests, page
// history, links, search and hit stepping, keys; and the single-instance
// hand-over between real viewer processes.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/testing/GuiTest.h"
#include "viewer/HelpForm.h"
#include "viewer/HelpSearch.h"
#include "viewer/OneInstance.h"
#include "viewer/PageText.h"
#include "viewer/SearchScore.h"
#include "viewer/TextSearch.h"
#include "viewer/ViewerInstance.h"
#include "viewer/png/PngGdi.h"

namespace {

std::string Backslashes(std::string s) {
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::string HelpFolder() {
    const char* src = std::getenv("TQ_SOURCE_DIR");
    return Backslashes(std::string(src ? src : ".") + "/viewer/tests/data/help/");
}

// Dispatches through the application, as the program's loop does, so that
// the window's key preview sees the keys first.
void Pump(int ms = 60) {
    DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        Sleep(2);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
}

void PressKey(HWND hwnd, WORD vk, TShiftState shift = 0) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = (shift & ssCtrl) ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
    Pump();
    PostMessageA(hwnd, WM_KEYUP, vk, 0xC0000001);
    Pump(10);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        static bool once = (Application->Initialize(), PngInstallGdi(), true);
        (void)once;
        Form = std::make_unique<THelpForm>(nullptr, HelpFolder());
        Form->LoadContentsTree(HelpFolder() + "helptree.txt");
        Form->LoadContextMap(HelpFolder() + "helpmap.txt");
        Form->FallbackRule = kFallbackContextZero;
        Form->Show();
        Pump();
    }
    void Request(int32_t context) {
        PostMessageA(Form->Handle(), WM_SHOWCONTEXT, static_cast<WPARAM>(context), 0);
        Pump();
    }
    std::string Caption() { return guitest::WindowText(Form->Handle()); }
    // Points the mouse at the first link to target on the shown page and clicks it.
    void ClickLink(const std::string& target) {
        QMHtml* v = Form->view;
        for (const PageItem& it : v->Layout().Items()) {
            if (it.Kind != pkLink || it.Link() != target) continue;
            int x = it.X + 3, y = it.Y - v->ScrollPosition() + 4;
            PostMessageA(v->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            Pump();
            EXPECT_TRUE(v->HandCursor());
            EXPECT_EQ(v->HoveredLink(), target);
            guitest::Click(v->Handle(), x, y);
            return;
        }
        ADD_FAILURE() << "no link to " << target;
    }
    std::unique_ptr<THelpForm> Form;
};

TEST_F(HelpWindowTest, ContextRequestsShowTheirPagesAndSelectTheTree) {
    EXPECT_EQ(Caption(), "Help");
    EXPECT_FALSE(Form->BackButton->Enabled());
    // the tree as helptree.txt gives it: "}" leaves a group open, "}*" closes it
    ASSERT_EQ(Form->PageNames().size(), 6u);
    EXPECT_EQ(Form->TreeNode(2)->Text(), "Editing bytes");
    EXPECT_TRUE(Form->TreeNode(0)->Expanded());
    EXPECT_TRUE(Form->TreeNode(2)->HasChildren());
    EXPECT_FALSE(Form->TreeNode(2)->Expanded());

    Request(2);
    EXPECT_EQ(Caption(), "Editing bytes - Help");
    EXPECT_TRUE(Form->TreeNode(2)->Selected());
    EXPECT_FALSE(Form->BackButton->Enabled());
    Request(4);  // a page inside a collapsed group is still selected
    EXPECT_EQ(Caption(), "Keys - Help");
    EXPECT_TRUE(Form->TreeNode(3)->Selected());
    EXPECT_TRUE(Form->BackButton->Enabled());
    Request(77);  // missing: the page of context 0
    EXPECT_EQ(Caption(), "Tessaly help - Help");
    EXPECT_EQ(Form->view->PagePath(), HelpFolder() + "index.htm");
    guitest::SaveScreenshot(Form->Handle(), guitest::ScreenshotPath("help_window_index"));

    // without the fallback, and with context 0 itself missing, nothing happens
    Form->FallbackRule = kFallbackNothing;
    Request(77);
    EXPECT_EQ(Form->view->PagePath(), HelpFolder() + "index.htm");
}

TEST_F(HelpWindowTest, TreeClickEnterAndEmptyPageNames) {
    Form->TreeNode(4)->SetSelected(true);
    Pump();
    EXPECT_EQ(Form->view->PagePath(), "");  // selecting alone loads nothing
    PressKey(Form->tree->Handle(), VK_RETURN);
    EXPECT_EQ(Caption(), "Searching - Help");
    // the picture of the page is laid out and drawn
    bool picture = false;
    for (const PageItem& it : Form->view->Layout().Items()) picture |= it.Kind == pkPicture && it.Picture();
    EXPECT_TRUE(picture);
    guitest::SaveScreenshot(Form->Handle(), guitest::ScreenshotPath("help_window_search_page"));

    Form->TreeNode(1)->SetSelected(true);
    Form->treeDblClick(Form->tree);
    Pump();
    EXPECT_EQ(Caption(), "Getting started - Help");
}

// The window opens where its layout places it, clear of the editor in the
// corner; its buttons show their glyphs and answer real mouse clicks, a
// disabled one none.
TEST_F(HelpWindowTest, TheWindowsPlaceAndItsGlyphButtons) {
    RECT work{}, r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(Form->Handle(), &r);
    EXPECT_EQ(r.left, work.left + 178);
    EXPECT_EQ(r.top, work.top + 123);
    EXPECT_EQ(r.right - r.left, 630);
    EXPECT_EQ(r.bottom - r.top, 450);
    for (TSpeedButton* b : {Form->BackButton, Form->NextButton, Form->BrowserOpen, Form->PrintB, Form->NextFoundB})
        EXPECT_TRUE(b->HasGlyph()) << b->Caption();

    Request(2);
    ClickLink("index.htm");
    ASSERT_EQ(Caption(), "Tessaly help - Help");
    guitest::Click(Form->BackButton->Handle(), 35, 12);
    Pump();
    EXPECT_EQ(Caption(), "Editing bytes - Help");
    ASSERT_TRUE(Form->NextButton->Enabled());
    guitest::Click(Form->NextButton->Handle(), 16, 12);
    Pump();
    EXPECT_EQ(Caption(), "Tessaly help - Help");
    EXPECT_FALSE(Form->NextButton->Enabled());
    guitest::Click(Form->NextButton->Handle(), 16, 12);
    Pump();
    EXPECT_EQ(Caption(), "Tessaly help - Help");
    // A press that leaves the button before it is let go clicks nothing.
    PostMessageA(Form->BackButton->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 12));
    PostMessageA(Form->BackButton->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 12));
    PostMessageA(Form->BackButton->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 12));
    Pump();
    EXPECT_EQ(Caption(), "Tessaly help - Help");
    guitest::SaveScreenshot(Form->Handle(), guitest::ScreenshotPath("help_window_buttons"));
}

TEST_F(HelpWindowTest, BackForwardLinksAndScrollPositions) {
    // a small view, so that the page scrolls
    Form->SetBounds(10, 10, 420, 260);
    Pump();
    Request(2);
    QMHtml* v = Form->view;
    const int32_t line = v->BaseLineHeight();
    PressKey(v->Handle(), VK_DOWN);
    EXPECT_EQ(v->ScrollPosition(), 3 * line);
    // the wheel: one notch toward the user is 4 lines down
    PostMessageA(v->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    Pump();
    EXPECT_EQ(v->ScrollPosition(), 7 * line);
    const int32_t left = v->ScrollPosition();

    ClickLink("index.htm");
    EXPECT_EQ(Caption(), "Tessaly help - Help");
    EXPECT_EQ(v->ScrollPosition(), 0);
    EXPECT_FALSE(v->HandCursor());
    ClickLink("start.htm");
    EXPECT_EQ(Caption(), "Getting started - Help");

    Form->BackButtonClick(nullptr);
    PressKey(v->Handle(), VK_BACK);  // Backspace goes back too
    EXPECT_EQ(Caption(), "Editing bytes - Help");
    EXPECT_EQ(v->ScrollPosition(), left);  // the place the page was left at
    EXPECT_TRUE(Form->NextButton->Enabled());
    Form->NextButtonClick(nullptr);
    Pump();
    EXPECT_EQ(Caption(), "Tessaly help - Help");

    // a new page after going back drops the forward entries
    Form->BackButtonClick(nullptr);
    Pump();
    ClickLink("keys.htm");
    EXPECT_EQ(Caption(), "Keys - Help");
    EXPECT_FALSE(Form->NextButton->Enabled());
    EXPECT_FALSE(v->CanGoForward());

    // F5 reloads without a history entry and keeps the place
    Request(2);
    PressKey(v->Handle(), VK_NEXT);
    int32_t place = v->ScrollPosition();
    EXPECT_GT(place, 0);
    PressKey(v->Handle(), VK_F5);
    EXPECT_EQ(v->ScrollPosition(), place);
    PressKey(v->Handle(), VK_BACK);
    EXPECT_EQ(Caption(), "Keys - Help");
}

TEST_F(HelpWindowTest, MouseClickOnTheTreeAndEmptyPageNames) {
    RECT r{};
    HWND treeWindow = Form->tree->Handle();
    const HTREEITEM item = Form->TreeNode(1)->ItemId();
    std::memcpy(&r, &item, sizeof item);  // the item goes in where the rectangle comes back
    ASSERT_TRUE(SendMessageA(treeWindow, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    // Both halves of the click are queued first: the tree follows the mouse
    // in a loop of its own until the button comes up.
    LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
    PostMessageA(treeWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(treeWindow, WM_LBUTTONUP, 0, at);
    Pump(150);
    EXPECT_EQ(Caption(), "Getting started - Help");

    // a contents entry with an empty page line
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string treeFile = std::string(temp) + "vellumo_empty_tree.txt";
    HANDLE f = CreateFileA(treeFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "Nothing here\r\n\r\nKeys\r\nkeys.htm\r\n";
    DWORD written;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);
    Form->LoadContentsTree(treeFile);
    DeleteFileA(treeFile.c_str());
    ASSERT_EQ(Form->PageNames().size(), 2u);
    Form->TreeNode(0)->SetSelected(true);
    PressKey(Form->tree->Handle(), VK_RETURN);
    EXPECT_EQ(Caption(), "Getting started - Help");
    EXPECT_FALSE(Form->view->CanGoBack());
}

TEST_F(HelpWindowTest, HoverScrollBarAndResize) {
    Form->SetBounds(10, 10, 480, 300);
    Request(100);
    QMHtml* v = Form->view;
    std::vector<PageItem> links;
    for (const PageItem& it : v->Layout().Items())
        if (it.Kind == pkLink) links.push_back(it);
    ASSERT_GE(links.size(), 2u);
    auto move = [&](int x, int y) {
        PostMessageA(v->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Pump(20);
    };
    move(links[0].X + 2, links[0].Y + 3);
    EXPECT_TRUE(v->HandCursor());
    move(links[1].X + 2, links[1].Y + 3);  // straight onto the next link
    EXPECT_TRUE(v->HandCursor());
    EXPECT_EQ(v->HoveredLink(), links[1].Link());
    move(2, 2);
    EXPECT_FALSE(v->HandCursor());
    EXPECT_EQ(v->HoveredLink(), "");

    Request(2);
    const int32_t line = v->BaseLineHeight();
    SendMessageA(v->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(v->ScrollPosition(), 3 * line);
    SendMessageA(v->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    EXPECT_EQ(v->ScrollPosition(), 40);
    EXPECT_EQ(GetScrollPos(v->Handle(), SB_VERT), 40);
    // a turn of 60 away from the user: 2 lines up
    PostMessageA(v->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    Pump();
    EXPECT_EQ(v->ScrollPosition(), 40 - 2 * line);

    // a narrower view wraps the text again and keeps the place
    const int32_t place = v->ScrollPosition(), tall = v->Layout().PageHeight();
    Form->SetBounds(10, 10, 400, 300);
    Pump();
    EXPECT_GT(v->Layout().PageHeight(), tall);
    EXPECT_EQ(v->ScrollPosition(), place);
}

TEST_F(HelpWindowTest, EmptySearchBeforeAnySearchOnlySteps) {
    Request(2);
    Form->SearchBClick(nullptr);  // equals the initial last query
    EXPECT_EQ(Form->Resbox->Count(), 0);
    EXPECT_EQ(Form->view->HitCount(), 0);
    EXPECT_EQ(Form->view->CurrentHit(), 0);
}

// Closes the next message box captioned "Help" from another thread and
// gives back its text.
std::string AnswerMessageBox() {
    for (int i = 0; i < 300; ++i) {
        HWND box = FindWindowA("#32770", "Help");
        if (box) {
            char text[256] = {};
            HWND label = GetDlgItem(box, 0xFFFF);
            if (label) GetWindowTextA(label, text, sizeof text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return text;
        }
        Sleep(10);
    }
    return "(no message box)";
}

TEST_F(HelpWindowTest, SearchRanksPagesAndStepsThroughHits) {
    Request(1);
    Form->PageControl1->SetActivePage(Form->TabSheet2);
    Pump();
    Form->SearchEdit->SetText("BYTES");
    PressKey(Form->SearchEdit->Handle(), VK_RETURN);  // the default button searches

    // every page holding the word, best first; equal scores by path, higher first
    std::vector<std::string> pages = Form->SearchPaths();
    ASSERT_EQ(pages.size(), 6u);  // the .htm files only
    const std::vector<std::string> results = Form->ResultPaths();
    ASSERT_EQ(results.size(), 4u);  // index, start, editing and search hold the word
    double previous = 1e300;
    for (size_t i = 0; i < results.size(); ++i) {
        HtmlInfo info = ExtractPageText(results[i]);
        double score = SearchScore(CountOccurrences(info.Body, "bytes"), CountOccurrences(info.Title, "bytes"), 1,
                                   static_cast<int64_t>(info.Body.size()));
        EXPECT_LE(score, previous) << results[i];
        previous = score;
        EXPECT_EQ(Form->Resbox->Item(static_cast<int>(i)), info.Title);
    }
    // no line selected: the first result is shown
    Form->Resbox->SetItemIndex(-1);
    Form->ResboxDblClick(nullptr);
    Pump();
    EXPECT_EQ(Form->view->PagePath(), results[0]);
    // the page with most hits, chosen in the list
    int editing = -1;
    for (size_t i = 0; i < results.size(); ++i)
        if (results[i] == HelpFolder() + "editing.htm") editing = static_cast<int>(i);
    ASSERT_GE(editing, 0);
    Form->Resbox->SetItemIndex(editing);
    Form->ResboxDblClick(nullptr);
    Pump();
    EXPECT_EQ(Caption(), "Editing bytes - Help");
    const int32_t hits = Form->view->HitCount();
    ASSERT_GE(hits, 3);
    EXPECT_EQ(guitest::WindowText(Form->FndL->Handle()), "Number of times found: " + std::to_string(hits));
    EXPECT_EQ(Form->view->CurrentHit(), 0);
    guitest::SaveScreenshot(Form->Handle(), guitest::ScreenshotPath("help_window_search_hits"));

    // F3, a second Search with the same text, and the result of the page shown all step on
    PressKey(Form->view->Handle(), VK_F3);
    EXPECT_EQ(Form->view->CurrentHit(), 1);
    Form->SearchBClick(nullptr);
    EXPECT_EQ(Form->view->CurrentHit(), 2);
    Form->ResboxDblClick(nullptr);
    EXPECT_EQ(Form->view->CurrentHit(), hits > 3 ? 3 : 0);
    for (int i = 0; i < hits; ++i) Form->NextFoundBClick(nullptr);
    EXPECT_EQ(Form->view->CurrentHit(), hits > 3 ? 3 : 0);  // wrapped around once

    // a word that occurs nowhere: the message, and an empty list
    Form->SearchEdit->SetText("zebra bytes");
    std::string said;
    std::thread answer([&] { said = AnswerMessageBox(); });
    Form->SearchBClick(nullptr);
    answer.join();
    EXPECT_EQ(said, "The text is not found.");
    EXPECT_EQ(Form->Resbox->Count(), 0);
    EXPECT_EQ(Caption(), "Editing bytes - Help");  // the page shown stays
}

TEST_F(HelpWindowTest, PictureThatCannotBeLoadedIsToldOnceAndThePageStillLoads) {
    // A page beside a broken picture, in a folder of its own.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "vellumo_broken\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* src = std::getenv("TQ_SOURCE_DIR");
    ASSERT_TRUE(CopyFileA(Backslashes(std::string(src ? src : ".") + "/viewer/tests/data/pages/broken.png").c_str(),
                          (folder + "broken.png").c_str(), FALSE));
    const char page[] = "<html><head><title>Broken</title></head><body><p>Before<img src=\"broken.png\"><p>After</body></html>";
    HANDLE f = CreateFileA((folder + "broken.htm").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(f, page, sizeof page - 1, &written, nullptr);
    CloseHandle(f);

    std::string said;
    std::thread answer([&] {
        for (int i = 0; i < 500 && said.empty(); ++i) {
            HWND box = FindWindowA("#32770", Application->Title().c_str());
            if (box) {
                char text[256] = {};
                GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
                said = text[0] ? text : "(empty)";
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(10);
        }
    });
    Form->ShowPageFile(folder + "broken.htm", true);
    answer.join();
    EXPECT_TRUE(!said.empty() && said != "(empty)") << said;
    EXPECT_EQ(Caption(), "Broken - Help");  // the page-loaded event ran all the same
    bool after = false;
    for (const PageItem& it : Form->view->Layout().Items()) after |= it.Text().find("After") != std::string_view::npos;
    EXPECT_TRUE(after);
    // a resize lays the page out again without telling it again
    Form->SetBounds(20, 20, 500, 320);
    Pump();
    EXPECT_EQ(FindWindowA("#32770", Application->Title().c_str()), nullptr);

    DeleteFileA((folder + "broken.htm").c_str());
    DeleteFileA((folder + "broken.png").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(HelpWindowTest, EscapeAndCtrlF) {
    Request(2);
    PressKey(Form->view->Handle(), 'F', ssCtrl);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheet2);
    EXPECT_TRUE(Form->SearchEdit->Focused());
    PressKey(Form->SearchEdit->Handle(), VK_TAB);  // Tab goes on to the next control
    EXPECT_FALSE(Form->SearchEdit->Focused());
    PressKey(Form->SearchEdit->Handle(), VK_ESCAPE);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheet1);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    PressKey(Form->tree->Handle(), VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
}

// ---- the single-instance hand-over between real processes ----

// The program as built.
std::string BuiltViewer() {
    const char* bin = std::getenv("TQ_BINARY_DIR");
    return Backslashes(std::string(bin ? bin : ".") + "/bin/Vellumo.exe");
}

// The built program installed in a temporary folder of its own beside the
// test manual: the copies these tests start show known pages and meet no
// viewer but their own. Failed names the first file that could not be copied.
struct ViewerInstall {
    std::string Folder;
    std::string Failed;
    explicit ViewerInstall(const std::string& name) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        Folder = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(Folder.c_str(), nullptr);
        Copy(BuiltViewer(), "Vellumo.exe");
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((HelpFolder() + "*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) {
            Failed = HelpFolder();
            return;
        }
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) Copy(HelpFolder() + found.cFileName, found.cFileName);
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    ~ViewerInstall() {
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((Folder + "*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((Folder + found.cFileName).c_str());
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        RemoveDirectoryA(Folder.c_str());
    }
    std::string Program() const { return Folder + "Vellumo.exe"; }
    void Copy(const std::string& from, const std::string& name) {
        if (!CopyFileA(from.c_str(), (Folder + name).c_str(), FALSE) && Failed.empty()) Failed = from;
    }
};

struct ViewerProcess {
    PROCESS_INFORMATION Info{};
    bool Start(const std::string& program, const std::string& args) {
        std::string cmd = "\"" + program + "\"" + (args.empty() ? "" : " " + args);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &Info);
    }
    // The exit code, or -2 when it did not end in time.
    int Wait(DWORD ms) {
        if (WaitForSingleObject(Info.hProcess, ms) != WAIT_OBJECT_0) return -2;
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return static_cast<int>(code);
    }
    ~ViewerProcess() {
        if (!Info.hProcess) return;
        if (Wait(0) == -2) TerminateProcess(Info.hProcess, 1);
        CloseHandle(Info.hProcess);
        CloseHandle(Info.hThread);
    }
};

struct WindowSearch {
    DWORD Pid;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchViewerWindow(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (owner == s->Pid && std::string(cls) == "THelpForm") {
        s->Found = h;
        return FALSE;
    }
    return TRUE;
}

HWND ViewerWindowOf(DWORD pid) {
    WindowSearch s{pid};
    EnumWindows(MatchViewerWindow, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

// Waits until the viewer's window shows caption; gives the caption last seen.
std::string WaitForCaption(DWORD pid, const std::string& caption) {
    std::string seen;
    for (int i = 0; i < 500; ++i) {
        if (HWND w = ViewerWindowOf(pid)) {
            seen = guitest::WindowText(w);
            if (seen == caption) return seen;
        }
        Sleep(20);
    }
    return seen;
}

// The block carries a handle as 32 bits; one with the top bit set comes back
// whole in a 64-bit reader too. A second holder finds it; a holder that holds
// a block refuses another search or registration.
TEST(ViewerInstanceTest, TheBlockCarriesTheWindowHandle) {
    const std::string name = InstanceName("C:\\block test " + std::to_string(GetCurrentProcessId()) + "\\Vellumo.exe");
    for (int32_t raw : {0x0001006A, static_cast<int32_t>(0x8000F00Du)}) {
        const std::string n = name + std::to_string(raw);
        HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(raw));
        TOneInstance reader;
        EXPECT_EQ(reader.Find(n), nullptr);
        EXPECT_FALSE(reader.Holding());
        TOneInstance writer;
        writer.Register(n, window);
        EXPECT_TRUE(writer.Holding());
        EXPECT_EQ(reader.Find(n), window);
        EXPECT_FALSE(reader.Holding());
        EXPECT_THROW(writer.Find(n), Exception);
        EXPECT_THROW(writer.Register(n, window), Exception);
    }
}

TEST(ViewerInstanceTest, SecondCopyHandsOverAndMinusOneCloses) {
    ViewerInstall install("vellumo_handover");
    ASSERT_EQ(install.Failed, "");
    const std::string program = install.Program();
    {
        // "-1" with no viewer running: nothing shown, ends at once
        ViewerProcess closer;
        ASSERT_TRUE(closer.Start(program, "-1"));
        EXPECT_EQ(closer.Wait(10000), 0);
        EXPECT_EQ(ViewerWindowOf(closer.Info.dwProcessId), nullptr);
    }
    ViewerProcess first;
    ASSERT_TRUE(first.Start(program, "2")) << program;
    ASSERT_EQ(WaitForCaption(first.Info.dwProcessId, "Editing bytes - Help"), "Editing bytes - Help");
    HWND window = ViewerWindowOf(first.Info.dwProcessId);
    guitest::SaveScreenshot(window, guitest::ScreenshotPath("viewer_process_editing"));

    ViewerProcess second;
    ASSERT_TRUE(second.Start(program, "3"));
    EXPECT_EQ(second.Wait(10000), 0);
    EXPECT_EQ(WaitForCaption(first.Info.dwProcessId, "Searching - Help"), "Searching - Help");

    // two arguments count as none: the running viewer only comes to the front
    ViewerProcess third;
    ASSERT_TRUE(third.Start(program, "4 5"));
    EXPECT_EQ(third.Wait(10000), 0);
    Sleep(200);
    EXPECT_EQ(guitest::WindowText(window), "Searching - Help");

    ViewerProcess closer;
    ASSERT_TRUE(closer.Start(program, "-1"));
    EXPECT_EQ(closer.Wait(10000), 0);
    EXPECT_EQ(first.Wait(10000), 0);
}

TEST(ViewerInstanceTest, BadNumberIsShownAndNoArgumentOpensAnEmptyWindow) {
    ViewerInstall install("vellumo_plain");
    ASSERT_EQ(install.Failed, "");
    const std::string program = install.Program();
    ViewerProcess bad;
    ASSERT_TRUE(bad.Start(program, "12x"));
    std::string said;
    for (int i = 0; i < 500 && said.empty(); ++i) {
        HWND box = FindWindowA("#32770", "Vellumo");
        if (box) {
            char text[256] = {};
            GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
            said = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(20);
    }
    EXPECT_EQ(said, "'12x' is not a valid integer value.");
    EXPECT_EQ(bad.Wait(10000), 0);
    EXPECT_EQ(ViewerWindowOf(bad.Info.dwProcessId), nullptr);

    ViewerProcess plain;
    ASSERT_TRUE(plain.Start(program, ""));
    EXPECT_EQ(WaitForCaption(plain.Info.dwProcessId, "Help"), "Help");
    ViewerProcess closer;
    ASSERT_TRUE(closer.Start(program, "-1"));
    EXPECT_EQ(closer.Wait(10000), 0);
    EXPECT_EQ(plain.Wait(10000), 0);
}

TEST(ViewerInstanceTest, CopiesInDifferentFoldersServeTheirOwnRequests) {
    ViewerInstall hereInstall("vellumo_here"), thereInstall("vellumo_there");
    ASSERT_EQ(hereInstall.Failed, "");
    ASSERT_EQ(thereInstall.Failed, "");

    ViewerProcess here, there;
    ASSERT_TRUE(here.Start(hereInstall.Program(), "4"));
    ASSERT_EQ(WaitForCaption(here.Info.dwProcessId, "Keys - Help"), "Keys - Help");
    ASSERT_TRUE(there.Start(thereInstall.Program(), "1"));
    EXPECT_EQ(WaitForCaption(there.Info.dwProcessId, "Getting started - Help"), "Getting started - Help");
    EXPECT_EQ(guitest::WindowText(ViewerWindowOf(here.Info.dwProcessId)), "Keys - Help");

    for (ViewerProcess* p : {&here, &there}) PostMessageA(ViewerWindowOf(p->Info.dwProcessId), WM_SHOWCONTEXT, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(here.Wait(10000), 0);
    EXPECT_EQ(there.Wait(10000), 0);
}

}  // namespace

namespace {

// The editor's own manual as installed: its pages show their screenshots,
// drawn into the page view.
TEST(InstalledManualWindow, PagesShowTheirScreenshots) {
    static bool once = (Application->Initialize(), PngInstallGdi(), true);
    (void)once;
    for (const char* language : {"en", "nl"}) {
        SCOPED_TRACE(language);
        const char* bin = std::getenv("TQ_BINARY_DIR");
        const std::string folder = Backslashes(std::string(bin ? bin : ".") + "/bin/help_" + language + "/");
        THelpForm form(nullptr, folder);
        form.LoadContentsTree(folder + "helptree.txt");
        form.LoadContextMap(folder + "helpmap.txt");
        form.Show();
        form.SetBounds(40, 40, 760, 640);
        form.ShowPage("views.htm", true);
        Pump(200);
        std::optional<PageItem> shot;
        for (const PageItem& it : form.view->Layout().Items())
            if (it.Kind == pkPicture && it.Picture()) shot = it;
        ASSERT_TRUE(shot.has_value());
        EXPECT_TRUE(form.view->Layout().LayoutError().empty()) << form.view->Layout().LayoutError();
        // The editor's dark views in the middle of the picture, on a white page.
        const int x = shot->X + shot->Picture()->Width() / 4, y = shot->Y + 2 + shot->Picture()->Height() / 2;
        ASSERT_LT(y, form.view->Height());
        const COLORREF inside = guitest::PixelAt(form.view->Handle(), x, y);
        EXPECT_LT(GetRValue(inside) + GetGValue(inside) + GetBValue(inside), 3 * 200) << std::hex << inside;
        guitest::SaveScreenshot(form.Handle(), guitest::ScreenshotPath(std::string("help_manual_views_") + language));
    }
}

}  // namespace
