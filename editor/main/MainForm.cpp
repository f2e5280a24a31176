#include "editor/main/MainForm.h"

#include <commdlg.h>
#include <algorithm>
#include <shellapi.h>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/HelpViewerPath.h"
#include "editor/unicode/UvxCommandLine.h"
#include "editor/unicode/UvxPaths.h"
#include "editor/unicode/UvxSystem.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/SysUtils.h"
#include "framework/WinText.h"

TMainForm* MainForm = nullptr;
int32_t TopOffset = 0;
int32_t CursorOffset = 0;
int32_t OldCursorOffset = 0;
int32_t OldTopOffset = 0;
uint8_t Modified = 0;
int FoundCount = 0;
int ReplaceCount = 0;

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

TMenuItem* TMainForm::AddItem(TMenuItem* parent, const std::string& name, const std::string& textKey,
                              std::function<void(TObject*)> onClick) {
    TMenuItem* item = MainMenu->CreateMenuItem(MainMenu);
    item->SetName(name);
    item->SetCaption(LanguageSystem.getText(textKey));
    if (onClick) item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

TMainForm::TMainForm(TComponent* owner) : TUvxForm(owner) {
    // The window and the menu items this part uses; the remaining menus,
    // the status bar and the sizer join with the parts that handle them.
    SetCaption("Tessaly");
    SetBounds(CW_USEDEFAULT, CW_USEDEFAULT, 407, 550);
    MainMenu = new TUvxMainMenu(this);
    MainMenu->SetName("MainMenu");
    TMenuItem* top = MainMenu->Items();
    File1 = AddItem(top, "File1", "MenuFile", nullptr);
    New1 = AddItem(File1, "New1", "MenuNew", [this](TObject* s) { New1Click(s); });
    Open1 = AddItem(File1, "Open1", "MenuOpen", [this](TObject* s) { Open1Click(s); });
    Exit1 = AddItem(File1, "Exit1", "MenuExit", [this](TObject* s) { Exit1Click(s); });
    Help1 = AddItem(top, "Help1", "MENUHELP", nullptr);
    Index1 = AddItem(Help1, "Index1", "MenuHelpIndex", [this](TObject* s) { Index1Click(s); });
    Index1->SetShortCut(ShortCut(VK_F1, 0));
    SetMenu(MainMenu);
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
    // Here the byte view is created and the registry settings are read.
    WasDeactivated = 0;
    ScrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);

    IsNewFile = 1;
    SetFileName(AnsiToWide(Text("NEWFILE")));
    std::u16string commandLine = CommandLine();
    if (WideParamCountOf(commandLine) >= 1) {
        // Only the first parameter, as one path; a failed load has told the
        // user already and leaves an unnamed new document.
        std::u16string path = WideParamStrOf(commandLine, 1);
        if (DataFile.loadFromFile(path)) {
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
    Rows = ClientHeight() / 25;
    ReplaceValue = 46;
}

TMainForm::~TMainForm() {
    FormDestroy(this);
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::SetModified(uint8_t flag) {
    Modified = flag;
    SetFileName(FileName);
}

void TMainForm::SetFileName(const std::u16string& path) {
    FileName = path;
    std::u16string caption = u"Tessaly - " + FileName;
    if (Modified) caption += u" *";
    SetCaption(caption);
    if (UvxApplication) UvxApplication->SetTitle(WideExtractFileName(FileName) + u" - Tessaly");
}

bool TMainForm::Save() {
    if (!DataFile.saveToFile(FileName)) return false;
    SetModified(0);
    return true;
}

bool TMainForm::SaveAs() {
    char16_t buffer[260] = {};
    if (!IsNewFile) FileName.copy(buffer, std::min<size_t>(FileName.size(), 259));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Handle();
    ofn.lpstrFile = reinterpret_cast<wchar_t*>(buffer);
    ofn.nMaxFile = 260;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return false;
    std::u16string chosen(buffer);
    if (!DataFile.saveToFile(chosen)) return false;
    SetFileName(chosen);
    IsNewFile = 0;
    SetModified(0);
    return true;
}

// The byte view repaints itself once it exists.
void TMainForm::RepaintAll() {
    if (ByteView) ByteView->Invalidate();
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

// Opening a file asks through the file commands' dialog, which is not part of
// the window yet; the command does nothing until then.
void TMainForm::Open1Click(TObject*) {}

void TMainForm::Exit1Click(TObject*) { Close(); }

void TMainForm::Index1Click(TObject*) { StartHelpViewer("100"); }

void TMainForm::FormCloseQuery(TObject*, bool& canClose) {
    canClose = true;
    if (!Modified) return;
    int answer = BerichtBox3(Text("SAVEFILEEXITQ"), Text("EXITTESSALY"), Text("YES_AMP"), Text("NO_AMP"),
                             Text("WORD_CANCEL"));
    canClose = SaveBeforeLeaving(answer);
}

// The viewer closes a copy of itself that is running; the settings are
// written here once the settings unit exists.
void TMainForm::FormClose(TObject*, TCloseAction&) { StartHelpViewer("-1"); }

void TMainForm::FormDestroy(TObject*) {
    RecentFiles.clear();
    LanguageSystem.clear();
}

bool TMainForm::AppHelp(uint16_t command, int data, bool& callHelp) {
    if (command == HELP_CONTEXT) StartHelpViewer(IntToStr(data));
    callHelp = false;
    return true;
}

void TMainForm::StartHelpViewer(const std::string& parameter) {
    if (StartProgram) StartProgram(HelpViewerPath(ProgramPath(), Text("HELPDIR")), parameter);
}
