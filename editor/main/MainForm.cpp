#include "editor/main/MainForm.h"

#include <commdlg.h>
#include <algorithm>
#include <shellapi.h>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/DataScreen.h"
#include "editor/main/HelpViewerPath.h"
#include "editor/main/ScrollMath.h"
#include "editor/main/StatusTexts.h"
#include "editor/unicode/UvxCommandLine.h"
#include "editor/unicode/UvxPaths.h"
#include "editor/unicode/UvxSystem.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/HeaderControl.h"
#include "framework/Menus.h"
#include "framework/StatusBar.h"
#include "framework/SysUtils.h"
#include "framework/WinText.h"

TMainForm* MainForm = nullptr;

namespace mainform_testing {
std::optional<std::u16string> CommandLine;
}  // namespace mainform_testing

namespace {
std::u16string CommandLine() {
    return mainform_testing::CommandLine ? *mainform_testing::CommandLine : U16(GetCommandLineW());
}

std::string Text(const char* key) { return LanguageSystem.getText(key); }

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}
}  // namespace

void (*MainFormConstructionSeam)() = nullptr;

TMainForm::TMainForm(TComponent* owner) : TUvxForm(owner) {
    SetCaption("Tessaly");
    SetBounds(CW_USEDEFAULT, CW_USEDEFAULT, 407, 550);
    CreateLayout();
    if (MainFormConstructionSeam)
        MainFormConstructionSeam();
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    StartProgram = [](const std::string& path, const std::string& parameter) {
        // The result is of no interest: a missing viewer simply shows no help.
        ShellExecuteA(Application->Handle(), nullptr, path.c_str(), parameter.c_str(), nullptr, SW_SHOWNORMAL);
    };

    FileName.clear();
    RecentFiles.clear();
    FirstByteNumber = 0;
    ByteView = new DataScreen(this, this);
    ByteView->SetName("ByteView");
    ByteView->SetParent(this);
    LoadSettings();
    WasDeactivated = 0;
    applyLanguageTexts(this);
    ArrangeControls();
    Application->OnHelp = [this](uint16_t command, int data, bool& callHelp) { return AppHelp(command, data, callHelp); };
    Application->OnActivate = [this](TObject* s) { AppActivate(s); };
    Application->OnDeactivate = [this](TObject* s) { AppDeactivate(s); };
    ByteView->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        FormMouseDown(s, b, sh, x, y);
    };
    ByteView->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    ByteView->OnKeyDown = [this](TObject* s, WORD& key, TShiftState sh) { FormKeyDown(s, key, sh); };
    ByteView->OnKeyPress = [this](TObject* s, char& key) { FormKeyPress(s, key); };
    ScrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    Application->OnHint = [this](TObject* s) { AppHint(s); };
    Startoffile1->SetShortCut(ShortCut(VK_HOME, ssCtrl));
    Endoffile2->SetShortCut(ShortCut(VK_END, ssCtrl));
    Redo1->SetShortCut(ShortCut('Z', ssCtrl | ssShift));
    BindHandlers();
    SetMessageText("");

    IsNewFile = 1;
    SetFileName(AnsiToWide(Text("NEWFILE")));
    std::u16string commandLine = CommandLine();
    if (WideParamCountOf(commandLine) >= 1) {
        // Only the first parameter, as one path; a failed load has told the
        // user already and leaves an unnamed new document.
        // A file too large for memory raises the out-of-memory error: it is
        // shown here, as the file's matter rather than a fault to report, and
        // the window starts on the new document, which the failed load left
        // as it was.
        std::u16string path = WideParamStrOf(commandLine, 1);
        bool loaded = false;
        try {
            loaded = DataFile.loadFromFile(path);
        } catch (const EOutOfMemory&) {
            Application->HandleExceptionUnreported(this);
        } catch (...) {
            Application->HandleException(this);
        }
        if (loaded) {
            SetFileName(path);
            IsNewFile = 0;
        }
    }
    SetModified(0);

    ActiveView = 0;
    CursorOffset = OldCursorOffset = TopOffset = 0;
    SelectionActive = MouseSelecting = 0;
    OldSelStart = SelStart = OldSelEnd = SelEnd = 0;
    DigitIndex = 1;
    DigitCount = 0;
    FoundCount = ReplaceCount = 0;
    ReadOnlyRefusals = 0;
    FillByte = 0;
    UpdateMenuState();
    BuildRecentMenu();
    Rows = ByteView->ClientHeight() / RowHeight;
    UpdateScrollBar();
    ReplaceValue = 46;
    ByteView->Font.SetName("Courier New");
    ApplyFontQuality();
    FontHeightInUse = ByteView->Font.Height();
    FontColorInUse = ByteView->Font.Color;
    ValidateActiveView();
    StatusBar->SetFont("Arial", 14);
    FitPositionPanel();
    DragAcceptFiles(ByteView->Handle(), TRUE);
}

TMainForm::~TMainForm() {
    Application->OnHint = nullptr;
    Application->OnHelp = nullptr;
    Application->OnActivate = nullptr;
    Application->OnDeactivate = nullptr;
    FormDestroy(this);
    if (MainForm == this) MainForm = nullptr;
}

