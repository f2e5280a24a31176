#include "editor/crashreport/core/dialogs/DetailedPages.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <memory>

#include "editor/crashreport/core/dialogs/DetailedLayout.h"
#include "editor/crashreport/core/dialogs/DialogStateFile.h"
#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/IdeRecordSend.h"
#include "editor/crashreport/core/report/RichText.h"
#include "editor/crashreport/support/listview/ListViewItems.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/SystemFacts.h"

namespace {

constexpr int kLabelId = 102;
constexpr int kContentId = 103;

// A column: its text, the number of its width in the state file, and its
// alignment.
struct TColumn {
    TMessageType Text;
    size_t Key;
    bool Right;
};

const TColumn kCallStackColumns[] = {
    {mtCallStack_Address, 0, false},   {mtCallStack_Name, 1, false},
    {mtCallStack_Unit, 2, false},     {mtCallStack_Class, 3, false},
    {mtCallStack_Procedure, 4, false}, {mtCallStack_Line, 5, true},
};
// The sixth column is stored under ColMod6 and the seventh under ColMod5.
const TColumn kModulesColumns[] = {
    {mtModules_Handle, 0, false},      {mtModules_Name, 1, false},
    {mtModules_Description, 2, false}, {mtModules_Version, 3, true},
    {mtModules_Size, 4, true},         {mtModules_LastModified, 6, false},
    {mtModules_Path, 5, false},
};
const TColumn kProcessesColumns[] = {
    {mtProcesses_ID, 0, false},          {mtProcesses_Name, 1, false},
    {mtProcesses_Description, 2, false}, {mtProcesses_Version, 3, true},
    {mtProcesses_Memory, 4, true},       {mtProcesses_Priority, 5, true},
    {mtProcesses_Threads, 6, true},      {mtProcesses_Path, 7, false},
};

struct TPageInfo {
    const char* Template;
    TMessageType Header;
    bool List;
};
const TPageInfo kPages[dpCount] = {
    {"ZV_TAB_GENERAL", mtDialog_GeneralHeader, false},   {"ZV_TAB_CALLSTACK", mtDialog_CallStackHeader, true},
    {"ZV_TAB_MODULESLIST", mtDialog_ModulesHeader, true}, {"ZV_TAB_PROCESSESLIST", mtDialog_ProcessesHeader, true},
    {"ZV_TAB_ASSEMBLER", mtDialog_AsmHeader, false},      {"ZV_TAB_CPU", mtDialog_CPUHeader, false},
};

const TDetailedReportPages* gPages = nullptr;
HWND gPageWindow = nullptr;
int gPageNumber = -1;
std::unique_ptr<TListViewItems> gRows;
HBRUSH gWhiteBrush = nullptr;

std::string Text(TMessageType id)
{
    TZorvikModuleOptions* options = DialogState().Options;
    return options ? options->GetCustomizedExpandedTexts(id) : std::string();
}

bool LookAndFeel()
{
    TZorvikModuleOptions* options = DialogState().Options;
    return options && options->ExceptionDialogOptions().Contains(edoUseZorvikLogLookAndFeel);
}

HMODULE CodeModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CodeModule), &module);
    return module;
}

TStateColumns StateColumns(int page)
{
    return page == dpModules ? scModules : page == dpProcesses ? scProcesses : scCallStack;
}

const TColumn* Columns(int page, size_t& count)
{
    switch (page) {
    case dpCallStack: count = std::size(kCallStackColumns); return kCallStackColumns;
    case dpModules: count = std::size(kModulesColumns); return kModulesColumns;
    case dpProcesses: count = std::size(kProcessesColumns); return kProcessesColumns;
    default: count = 0; return nullptr;
    }
}

const std::vector<TPageRow>* Rows(int page)
{
    if (!gPages)
        return nullptr;
    switch (page) {
    case dpCallStack: return &gPages->CallStack;
    case dpModules: return &gPages->Modules;
    case dpProcesses: return &gPages->Processes;
    default: return nullptr;
    }
}

