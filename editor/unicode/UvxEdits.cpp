#include "editor/unicode/UvxEdits.h"

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxEditSelection.h"
#include "editor/unicode/UvxLocale.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"

namespace {
bool SysLocaleIsFarEast() { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

// The 8-bit copy the framework keeps of a wide password character.
char AnsiPasswordChar(char16_t c) { return c < 256 ? static_cast<char>(c) : '*'; }
}  // namespace

void UvxCustomEdit_CreateWindowHandle(TCustomEdit* edit, const TCreateParams& params) {
    if (SysLocaleIsFarEast() && !Win32PlatformIsUnicode && (params.Style & ES_READONLY)) {
        // Such systems lose the text of a read-only edit made read-only at creation.
        TCreateParams copy = params;
        copy.Style &= ~static_cast<DWORD>(ES_READONLY);
        CreateUnicodeHandle(edit, copy, u"EDIT");
        if (edit->HandleAllocated()) SendMessageA(edit->Handle(), EM_SETREADONLY, 1, 0);
        return;
    }
    CreateUnicodeHandle(edit, params, u"EDIT");
}

void UvxCustomEdit_AfterInherited_CreateWnd(TCustomEdit* edit, char16_t passwordChar) {
    if (Win32PlatformIsUnicode && passwordChar) SendMessageW(edit->Handle(), EM_SETPASSWORDCHAR, passwordChar, 0);
}

int UvxCustomEdit_GetSelStart(TCustomEdit* edit) {
    if (Win32PlatformIsUnicode) return edit->SelStart();
    return WideSelStartFromAnsi(edit->Text(), edit->SelStart());
}

void UvxCustomEdit_SetSelStart(TCustomEdit* edit, int value) {
    if (Win32PlatformIsUnicode) return edit->SetSelStart(value);
    edit->SetSelStart(AnsiSelStartFromWide(UvxControl_GetText(edit), value));
}

int UvxCustomEdit_GetSelLength(TCustomEdit* edit) {
    if (Win32PlatformIsUnicode) return edit->SelLength();
    return static_cast<int>(UvxCustomEdit_GetSelText(edit).size());
}

void UvxCustomEdit_SetSelLength(TCustomEdit* edit, int value) {
    if (Win32PlatformIsUnicode) return edit->SetSelLength(value);
    edit->SetSelLength(AnsiSelLengthFromWide(UvxControl_GetText(edit), UvxCustomEdit_GetSelStart(edit), value));
}

std::u16string UvxCustomEdit_GetSelText(TCustomEdit* edit) {
    if (!Win32PlatformIsUnicode) return AnsiToWideSys(edit->SelText());
    std::u16string text = UvxControl_GetText(edit);
    size_t start = static_cast<size_t>(edit->SelStart());
    return start > text.size() ? std::u16string() : text.substr(start, static_cast<size_t>(edit->SelLength()));
}

void UvxCustomEdit_SetSelText(TCustomEdit* edit, const std::u16string& value) {
    if (!Win32PlatformIsUnicode) return edit->SetSelText(WideToAnsiSys(value));
    SendMessageW(edit->Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(WC(value)));
}

char16_t UvxCustomEdit_GetPasswordChar(TCustomEdit* edit, char16_t& field) {
    // A program that set the framework's character directly wins.
    if (AnsiPasswordChar(field) != edit->PasswordChar()) field = static_cast<unsigned char>(edit->PasswordChar());
    return field;
}

void UvxCustomEdit_SetPasswordChar(TCustomEdit* edit, char16_t& field, char16_t value) {
    if (value == UvxCustomEdit_GetPasswordChar(edit, field)) return;
    field = value;
    if (Win32PlatformIsUnicode && edit->HandleAllocated()) {
        // The framework stores its copy without touching the window, which
        // gets the wide character.
        HWND window = edit->Handle();
        {
            struct THiddenHandle {
                TCustomEdit* e;
                HWND h;
                THiddenHandle(TCustomEdit* edit, HWND window) : e(edit), h(window) { e->HideHandle(); }
                ~THiddenHandle() { e->RestoreHandle(h); }
            } hidden(edit, window);
            edit->SetPasswordChar(AnsiPasswordChar(value));
        }
        SendMessageW(window, EM_SETPASSWORDCHAR, value, 0);
        edit->Invalidate();
    } else {
        edit->SetPasswordChar(AnsiPasswordChar(value));
    }
}

void TUvxCustomEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    UvxCustomEdit_AfterInherited_CreateWnd(this, FPasswordChar);
}