// The handlers of the items whose commands exist; the other items do
// nothing until their commands join.
void TMainForm::BindHandlers() {
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    for (TMenuItem* top : {File1, Edit1, Search1, View1, Options1, Extra1, Help1}) bind(top, &TMainForm::File1Click);
    bind(New1, &TMainForm::New1Click);
    bind(Open1, &TMainForm::Open1Click);
    bind(Exit1, &TMainForm::Exit1Click);
    bind(Index1, &TMainForm::Index1Click);
    bind(SelectAll1, &TMainForm::SelectAll1Click);
    bind(MenuView1, &TMainForm::MenuView1Click);
    bind(MenuView2, &TMainForm::MenuView2Click);
    bind(MenuView3, &TMainForm::MenuView3Click);
    bind(CopyPosDeci, &TMainForm::CopyPosDeciClick);
    bind(CopyPosHexa, &TMainForm::CopyPosHexaClick);
    Sizer->OnSectionResize = [this](THeaderControl* c, int section) { SizerSectionResize(c, section); };
    BindOptionHandlers();
    BindDialogCommands();
    BindSearchCommands();
    BindEditCommands();
    BindClipboardCommands();
    BindFileCommands();
}

void TMainForm::SetModified(uint8_t flag) {
    Modified = flag;
    SetFileName(FileName);
}

// Yes saves (under a new name for a document that has none); the way on is
// clear unless the answer was Cancel or the save failed.
bool TMainForm::SaveBeforeLeaving(int answer) {
    if (answer == mrCancel) return false;
    if (answer == mrYes) return IsNewFile ? SaveAs() : Save();
    return true;
}

void TMainForm::New1Click(TObject*) {
    if (Modified) {
        int answer = BerichtBox3(Text("SAVEFILEBEFOREMEMCLEARQ"), "Tessaly", Text("YES_AMP"), Text("NO_AMP"),
                                 Text("WORD_CANCEL"));
        if (!SaveBeforeLeaving(answer)) return;
    } else if (BerichtBox2(Text("MEMCLEARQ"), "Tessaly", Text("YES_AMP"), Text("NO_AMP")) == mrNo) {
        return;
    }
    IsNewFile = 1;
    DataFile.newFile();
    SetModified(0);
    SetFileName(AnsiToWide(Text("NEWFILE")));
    CursorOffset = TopOffset = 0;
    SelectionActive = 0;
    RepaintAll();
}

void TMainForm::Exit1Click(TObject*) { Close(); }

void TMainForm::Index1Click(TObject*) { StartHelpViewer("100"); }

void TMainForm::SelectAll1Click(TObject*) { SelectAll(); }

void TMainForm::MenuView1Click(TObject*) { SelectView(ViewText); }
void TMainForm::MenuView2Click(TObject*) { SelectView(ViewDecimal); }
void TMainForm::MenuView3Click(TObject*) { SelectView(ViewHexadecimal); }

void TMainForm::PutTextOnClipboard(const std::string& text) {
    if (!OpenClipboard(Handle())) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1)) {
        if (void* p = GlobalLock(memory)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(p));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

// The cursor position as it is in the document, without the first byte number.
void TMainForm::CopyPosDeciClick(TObject*) { PutTextOnClipboard(PositionDecimalText(CursorPosition())); }
void TMainForm::CopyPosHexaClick(TObject*) { PutTextOnClipboard(PositionHexadecimalText(CursorPosition())); }

void TMainForm::FormCloseQuery(TObject*, bool& canClose) {
    canClose = true;
    if (!Modified) return;
    int answer = BerichtBox3(Text("SAVEFILEEXITQ"), Text("EXITTESSALY"), Text("YES_AMP"), Text("NO_AMP"),
                             Text("WORD_CANCEL"));
    canClose = SaveBeforeLeaving(answer);
}

// The viewer closes a copy of itself that is running; then the settings are
// written.
void TMainForm::FormClose(TObject*, TCloseAction&) {
    StartHelpViewer("-1");
    SaveSettings();
}

void TMainForm::FormDestroy(TObject*) {
    RecentFiles.clear();
    LanguageSystem.clear();
}

bool TMainForm::AppHelp(uint16_t command, int data, bool& callHelp) {
    if (command == HELP_CONTEXT) StartHelpViewer(IntToStr(data));
    callHelp = false;
    return true;
}

void TMainForm::AppHint(TObject*) { SetMessageText(Application->Hint()); }

void TMainForm::StartHelpViewer(const std::string& parameter) {
    if (StartProgram) StartProgram(HelpViewerPath(ProgramPath(), Text("HELPDIR")), parameter);
}

LRESULT TMainForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The byte view keeps the keyboard while the window is active.
    if (msg == WM_SETFOCUS && ByteView && ByteView->HandleAllocated()) {
        ::SetFocus(ByteView->Handle());
        return 0;
    }
    return TUvxForm::WndProc(msg, wParam, lParam);
}