const std::string* PageText(int page)
{
    if (!gPages)
        return nullptr;
    switch (page) {
    case dpGeneral: return &gPages->General;
    case dpAssembler: return &gPages->Assembler;
    case dpCPU: return &gPages->CPU;
    default: return nullptr;
    }
}

// The memory stream EM_STREAMIN reads from.
struct TRichSource {
    const std::string* Text;
    size_t Position;
};

DWORD CALLBACK ReadRichSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* read)
{
    try {
        auto* source = reinterpret_cast<TRichSource*>(cookie);
        size_t left = source->Text->size() - source->Position;
        size_t n = std::min(left, static_cast<size_t>(wanted < 0 ? 0 : wanted));
        std::memcpy(buffer, source->Text->data() + source->Position, n);
        source->Position += n;
        *read = static_cast<LONG>(n);
        return 0;
    } catch (...) {
        return 1;
    }
}

void StreamRichText(HWND control, const std::string& rtf)
{
    TRichSource source{&rtf, 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadRichSource;
    SendMessageA(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void SetRichBackground(HWND control, int32_t colour)
{
    COLORREF c = colour < 0 ? GetSysColor(colour & 0xFF) : static_cast<COLORREF>(colour);
    SendMessageA(control, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(c));
}

void SetLabel(HWND page, int number)
{
    HWND label = GetDlgItem(page, kLabelId);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dfMessage)), TRUE);
    SetWindowTextA(label, Text(kPages[number].Header).c_str());
}

void InitRichPage(HWND page, int number)
{
    HWND rich = GetDlgItem(page, kContentId);
    SendMessageA(rich, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dfFixed)), TRUE);
    const std::string* text = PageText(number);
    const int tab = 15 * DialogTextWidth(rich, DialogFont(dfFixed), std::string(21, '-'));
    StreamRichText(rich, PageRichText(number, text ? *text : std::string(), tab));
    SetRichBackground(rich, static_cast<int32_t>(RGB(255, 255, 255)));
    SetLabel(page, number);
}

void InitListPage(HWND page, int number)
{
    HWND list = GetDlgItem(page, kContentId);
    gRows = std::make_unique<TListViewItems>(list);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dfList)), TRUE);
    SetLabel(page, number);
    size_t count = 0;
    const TColumn* columns = Columns(number, count);
    std::vector<int32_t> widths = ReadColumnWidths(DialogStateStore(), StateColumns(number));
    for (size_t i = 0; i < count; ++i) {
        std::string text = Text(columns[i].Text);
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = columns[i].Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = columns[i].Key < widths.size() ? widths[columns[i].Key] : 50;
        column.pszText = text.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    if (const auto* rows = Rows(number))
        for (const auto& row : *rows)
            gRows->AddRow(row.Texts, row.Image, row.Data, row.Parent, row.Caption);
}

void EndListPage(HWND page, int number)
{
    gRows.reset();
    HWND list = GetDlgItem(page, kContentId);
    size_t count = 0;
    const TColumn* columns = Columns(number, count);
    std::vector<int32_t> widths(count);
    for (size_t i = 0; i < count; ++i)
        if (columns[i].Key < count)
            widths[columns[i].Key] = static_cast<int32_t>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
    WriteColumnWidths(DialogStateStore(), StateColumns(number), widths);
}

std::string ItemText(HWND list, int item, int column)
{
    char buffer[257] = {};
    LVITEMA lv{};
    lv.iSubItem = column;
    lv.pszText = buffer;
    lv.cchTextMax = 256;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
    return buffer;
}

// A double click or Enter on a call-stack row: a row with a line goes to the
// development environment; any other row folds or unfolds.
void ActivateCallStackRow(HWND list)
{
    int item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (item < 0 || !gRows)
        return;
    std::string lineText = ItemText(list, item, 5);
    if (lineText.empty()) {
        gRows->ClickOnItem(item, POINT{0, 0}, false);
        return;
    }
    TLinePlace place = ParseLineText(lineText);
    uintptr_t address = static_cast<uintptr_t>(std::strtoull(ItemText(list, item, 0).c_str(), nullptr, 16));
    double date = gPages && gPages->CompileDate ? gPages->CompileDate(address) : 0;
    SendIdeRecord(std::to_string(place.Line), ItemText(list, item, 2), ItemText(list, item, 3),
                  ItemText(list, item, 4), std::to_string(place.Offset), date);
}

