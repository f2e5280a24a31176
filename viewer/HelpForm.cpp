#include "viewer/HelpForm.h"

#include <commctrl.h>

#include <algorithm>
#include <shellapi.h>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"
#include "framework/WinStreams.h"
#include "viewer/HelpIndex.h"
#include "viewer/HelpSearch.h"
#include "viewer/PageText.h"
#include "viewer/ViewerInstance.h"
#include "viewer/Win32FolderReader.h"

THelpForm* HelpForm = nullptr;

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1);
}

// The lines of a text file, as the string list reads them; raises
// EFOpenError when the file cannot be opened.
std::vector<std::string> ReadLines(const std::string& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    std::string text;
    char buffer[4096];
    for (int32_t n; (n = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    return SplitLines(text);
}

// The tree's three pictures: a closed book, an open book, a page.
HIMAGELIST MakeTreeImages() {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    for (int image = 0; image < 3; ++image) {
        HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT all{0, 0, 16, 16};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &all, magenta);
        DeleteObject(magenta);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        HBRUSH fill = CreateSolidBrush(image == 2 ? RGB(255, 255, 255) : RGB(40, 80, 200));
        HGDIOBJ op = SelectObject(dc, pen), ob = SelectObject(dc, fill);
        if (image == 0) {
            Rectangle(dc, 3, 1, 13, 15);
        } else if (image == 1) {
            Rectangle(dc, 1, 3, 8, 14);
            Rectangle(dc, 8, 3, 15, 14);
        } else {
            Rectangle(dc, 3, 1, 13, 15);
            for (int y = 4; y < 13; y += 3) {
                MoveToEx(dc, 5, y, nullptr);
                LineTo(dc, 11, y);
            }
        }
        SelectObject(dc, op);
        SelectObject(dc, ob);
        DeleteObject(pen);
        DeleteObject(fill);
        SelectObject(dc, old);
        ImageList_AddMasked(list, bmp, RGB(255, 0, 255));
        DeleteObject(bmp);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return list;
}

template <class T>
T* Place(T* control, TWinControl* parent, int left, int top, int width, int height, const std::string& caption = {}) {
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

}  // namespace

THelpForm::THelpForm(TComponent* owner) : THelpForm(owner, ProgramFolder()) {}

THelpForm::THelpForm(TComponent* owner, const std::string& folder) : TForm(owner), ViewerFolder_(folder) {
    // Where the layout puts the window: clear of the editor's corner, and
    // moved in when a small screen would cut it off.
    RECT work{0, 0, 1024, 768};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    FWidth = 630;
    FHeight = 450;
    FLeft = std::max<int>(work.left, std::min<int>(work.left + 178, work.right - FWidth));
    FTop = std::max<int>(work.top, std::min<int>(work.top + 123, work.bottom - FHeight));
    FCaption = "Help";
    BuildLayout();
    FallbackRule = kFallbackNothing;
    view->OnPageLoaded = [this](QMHtml* v) { PageLoaded(v); };
    BackButton->SetEnabled(view->CanGoBack());
    NextButton->SetEnabled(view->CanGoForward());
    view->SetFocus();
    SearchPages_ = SearchablePages(ListFiles(ViewerFolder_, false));
    // Key preview: the window sees every key before the focused control.
    PreviousOnMessage_ = Application->OnMessage;
    Application->OnMessage = [this](MSG& msg) {
        if (KeyPreview(msg)) return true;
        return PreviousOnMessage_ ? PreviousOnMessage_(msg) : false;
    };
}

THelpForm::~THelpForm() {
    Application->OnMessage = PreviousOnMessage_;
    // The controls go with the window, before the image list they show.
    DestroyHandle();
    if (Images_) ImageList_Destroy(Images_);
    if (HelpForm == this) HelpForm = nullptr;
}

void THelpForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.Style &= ~WS_MINIMIZEBOX;  // system menu and maximise only
}

void THelpForm::AddHint(TWinControl* control, const std::string& text) {
    if (!Hints_)
        Hints_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!Hints_) return;  // no hints is no reason to fail the window
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = Handle();
    info.uId = reinterpret_cast<UINT_PTR>(control->Handle());
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(Hints_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void THelpForm::BuildLayout() {
    Handle();
    PageControl1 = Place(new TPageControl(this), this, 0, 0, TabsWidth_, 400);
    PageControl1->Handle();
    TabSheet1 = new TTabSheet(this, PageControl1, "Content");
    Images_ = MakeTreeImages();
    tree = new TTreeView(this);
    tree->Images = Images_;
    tree->Indent = 19;
    tree->SetParent(TabSheet1);
    tree->Handle();
    TabSheet1->OnResize = [this](TObject*) { tree->SetBounds(0, 0, TabSheet1->Width(), TabSheet1->Height()); };
    tree->OnClick = [this](TObject* s) { treeDblClick(s); };
    tree->OnDblClick = [this](TObject* s) { treeDblClick(s); };
    tree->OnKeyDown = [this](TObject* s, WORD& key, TShiftState) {
        if (key == VK_RETURN) treeDblClick(s);
    };
    tree->OnKeyPress = [](TObject*, char& key) { key = 0; };  // no type-to-find
    auto image = [](TObject*, TTreeNode* node) {
        int i = node->HasChildren() ? (node->Expanded() ? 1 : 0) : 2;
        node->ImageIndex = i;
        node->SelectedIndex = i;
    };
    tree->OnGetImageIndex = image;
    tree->OnGetSelectedIndex = image;

    TabSheet2 = new TTabSheet(this, PageControl1, "Search");
    TabSheet2->OnShow = [this](TObject*) { SearchEdit->SetFocus(); };
    Panel3 = Place(new TPanel(this), TabSheet2, 0, 0, 209, 89);
    Label1 = Place(new TLabel(this), Panel3, 8, 8, 120, 16, "Search for");
    SearchEdit = Place(new TEdit(this), Panel3, 8, 32, 209, 21);
    SearchB = Place(new TButton(this), Panel3, 144, 56, 75, 25, "Search");
    Panel4 = Place(new TPanel(this), TabSheet2, 0, 89, 209, 280);
    Label3 = new TLabel(this);
    Label3->Alignment = taCenter;
    Place(Label3, Panel4, 0, 4, 209, 20, "On this page:");
    Panel5 = new TPanel(this);
    Panel5->Bevel = bvLowered;
    Place(Panel5, Panel4, 0, 24, 209, 40);
    NextFoundB = Place(new TSpeedButton(this), Panel5, 161, 8, 32, 25);
    NextFoundB->LoadGlyph("NEXTHITGLYPH");
    FndL = Place(new TLabel(this), Panel5, 8, 14, 150, 16);
    Label2 = new TLabel(this);
    Label2->Alignment = taCenter;
    Place(Label2, Panel4, 0, 68, 209, 20, "On all pages: (sorted)");
    Resbox = Place(new TListBox(this), Panel4, 0, 88, 209, 150);
    Panel6 = Place(new TPanel(this), Panel4, 0, 240, 209, 32);
    DispB = Place(new TButton(this), Panel6, 80, 4, 137, 25, "Display");
    for (TWinControl* c : std::initializer_list<TWinControl*>{Panel3, Label1, SearchEdit, SearchB, Panel4, Label3, Panel5,
                                                              NextFoundB, FndL, Label2, Resbox, Panel6, DispB})
        c->Handle();
    TabSheet2->OnResize = [this](TObject*) { ArrangeSearchTab(); };
    Panel3->OnResize = [this](TObject*) {
        // Panel3Resize: the buttons keep 10 pixels from the right edge.
        int w = Panel3->Width();
        SearchB->SetBounds(w - SearchB->Width() - 10, SearchB->Top(), SearchB->Width(), SearchB->Height());
        NextFoundB->SetBounds(w - NextFoundB->Width() - 10, NextFoundB->Top(), NextFoundB->Width(), NextFoundB->Height());
        DispB->SetBounds(w - DispB->Width() - 10, DispB->Top(), DispB->Width(), DispB->Height());
        SearchEdit->SetBounds(SearchEdit->Left(), SearchEdit->Top(), w - SearchEdit->Left() - 10, SearchEdit->Height());
    };
    Panel4->OnResize = [this](TObject*) { ArrangeSearchTab(); };
    SearchB->OnClick = [this](TObject* s) { SearchBClick(s); };
    NextFoundB->OnClick = [this](TObject* s) { NextFoundBClick(s); };
    Resbox->OnDblClick = [this](TObject* s) { ResboxDblClick(s); };
    DispB->OnClick = [this](TObject* s) { ResboxDblClick(s); };
    SearchEdit->OnEnter = [this](TObject*) { SetDefaultButton(SearchB); };
    Resbox->OnEnter = [this](TObject*) { SetDefaultButton(DispB); };
    SetDefaultButton(SearchB);
    AddHint(NextFoundB, "Search for next on current page (F3)");

    splitter = Place(new TSplitter(this), this, TabsWidth_, 0, 4, 400);
    splitter->Handle();
    splitter->OnMoved = [this](int left) {
        TabsWidth_ = left;
        Resize();
    };
    Panel1 = Place(new TPanel(this), this, TabsWidth_ + 4, 0, 400, 400);
    Panel1->Handle();
    Panel2 = Place(new TPanel(this), Panel1, 0, 0, 400, 34);
    Panel2->Handle();
    BackButton = Place(new TSpeedButton(this), Panel2, 3, 4, 70, 25, "back");
    BackButton->LoadGlyph("BACKGLYPH");
    NextButton = Place(new TSpeedButton(this), Panel2, 81, 4, 32, 25);
    NextButton->LoadGlyph("FORWARDGLYPH");
    Bevel1 = new TBevel(this);
    Bevel1->Shape = bsLeftLine;
    Place(Bevel1, Panel2, 120, 4, 2, 25);
    Bevel2 = new TBevel(this);
    Bevel2->Shape = bsBottomLine;
    Place(Bevel2, Panel2, 0, 32, 400, 2);
    BrowserOpen = Place(new TSpeedButton(this), Panel2, 312, 4, 73, 25, "Open");
    BrowserOpen->LoadGlyph("OPENGLYPH");
    PrintB = Place(new TSpeedButton(this), Panel2, 232, 4, 73, 25, "Print");
    PrintB->LoadGlyph("PRINTGLYPH");
    PrintB->SetVisible(false);
    for (TWinControl* c : std::initializer_list<TWinControl*>{BackButton, NextButton, Bevel1, Bevel2, BrowserOpen})
        c->Handle();
    BackButton->OnClick = [this](TObject* s) { BackButtonClick(s); };
    NextButton->OnClick = [this](TObject* s) { NextButtonClick(s); };
    BrowserOpen->OnClick = [this](TObject* s) { BrowserOpenClick(s); };
    PrintB->OnClick = [this](TObject* s) { PrintBClick(s); };
    view = Place(new QMHtml(this), Panel1, 0, 34, 400, 366);
    view->Handle();
    Panel1->OnResize = [this](TObject*) { ArrangePagePanel(); };
    Resize();
}

void THelpForm::Resize() {
    if (FHandle) {
        int w = ClientWidth(), h = ClientHeight();
        if (TabsWidth_ > w - 40) TabsWidth_ = w - 40 > 30 ? w - 40 : 30;
        PageControl1->SetBounds(0, 0, TabsWidth_, h);
        splitter->SetBounds(TabsWidth_, 0, 4, h);
        Panel1->SetBounds(TabsWidth_ + 4, 0, w - TabsWidth_ - 4 > 0 ? w - TabsWidth_ - 4 : 0, h);
    }
    TForm::Resize();
}

void THelpForm::ArrangeSearchTab() {
    int w = TabSheet2->Width(), h = TabSheet2->Height();
    Panel3->SetBounds(0, 0, w, 89);
    Panel3->OnResize(Panel3);  // also when the size did not change, for the first arrangement
    Panel4->SetBounds(0, 89, w, h - 89 > 0 ? h - 89 : 0);
    int ph = Panel4->Height();
    Label3->SetBounds(0, 4, w, 20);
    Panel5->SetBounds(0, 24, w, 40);
    FndL->SetBounds(8, 14, w - 8 - NextFoundB->Width() - 14, 16);
    Label2->SetBounds(0, 68, w, 20);
    Panel6->SetBounds(0, ph - 32, w, 32);
    Resbox->SetBounds(0, 88, w, ph - 32 - 88 > 0 ? ph - 32 - 88 : 0);
}

void THelpForm::ArrangePagePanel() {
    int w = Panel1->Width(), h = Panel1->Height();
    Panel2->SetBounds(0, 0, w, 34);
    Bevel2->SetBounds(0, 32, w, 2);
    view->SetBounds(0, 34, w, h - 34 > 0 ? h - 34 : 0);
    // Panel1Resize: Open keeps 10 pixels from the right edge, Print beside it.
    BrowserOpen->SetBounds(w - BrowserOpen->Width() - 10, BrowserOpen->Top(), BrowserOpen->Width(), BrowserOpen->Height());
    PrintB->SetBounds(BrowserOpen->Left() - PrintB->Width() - 10, PrintB->Top(), PrintB->Width(), PrintB->Height());
}

LRESULT THelpForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SHOWCONTEXT: WMShowContext(static_cast<int32_t>(wParam)); return 0;
        case WM_COMMAND:
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (ReflectToControl(msg, wParam, lParam, result)) return result;
            return TForm::WndProc(msg, wParam, lParam);
        }
        default: return TForm::WndProc(msg, wParam, lParam);
    }
}

