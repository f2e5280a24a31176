// The file commands of the main window: Open, Save, Save As, the question
// before another file replaces a changed one, the caption and title, the
// recent-file list in the File menu, dropped files, second copies of the
// editor and the reload offer after another program changed the file.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/EditorSettings.h"
#include "editor/main/MainForm.h"
#include "editor/main/ReplaceChar.h"
#include "editor/unicode/UvxPaths.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/FileAge.h"
#include "framework/WinText.h"

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

constexpr int PathCapacity = 260;

// The "|"-separated filter of the language pack as the dialogs take it: NUL
// separated, ending in two NULs.
std::u16string WideFilter() {
    std::u16string filter = AnsiToWide(Text("ALLFILESFILTER"));
    std::replace(filter.begin(), filter.end(), u'|', u'\0');
    return filter + u'\0';
}

std::string AnsiFilter() {
    std::string filter = Text("ALLFILESFILTER");
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter + '\0';
}
}  // namespace

void TMainForm::BindFileCommands() {
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    bind(Save1, &TMainForm::Save1Click);
    bind(Saveas1, &TMainForm::Saveas1Click);
    bind(OpeninNewWindow1, &TMainForm::OpeninNewWindow1Click);
    bind(NewFileinNewWindow1, &TMainForm::NewFileinNewWindow1Click);
    StartCopy = [](const std::u16string& program, const std::u16string& parameters) {
        if (Win32PlatformIsUnicode) {
            ShellExecuteW(Application->Handle(), nullptr, WC(program), parameters.empty() ? nullptr : WC(parameters),
                          nullptr, SW_SHOW);
        } else {
            std::string p = WideToAnsi(parameters);
            ShellExecuteA(Application->Handle(), nullptr, WideToAnsi(program).c_str(), p.empty() ? nullptr : p.c_str(),
                          nullptr, SW_SHOW);
        }
    };
}

void TMainForm::SetFileName(const std::u16string& path) {
    FileName = path;
    std::u16string caption = u"Tessaly - " + FileName;
    if (Modified) caption += u" *";
    SetCaption(caption);
    if (UvxApplication) UvxApplication->SetTitle(WideExtractFileName(FileName) + u" - Tessaly");
    if (!IsNewFile) AddRecentFile(FileName);
}

std::u16string TMainForm::AskOpenFileName() {
    if (Win32PlatformIsUnicode) {
        wchar_t buffer[PathCapacity] = {};
        std::u16string filter = WideFilter();
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = Handle();
        ofn.lpstrFilter = WC(filter);
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = PathCapacity;
        ofn.Flags = OFN_FILEMUSTEXIST;
        if (!GetOpenFileNameW(&ofn)) return {};
        return U16(buffer);
    }
    char buffer[PathCapacity] = {};
    std::string filter = AnsiFilter();
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Handle();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = PathCapacity;
    ofn.Flags = OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return {};
    return AnsiToWide(buffer);
}

// A file that cannot be read (missing, locked by another program, short,
// too large for memory) has been reported and changes nothing here: the
// document, its name, its modified mark and its history stay.
bool TMainForm::OpenFile(const std::u16string& path, bool repaint) {
    WasDeactivated = 0;
    bool loaded = false;
    try {
        loaded = DataFile.loadFromFile(path);
    } catch (const EOutOfMemory&) {
        // The file's size, not a fault of the program: told, not reported.
        Application->HandleExceptionUnreported(this);
    } catch (...) {
        Application->HandleException(this);
    }
    if (loaded) {
        // Named before the mark is cleared, so that the recent list takes the
        // path once the document is no longer a new one.
        IsNewFile = 0;
        SetFileName(path);
        CursorOffset = 0;
        TopOffset = 0;
        SetModified(0);
        SelectionActive = 0;
    }
    if (repaint) RepaintAll();
    return loaded;
}

bool TMainForm::AskSaveBeforeOpen() {
    if (!Modified) return true;
    int answer = BerichtBox3(Text("SAVETHISFILEQ"), "Tessaly", Text("YES_AMP"), Text("NO_AMP"), Text("WORD_CANCEL"));
    return SaveBeforeLeaving(answer);
}

void TMainForm::Open1Click(TObject*) {
    if (!AskSaveBeforeOpen()) return;
    std::u16string path = AskOpenFileName();
    if (!path.empty()) OpenFile(path, true);
}

bool TMainForm::Save() {
    if (IsNewFile) return SaveAs();
    if (ReadOnly1->Checked()) {
        BerichtBox1(Text("READONLYNOTSAVE") + Text("READONLYCANTURNOFF"), Text("MenuSave"), Text("WORD_OK"));
        return false;
    }
    // A failed write has been reported; the name and the modified mark stay,
    // so that nothing typed is lost.
    if (!DataFile.saveToFile(FileName)) return false;
    SetModified(0);
    SetMessageText(WideToAnsi(FileName) + " " + Text("SAVED"));
    return true;
}