INT_PTR ColourMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    static HBRUSH background = nullptr;
    if (!background)
        background = CreateSolidBrush(RGB(212, 208, 200));
    if (msg == WM_CTLCOLORDLG)
        return LookAndFeel() ? reinterpret_cast<INT_PTR>(background) : 0;
    if (reinterpret_cast<HWND>(lParam) == GetDlgItem(page, kContentId)) {
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, RGB(0, 0, 0));
        if (!gWhiteBrush)
            gWhiteBrush = CreateSolidBrush(RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(gWhiteBrush);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (LookAndFeel())
        return reinterpret_cast<INT_PTR>(background);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    NoteDialogActivity(msg);
    const int number = static_cast<int>(GetWindowLongPtrA(page, GWLP_USERDATA));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(page, GWLP_USERDATA, lParam);
        if (kPages[lParam].List)
            InitListPage(page, static_cast<int>(lParam));
        else
            InitRichPage(page, static_cast<int>(lParam));
        return FALSE;
    case WM_DRAWITEM:
        if (gRows && kPages[number].List) {
            gRows->DrawList(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (number != dpCallStack || !gRows || header->idFrom != kContentId)
            return FALSE;
        if (header->code == NM_CLICK) {
            int item = static_cast<int>(
                SendMessageA(header->hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            POINT point{};
            GetCursorPos(&point);
            ScreenToClient(header->hwndFrom, &point);
            if (item >= 0)
                gRows->ClickOnItem(item, point, true);
        } else if (header->code == LVN_ITEMACTIVATE) {
            ActivateCallStackRow(header->hwndFrom);
        }
        return FALSE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG: return ColourMessage(page, msg, wParam, lParam);
    case WM_DESTROY:
        if (number >= 0 && number < dpCount && kPages[number].List)
            EndListPage(page, number);
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void SetDetailedReportPages(const TDetailedReportPages* pages) { gPages = pages; }

std::string PageRichText(int page, const std::string& text, int cpuTabPosition)
{
    const TDialogState& state = DialogState();
    TRichTextFont font;
    font.Charset = UserCharSet();
    font.FaceName = state.FixedFace.empty() ? std::string("Courier New") : state.FixedFace;
    font.Size = state.FontSize;
    switch (page) {
    case dpAssembler: return AssemblerRichText(text, font);
    case dpCPU: return CPURichText(text, font, cpuTabPosition);
    default: return GeneralRichText(text, font);
    }
}

void FitDetailedPage(HWND tab, HWND page)
{
    if (!tab || !page)
        return;
    RECT r{};
    GetClientRect(tab, &r);
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, -3, -1);
    MoveWindow(page, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    HWND content = GetDlgItem(page, kContentId);
    MoveWindow(content, 3, 20, (r.right - r.left) - 8, (r.bottom - r.top) - 24, TRUE);
}

HWND ActivateDetailedPage(int n, HWND dialog, HWND tab, bool modulesShown, bool assemblerShown)
{
    (void)dialog;
    int page = n <= 0 ? -n : n == 1 ? 1 : PageOfTab(n, modulesShown, assemblerShown);
    DestroyDetailedPage();
    if (page < 0 || page >= dpCount)
        return nullptr;
    gPageNumber = page;
    gPageWindow = CreateDialogParamA(CodeModule(), kPages[page].Template, tab, PageProc, page);
    if (!gPageWindow) {
        gPageNumber = -1;
        return nullptr;
    }
    FitDetailedPage(tab, gPageWindow);
    ShowWindow(gPageWindow, SW_SHOW);
    return gPageWindow;
}

HWND CurrentDetailedPage() { return gPageWindow; }
int CurrentDetailedPageNumber() { return gPageNumber; }

void DestroyDetailedPage()
{
    if (gPageWindow)
        DestroyWindow(gPageWindow);
    gPageWindow = nullptr;
    gPageNumber = -1;
}