void THelpForm::LoadContentsTree(const std::string& path) {
    tree->Clear();
    PageNames_.clear();
    TreeNodes_.clear();
    ContentsTree contents = ParseContentsTree(ReadLines(path));
    for (size_t i = 0; i < contents.Entries.size(); ++i) {
        const ContentsEntry& e = contents.Entries[i];
        TTreeNode* parent = e.Parent >= 0 ? TreeNodes_[static_cast<size_t>(e.Parent)] : nullptr;
        TTreeNode* node = tree->AddChild(parent, e.Title, static_cast<intptr_t>(PageNames_.size()));
        node->ImageIndex = node->SelectedIndex = 2;
        PageNames_.push_back(e.Page);
        TreeNodes_.push_back(node);
    }
    for (size_t i = 0; i < contents.Folds.size(); ++i) {
        if (contents.Folds[i] == FoldState::Expanded) TreeNodes_[i]->Expand(false);
        else if (contents.Folds[i] == FoldState::Collapsed) TreeNodes_[i]->Collapse(false);
    }
}

void THelpForm::LoadContextMap(const std::string& path) { ContextMap_ = ParseContextMap(ReadLines(path)); }

void THelpForm::WMShowContext(int32_t number) {
    if (number == kCloseViewerContext) Close();
    else ShowContext(number, true);
}