bool TMainForm::SaveAs() {
    bool chosen = false;
    std::u16string path;
    // A name longer than the dialog's buffer is not offered.
    const bool offerName = !IsNewFile && FileName.size() < PathCapacity;
    if (Win32PlatformIsUnicode) {
        wchar_t buffer[PathCapacity] = {};
        if (offerName) std::copy(FileName.begin(), FileName.end(), buffer);
        std::u16string filter = WideFilter();
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = Handle();
        ofn.lpstrFilter = WC(filter);
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = PathCapacity;
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        chosen = GetSaveFileNameW(&ofn);
        path = U16(buffer);
    } else {
        char buffer[PathCapacity] = {};
        std::string name = WideToAnsi(FileName);
        if (offerName && name.size() < PathCapacity) std::copy(name.begin(), name.end(), buffer);
        std::string filter = AnsiFilter();
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = Handle();
        ofn.lpstrFilter = filter.c_str();
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = PathCapacity;
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        chosen = GetSaveFileNameA(&ofn);
        path = AnsiToWide(buffer);
    }
    if (!chosen) {
        if (CommDlgExtendedError() != 0)
            Application->MessageBox(Text("DIALOGPROBLEM_SAVEAS") + Text("DIALOGSOLUTION"), Text("DIALOGPROBLEM_CAPTION"),
                                    0);
        return false;
    }
    if (!DataFile.saveToFile(path)) return false;
    IsNewFile = 0;
    SetFileName(path);
    SetModified(0);
    SetMessageText(Text("FILESAVEDAS") + " " + WideToAnsi(FileName) + ".");
    RepaintAll();
    return true;
}

void TMainForm::Save1Click(TObject*) { Save(); }
void TMainForm::Saveas1Click(TObject*) { SaveAs(); }

// The path goes to the new copy in double quotes, so that a path with blanks
// arrives as its one parameter.
void TMainForm::OpeninNewWindow1Click(TObject*) {
    std::u16string path = AskOpenFileName();
    if (path.empty()) return;
    if (StartCopy) StartCopy(UvxApplication ? UvxApplication->GetExeName() : AnsiToWide(Application->Title()),
                             u"\"" + path + u"\"");
}

void TMainForm::NewFileinNewWindow1Click(TObject*) {
    if (StartCopy) StartCopy(UvxApplication ? UvxApplication->GetExeName() : AnsiToWide(Application->Title()), u"");
}

void TMainForm::AddRecentFile(const std::u16string& path) {
    // Every change of the document names the file again: the list and its
    // menu stay as they are when the file leads already.
    if (!RecentFiles.empty() && RecentFiles.front() == path) return;
    AddRecentPath(RecentFiles, path);
    BuildRecentMenu();
}

// The entries stand between File Info and the separator above Exit, after a
// separator of their own. An entry whose click is running (its open rebuilds
// the menu) is freed later, not under its own feet.
void TMainForm::BuildRecentMenu() {
    int first = File1->IndexOf(FileStatistics1) + 1;
    while (first < File1->Count() && File1->Items(first) != BeforeExit) {
        TMenuItem* item = File1->Items(first);
        File1->Remove(item);
        RetiredRecentItems.push_back(item);
    }
    if (!InRecentClick) {
        for (TMenuItem* item : RetiredRecentItems) delete item;
        RetiredRecentItems.clear();
    }
    if (RecentFiles.empty()) return;
    auto* separator = new TUvxMenuItem(this);
    separator->SetCaption("-");
    File1->Insert(first++, separator);
    for (size_t i = 0; i < RecentFiles.size(); ++i) {
        auto* item = new TUvxMenuItem(this);
        item->SetCaption(RecentFiles[i]);
        item->Tag = static_cast<int>(i);
        item->OnClick = [this](TObject* s) { RecentFileClick(s); };
        File1->Insert(first++, item);
    }
}

void TMainForm::RecentFileClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || item->Tag < 0 || item->Tag >= static_cast<int>(RecentFiles.size())) return;
    size_t index = static_cast<size_t>(item->Tag);
    std::u16string path = RecentFiles[index];
    InRecentClick = true;
    if (AskSaveBeforeOpen() && !OpenFile(path, true)) {
        // The list may have changed while saving: the entry goes by its path.
        auto it = std::find(RecentFiles.begin(), RecentFiles.end(), path);
        if (it != RecentFiles.end()) RecentFiles.erase(it);
        BuildRecentMenu();
    }
    InRecentClick = false;
}

void TMainForm::DropFiles(HDROP drop) {
    Application->BringToFront();
    std::u16string name;
    if (Win32PlatformIsUnicode) {
        wchar_t buffer[PathCapacity] = {};
        if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) DragQueryFileW(drop, 0, buffer, PathCapacity);
        name = U16(buffer);
    } else {
        char buffer[PathCapacity] = {};
        if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0) DragQueryFileA(drop, 0, buffer, PathCapacity);
        name = AnsiToWide(buffer);
    }
    if (!name.empty() && AskSaveBeforeOpen()) OpenFile(name, true);
    DragFinish(drop);
}

void TMainForm::AppDeactivate(TObject*) {
    if (IsNewFile) return;
    std::string name = WideToAnsi(FileName);
    FileExistedAtDeactivate = FileExists(name) ? 1 : 0;
    FileAgeAtDeactivate = FileAge(name);
    WasDeactivated = 1;
}

void TMainForm::AppActivate(TObject*) {
    if (!WasDeactivated) return;
    std::string name = WideToAnsi(FileName);
    if (!IsNewFile && FileExistedAtDeactivate && FileExists(name)) {
        int32_t age = FileAge(name);
        if (age != -1 && FileAgeAtDeactivate != -1 && age != FileAgeAtDeactivate &&
            Application->MessageBox(Text("FILECHANGED_RELOAD"), Text("FILECHANGED_CAPTION"), MB_YESNO | MB_ICONEXCLAMATION) ==
                IDYES) {
            int32_t top = TopOffset;
            int32_t cursor = TopOffset + CursorOffset;
            OpenFile(FileName, false);
            TopOffset = top;
            MoveCursorTo(cursor, 0, true);
            RepaintAll();
        }
    }
    WasDeactivated = 0;
}
