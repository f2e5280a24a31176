#include "framework/CustomEdit.h"

#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 121;
    FHeight = 21;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "EDIT";
    params.Style |= WS_TABSTOP | ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0) | (FPasswordChar ? ES_PASSWORD : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(FHandle, EM_LIMITTEXT, MaxLength, 0);
    if (FPasswordChar) SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
}

void TCustomEdit::CreateHandleDone() { UseDialogFont(FHandle); }

int TCustomEdit::SelStart() {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) { SendMessageA(Handle(), EM_SETSEL, value, value); }

int TCustomEdit::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
    int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, start, start + value);
}

std::string TCustomEdit::SelText() {
    std::string text = Text();
    size_t start = static_cast<size_t>(SelStart());
    return start > text.size() ? std::string() : text.substr(start, static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& value) {
    SendMessageA(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomEdit::SetPasswordChar(char value) {
    if (value == FPasswordChar) return;
    FPasswordChar = value;
    if (FHandle) {
        SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
        Invalidate();
    }
}

void TCustomEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, value, 0);
}

// ---- memo ----

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(new TMemoStrings(this)) {
    FWidth = 185;
    FHeight = 89;
}

TCustomMemo::~TCustomMemo() { delete FLines; }

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | (WantReturns ? ES_WANTRETURN : 0) |
                    (WordWrap ? 0 : ES_AUTOHSCROLL | WS_HSCROLL);
}

namespace {
HWND MemoWindow(TCustomMemo* memo) { return memo->Handle(); }
}  // namespace

int TMemoStrings::Count() const {
    HWND h = MemoWindow(FMemo);
    int n = static_cast<int>(SendMessageA(h, EM_GETLINECOUNT, 0, 0));
    // The window counts an empty last line after a final line break; the lines do not.
    int lastStart = static_cast<int>(SendMessageA(h, EM_LINEINDEX, n - 1, 0));
    if (lastStart >= 0 && SendMessageA(h, EM_LINELENGTH, lastStart, 0) == 0) --n;
    return n;
}

std::string TMemoStrings::Get(int index) const {
    HWND h = MemoWindow(FMemo);
    int start = static_cast<int>(SendMessageA(h, EM_LINEINDEX, index, 0));
    if (start < 0) return {};
    int length = static_cast<int>(SendMessageA(h, EM_LINELENGTH, start, 0));
    if (length == 0) return {};
    if (length > 65535) throw EOutOfResources("Line too long");
    std::string buf(static_cast<size_t>(std::max(length, 2)), '\0');
    *reinterpret_cast<WORD*>(buf.data()) = static_cast<WORD>(length);
    int n = static_cast<int>(SendMessageA(h, EM_GETLINE, index, reinterpret_cast<LPARAM>(buf.data())));
    buf.resize(static_cast<size_t>(n));
    return buf;
}

void TMemoStrings::Put(int index, const std::string& s) {
    HWND h = MemoWindow(FMemo);
    int start = static_cast<int>(SendMessageA(h, EM_LINEINDEX, index, 0));
    if (start < 0) return;
    int length = static_cast<int>(SendMessageA(h, EM_LINELENGTH, start, 0));
    SendMessageA(h, EM_SETSEL, start, start + length);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TMemoStrings::Insert(int index, const std::string& s) {
    if (index < 0) return;
    HWND h = MemoWindow(FMemo);
    int start = static_cast<int>(SendMessageA(h, EM_LINEINDEX, index, 0));
    std::string text;
    if (start >= 0) {
        text = s + "\r\n";
    } else {
        start = static_cast<int>(SendMessageA(h, EM_LINEINDEX, index - 1, 0));
        if (start < 0) return;
        int length = static_cast<int>(SendMessageA(h, EM_LINELENGTH, start, 0));
        if (length == 0) return;
        start += length;
        text = "\r\n" + s;
    }
    SendMessageA(h, EM_SETSEL, start, start);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemoStrings::Delete(int index) {
    HWND h = MemoWindow(FMemo);
    int start = static_cast<int>(SendMessageA(h, EM_LINEINDEX, index, 0));
    if (start < 0) return;
    int next = static_cast<int>(SendMessageA(h, EM_LINEINDEX, index + 1, 0));
    if (next < 0) next = start + static_cast<int>(SendMessageA(h, EM_LINELENGTH, start, 0));
    SendMessageA(h, EM_SETSEL, start, next);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

void TMemoStrings::SetUpdateState(bool updating) {
    if (FMemo->HandleAllocated()) {
        SendMessageA(FMemo->Handle(), WM_SETREDRAW, !updating, 0);
        if (!updating) FMemo->Invalidate();
    }
}