void THelpForm::ShowContext(int32_t number, bool show) {
    auto found = ContextMap_.find(number);
    if (found != ContextMap_.end()) ShowPage(found->second, show);
    else if (FallbackRule == kFallbackContextZero && number != 0) ShowContext(0, show);
}

void THelpForm::ShowPage(const std::string& name, bool show) { ShowPageFile(ViewerFolder_ + name, show); }

void THelpForm::ShowPageFile(const std::string& path, bool show) {
    view->LoadPage(path, true);
    if (show) Show();
    if (IsWindowVisible(view->Handle())) view->SetFocus();
}

void THelpForm::PageLoaded(QMHtml* sender) {
    SetCaption(view->PageTitle() + " - " + "Help");
    BackButton->SetEnabled(view->CanGoBack());
    NextButton->SetEnabled(view->CanGoForward());
    for (size_t i = 0; i < PageNames_.size(); ++i) {
        if (ViewerFolder_ + PageNames_[i] != view->PagePath()) continue;
        if (!TreeNodes_[i]->Selected()) TreeNodes_[i]->SetSelected(true);
        break;
    }
    FndL->SetCaption("Number of times found: " + IntToStr(view->HitCount()));
    if (PageControl1->ActivePage() == TabSheet2 && view->HitCount() > 0 && !LastQuery_.empty()) view->ScrollToHit(0);
}