int UvxMemo_LineStart(HWND window, int index) {
    return static_cast<int>(SendMessageW(window, EM_LINEINDEX, static_cast<WPARAM>(index), 0));
}

int UvxMemo_LineLength(HWND window, int index, int start) {
    if (start == -1) start = UvxMemo_LineStart(window, index);
    if (start < 0) return 0;
    return static_cast<int>(SendMessageW(window, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
}

// ---- memo lines ----

bool TUvxMemoStrings::WideWindow() const { return IsWindowUnicode(FMemo->Handle()) != 0; }

int TUvxMemoStrings::Count() const { return FLines->Count(); }
void TUvxMemoStrings::Delete(int index) { FLines->Delete(index); }
void TUvxMemoStrings::Clear() { FLines->Clear(); }
void TUvxMemoStrings::SetUpdateState(bool updating) {
    if (updating) FLines->BeginUpdate();
    else FLines->EndUpdate();
}

std::u16string TUvxMemoStrings::Get(int index) const {
    if (!WideWindow()) return AnsiToWideSys(FLines->Get(index));
    HWND h = FMemo->Handle();
    int length = UvxMemo_LineLength(h, index);
    if (length <= 0) return {};
    if (length > 65535) throw EOutOfResources("Line too long");
    std::u16string buf(static_cast<size_t>(std::max(length, 1)), u'\0');
    buf[0] = static_cast<char16_t>(length);  // EM_GETLINE reads the buffer size from here
    int n = static_cast<int>(SendMessageW(h, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data())));
    buf.resize(static_cast<size_t>(std::max(n, 0)));
    return buf;
}

void TUvxMemoStrings::Put(int index, const std::u16string& s) {
    if (!WideWindow()) return FLines->Put(index, WideToAnsiSys(s));
    HWND h = FMemo->Handle();
    int start = UvxMemo_LineStart(h, index);
    if (start < 0) return;
    SendMessageW(h, EM_SETSEL, start, start + UvxMemo_LineLength(h, index, start));
    SendMessageW(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(WC(s)));
}

void TUvxMemoStrings::Insert(int index, const std::u16string& s) {
    if (!WideWindow()) return FLines->Insert(index, WideToAnsiSys(s));
    if (index < 0) return;
    HWND h = FMemo->Handle();
    int start = UvxMemo_LineStart(h, index);
    std::u16string text;
    if (start >= 0) {
        text = s + u"\r\n";
    } else {
        // Past the last line: after its end, unless it is empty.
        start = UvxMemo_LineStart(h, index - 1);
        int length = UvxMemo_LineLength(h, index - 1, start);
        if (start < 0 || length == 0) return;
        start += length;
        text = u"\r\n" + s;
    }
    SendMessageW(h, EM_SETSEL, start, start);
    SendMessageW(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(WC(text)));
}

std::u16string TUvxMemoStrings::Text() const { return UvxControl_GetText(FMemo); }

void TUvxMemoStrings::SetText(const std::u16string& value) {
    std::u16string text = UvxAdjustLineBreaks(value, LineBreakStyle);
    if (text == Text()) return;
    FMemo->Handle();
    UvxControl_SetText(FMemo, text);
}

// ---- memo ----

TUvxCustomMemo::TUvxCustomMemo(TComponent* owner)
    : TUvxWideControl<TCustomMemo>(owner), FWideLines(new TUvxMemoStrings(this, Lines())) {}

TUvxCustomMemo::~TUvxCustomMemo() { delete FWideLines; }

void TUvxCustomMemo::SetLines(TWideStrings* value) { FWideLines->Assign(value); }
