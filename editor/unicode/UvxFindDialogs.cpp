#include "editor/unicode/UvxFindDialogs.h"

#include <algorithm>

#include "editor/unicode/UvxSyncedStrings.h"
#include "editor/unicode/UvxSysUtils.h"

namespace {
std::u16string Buffer(const std::u16string& text) {
    std::u16string buffer(TFindDialog::kTextLength + 1, u'\0');
    std::copy_n(text.begin(), std::min<size_t>(text.size(), TFindDialog::kTextLength), buffer.begin());
    return buffer;
}

std::u16string FromBuffer(const wchar_t* buffer) {
    return buffer ? std::u16string(reinterpret_cast<const char16_t*>(buffer)) : std::u16string();
}

// The text of a field of the shown dialog, else the record's buffer.
std::u16string FieldText(HWND dialog, int id, const wchar_t* buffer) {
    HWND field = dialog ? GetDlgItem(dialog, id) : nullptr;
    if (!field) return FromBuffer(buffer);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return std::u16string(text.begin(), text.end());
}
}  // namespace

HWND TUvxFindRecord::Create(bool replace, HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data,
                            const std::u16string& find, const std::u16string& replaceWith) {
    FindBuffer = Buffer(find);
    Record = FINDREPLACEW{};
    Record.lStructSize = sizeof Record;
    Record.hwndOwner = owner;
    Record.Flags = flags;
    Record.lpstrFindWhat = reinterpret_cast<wchar_t*>(FindBuffer.data());
    Record.wFindWhatLen = TFindDialog::kTextLength + 1;
    Record.lpfnHook = hook;
    Record.lCustData = data;
    if (!replace) return ::FindTextW(&Record);
    ReplaceBuffer = Buffer(replaceWith);
    Record.lpstrReplaceWith = reinterpret_cast<wchar_t*>(ReplaceBuffer.data());
    Record.wReplaceWithLen = TFindDialog::kTextLength + 1;
    return ::ReplaceTextW(&Record);
}

// A system whose dialog makes 8-bit text fields (Wine does) would lose
// every character outside the code page in them: the fields become Unicode
// windows and take the wide texts again.
void TUvxFindRecord::InitDialog(HWND dialog, bool replace) {
    for (int id : {0x480, 0x481}) {  // edt1, edt2
        if (id == 0x481 && !replace) break;
        HWND field = GetDlgItem(dialog, id);
        if (!field) continue;
        if (!IsWindowUnicode(field))
            SetWindowLongPtrW(field, GWLP_WNDPROC, GetWindowLongPtrW(field, GWLP_WNDPROC));
        SetWindowTextW(field, reinterpret_cast<const wchar_t*>(id == 0x480 ? FindBuffer.c_str() : ReplaceBuffer.c_str()));
    }
}

void TUvxFindDialog::InitDialog(HWND dialog) {
    if (FWideShown) FRecordW.InitDialog(dialog, false);
}

void TUvxReplaceDialog::InitDialog(HWND dialog) {
    if (FWideShown) FRecordW.InitDialog(dialog, true);
}

std::u16string TUvxFindDialog::GetFindText() { return GetSyncedWideString(FFindText, FindText); }
void TUvxFindDialog::SetFindText(const std::u16string& value) {
    SetSyncedWideString(value, FFindText, FindText, [this](const std::string& s) { FindText = s; });
}

HWND TUvxFindDialog::CreateSystemDialog(HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data) {
    FWideShown = Win32PlatformIsUnicode;
    if (!FWideShown) return TFindDialog::CreateSystemDialog(owner, flags, hook, data);
    return FRecordW.Create(false, owner, flags, hook, data, GetFindText(), u"");
}

// The wide dialog's fields hold the texts whole; the record's buffers may
// have passed through the code page on the way (Wine's do).
void TUvxFindDialog::ReadTexts(const void* record) {
    if (!FWideShown) return TFindDialog::ReadTexts(record);
    SetFindText(FieldText(Handle(), 0x480, FRecordW.Record.lpstrFindWhat));
}

std::u16string TUvxReplaceDialog::GetFindText() { return GetSyncedWideString(FFindText, FindText); }
void TUvxReplaceDialog::SetFindText(const std::u16string& value) {
    SetSyncedWideString(value, FFindText, FindText, [this](const std::string& s) { FindText = s; });
}
std::u16string TUvxReplaceDialog::GetReplaceText() { return GetSyncedWideString(FReplaceText, ReplaceText); }
void TUvxReplaceDialog::SetReplaceText(const std::u16string& value) {
    SetSyncedWideString(value, FReplaceText, ReplaceText, [this](const std::string& s) { ReplaceText = s; });
}

HWND TUvxReplaceDialog::CreateSystemDialog(HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data) {
    FWideShown = Win32PlatformIsUnicode;
    if (!FWideShown) return TReplaceDialog::CreateSystemDialog(owner, flags, hook, data);
    return FRecordW.Create(true, owner, flags, hook, data, GetFindText(), GetReplaceText());
}

void TUvxReplaceDialog::ReadTexts(const void* record) {
    if (!FWideShown) return TReplaceDialog::ReadTexts(record);
    SetFindText(FieldText(Handle(), 0x480, FRecordW.Record.lpstrFindWhat));
    SetReplaceText(FieldText(Handle(), 0x481, FRecordW.Record.lpstrReplaceWith));
}