void THelpForm::treeDblClick(TObject*) {
    TTreeNode* node = tree->Selected();
    std::string name = node ? PageNames_[static_cast<size_t>(node->Data)] : std::string();
    if (!name.empty()) view->LoadPage(ViewerFolder_ + name, true);
}

void THelpForm::BackButtonClick(TObject*) { view->Back(); }
void THelpForm::NextButtonClick(TObject*) { view->Forward(); }

void THelpForm::ShellOpen(const char* verb, const std::string& failure) {
    const std::string& path = view->PagePath();
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, verb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) Application->MessageBox(failure, Application->Title(), MB_OK);
}

void THelpForm::BrowserOpenClick(TObject*) { ShellOpen("open", "Cannot open file"); }
void THelpForm::PrintBClick(TObject*) { ShellOpen("print", "Cannot print file"); }

void THelpForm::SearchBClick(TObject* sender) {
    std::string query = SearchEdit->Text();
    if (query == LastQuery_) {
        NextFoundBClick(sender);
        return;
    }
    Sentence words;
    words.Split(query, BlankDelimiters());
    LastQuery_ = query;
    Resbox->Clear();
    ResultPaths_.clear();
    view->SetSearchWords(words);
    std::vector<SearchResult> results = SearchPages(SearchPages_, QueryWords(query), PageTexts_);
    if (results.empty()) {
        Application->MessageBox("The text is not found.", "Help", MB_OK);
        return;
    }
    for (const SearchResult& r : results) {
        Resbox->Add(r.Title);
        ResultPaths_.push_back(r.Path);
    }
}

void THelpForm::NextFoundBClick(TObject*) { view->NextHit(); }

void THelpForm::ResboxDblClick(TObject* sender) {
    int index = Resbox->ItemIndex();
    if (index < 0) index = 0;
    if (index >= static_cast<int>(ResultPaths_.size())) return;
    const std::string& path = ResultPaths_[static_cast<size_t>(index)];
    if (path != view->PagePath()) view->LoadPage(path, true);
    else NextFoundBClick(sender);
}

void THelpForm::SetDefaultButton(TButton* button) {
    DefaultButton_ = button;
    SearchB->SetDefault(button == SearchB);
    DispB->SetDefault(button == DispB);
}

void THelpForm::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
    if (key == VK_F3) {
        NextFoundBClick(NextFoundB);
        key = 0;
    } else if (key == VK_ESCAPE) {
        if (PageControl1->ActivePage() == TabSheet2) PageControl1->SetActivePage(TabSheet1);
        else Close();
        key = 0;
    } else if (key == 'F' && (shift & ssCtrl)) {
        if (PageControl1->ActivePage() == TabSheet2) SearchEdit->SetFocus();
        else PageControl1->SetActivePage(TabSheet2);
        key = 0;
    }
}

bool THelpForm::KeyPreview(MSG& msg) {
    if (msg.message != WM_KEYDOWN || !FHandle || (msg.hwnd != FHandle && !IsChild(FHandle, msg.hwnd))) return false;
    WORD key = static_cast<WORD>(msg.wParam);
    FormKeyDown(this, key, KeyboardShiftState());
    if (key == 0) return true;
    // Tab moves between the controls as in a dialog.
    if (key == VK_TAB) return IsDialogMessageA(FHandle, &msg) != FALSE;
    // Enter in the search box or the result list clicks the default button.
    if (key == VK_RETURN && DefaultButton_ && (msg.hwnd == SearchEdit->Handle() || msg.hwnd == Resbox->Handle())) {
        DefaultButton_->DoClick();
        return true;
    }
    return false;
}
