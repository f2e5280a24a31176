// The main window's clipboard commands: Cut, Copy and Paste of bytes, the
// exports of the selection as numbers, adapted text, dumps and typed values,
// their settings, and the imports of numbers from the clipboard or a file.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/ClipboardCommands.h"
#include "editor/main/MainForm.h"
#include "editor/main/MainFormEditorView.h"
#include "editor/main/Win32Clipboard.h"
#include "editor/unicode/UvxStreams.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

struct TMainForm::TClipboardSide {
    explicit TClipboardSide(TMainForm& form) : View(form), Clipboard(form.Handle()), Commands(DataFile, View, Clipboard) {}
    TMainFormEditorView View;
    TWin32Clipboard Clipboard;
    TClipboardCommands Commands;
};

// The settings of the exports live in the window (the replace value) and
// in the check marks of the numbers-per-line items; the commands get them
// fresh each time.
TMainForm::TClipboardSide& TMainForm::ClipboardSide() {
    if (!FClipboardSide)
        FClipboardSide = {new TClipboardSide(*this), [](TClipboardSide* side) { delete side; }};
    TClipboardCommands& c = FClipboardSide->Commands;
    c.ReplaceValue = ReplaceValue;
    c.NumbersPerLine = NumLine4 && NumLine4->Checked()     ? 4
                       : NumLine8 && NumLine8->Checked()   ? 8
                       : NumLine16 && NumLine16->Checked() ? 16
                                                           : 0;
    return *FClipboardSide;
}

void TMainForm::BindClipboardCommands() {
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        if (item) item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    bind(Knip, &TMainForm::KnipClick);
    bind(Copy, &TMainForm::CopyClick);
    bind(Paste1, &TMainForm::Paste1Click);
    bind(DecimalCopy, &TMainForm::DecimalCopyClick);
    bind(HexadCopy, &TMainForm::HexadCopyClick);
    bind(BinaryCopy, &TMainForm::BinaryCopyClick);
    bind(AdaptedTexttoClipboard, &TMainForm::AdaptedTexttoClipboardClick);
    bind(DumptoClipboard1, &TMainForm::DumptoClipboard1Click);
    bind(DumptoClipboard2, &TMainForm::DumptoClipboard2Click);
    bind(NoEntersNumLine, &TMainForm::NoEntersNumLineClick);
    bind(NumLine4, &TMainForm::NumLine4Click);
    bind(NumLine8, &TMainForm::NumLine8Click);
    bind(NumLine16, &TMainForm::NumLine16Click);
    bind(CopyTextUseDot, &TMainForm::CopyTextUseDotClick);
    bind(CopyTextUseSpace, &TMainForm::CopyTextUseSpaceClick);
    bind(CopyTextUseOtherValue, &TMainForm::CopyTextUseOtherValueClick);
    bind(N8bitsunsigned1, &TMainForm::N8bitsunsigned1Click);
    bind(N8bitssigned1, &TMainForm::N8bitssigned1Click);
    bind(N16bitsunsigned1, &TMainForm::N16bitsunsigned1Click);
    bind(N16bitssigned1, &TMainForm::N16bitssigned1Click);
    bind(N32bitsunsigned1, &TMainForm::N32bitsunsigned1Click);
    bind(N32bitsunsigned2, &TMainForm::N32bitsunsigned2Click);
    bind(N32bitsfloat1, &TMainForm::N32bitsfloat1Click);
    bind(N64bitsfloat1, &TMainForm::N64bitsfloat1Click);
    bind(DecimalNumbersfromClipboard1, &TMainForm::DecimalNumbersfromClipboard1Click);
    bind(HexadecimalNumbersfromClipboard1, &TMainForm::HexadecimalNumbersfromClipboard1Click);
    bind(BinaryNumbersfromClipboard1, &TMainForm::BinaryNumbersfromClipboard1Click);
    bind(N8bitsunsignedFromClipboard, &TMainForm::N8bitsunsignedFromClipboardClick);
    bind(N8bitssignedFromClipboard, &TMainForm::N8bitssignedFromClipboardClick);
    bind(N16bitsunsignedFromClipboard, &TMainForm::N16bitsunsignedFromClipboardClick);
    bind(N16bitssignedFromClipboard, &TMainForm::N16bitsunsignedFromClipboardClick);
    bind(N32bitsunsignedFromClipboard, &TMainForm::N32bitsunsignedFromClipboardClick);
    bind(N32bitssignedFromClipboard, &TMainForm::N32bitsunsignedFromClipboardClick);
    bind(N32bitsfloatFromClipboard, &TMainForm::N32bitsfloatFromClipboardClick);
    bind(N64bitsFromClipboard, &TMainForm::N64bitsFromClipboardClick);
    for (TMenuItem* item : {N8bitsunsignedFile, N8bitssignedFile, N16bitsunsignedFile, N16bitssignedFile,
                            N32bitsunsignedFile, N32bitssignedFile, N32bitsfloatFile, N64bitsfloatFile, HexadecimalFile})
        bind(item, &TMainForm::OnDataTypesFromFile);
}

void TMainForm::KnipClick(TObject*) { ClipboardSide().Commands.Cut(); }
void TMainForm::CopyClick(TObject*) { ClipboardSide().Commands.Copy(); }
void TMainForm::Paste1Click(TObject*) { ClipboardSide().Commands.Paste(); }
// Ctrl+Insert and Shift+Insert in the byte view.
void TMainForm::CopyCommand() { CopyClick(this); }
void TMainForm::PasteCommand() { Paste1Click(this); }

void TMainForm::DecimalCopyClick(TObject*) { ClipboardSide().Commands.CopyNumbers(NumberForm::Decimal); }
void TMainForm::HexadCopyClick(TObject*) { ClipboardSide().Commands.CopyNumbers(NumberForm::Hexadecimal); }
void TMainForm::BinaryCopyClick(TObject*) { ClipboardSide().Commands.CopyNumbers(NumberForm::Binary); }
void TMainForm::AdaptedTexttoClipboardClick(TObject*) { ClipboardSide().Commands.CopyAdaptedText(); }
void TMainForm::DumptoClipboard1Click(TObject*) { ClipboardSide().Commands.CopyDump(false); }
void TMainForm::DumptoClipboard2Click(TObject*) { ClipboardSide().Commands.CopyDump(true); }

namespace {
// The four numbers-per-line items act as one radio group.
void CheckOnly(TMenuItem* chosen, std::initializer_list<TMenuItem*> group) {
    for (TMenuItem* item : group)
        if (item) item->SetChecked(item == chosen);
}
}  // namespace

void TMainForm::NoEntersNumLineClick(TObject*) {
    CheckOnly(NoEntersNumLine, {NoEntersNumLine, NumLine4, NumLine8, NumLine16});
}
void TMainForm::NumLine4Click(TObject*) { CheckOnly(NumLine4, {NoEntersNumLine, NumLine4, NumLine8, NumLine16}); }
void TMainForm::NumLine8Click(TObject*) { CheckOnly(NumLine8, {NoEntersNumLine, NumLine4, NumLine8, NumLine16}); }
void TMainForm::NumLine16Click(TObject*) { CheckOnly(NumLine16, {NoEntersNumLine, NumLine4, NumLine8, NumLine16}); }

void TMainForm::CopyTextUseDotClick(TObject*) { ReplaceValue = 46; }
void TMainForm::CopyTextUseSpaceClick(TObject*) { ReplaceValue = 32; }

void TMainForm::CopyTextUseOtherValueClick(TObject*) {
    TValueRequest request;
    request.Caption = LanguageText("MenuSetAdaptedText");
    request.Question = LanguageText("VALUEREPLACINGZERO");
    request.Text = std::to_string(ReplaceValue);
    request.ItemIndex = 1;
    request.AllowText = true;
    request.AnyNumber = false;
    if (AskValue(request)) ReplaceValue = static_cast<uint8_t>(request.Value);
}

void TMainForm::N8bitsunsigned1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::UInt8); }
void TMainForm::N8bitssigned1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::Int8); }
void TMainForm::N16bitsunsigned1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::UInt16); }
void TMainForm::N16bitssigned1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::Int16); }
void TMainForm::N32bitsunsigned1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::UInt32); }
void TMainForm::N32bitsunsigned2Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::Int32); }
void TMainForm::N32bitsfloat1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::Float32); }
void TMainForm::N64bitsfloat1Click(TObject*) { ClipboardSide().Commands.CopyTypedValues(TypedKind::Float64); }

void TMainForm::DecimalNumbersfromClipboard1Click(TObject*) { N8bitssignedFromClipboardClick(this); }
void TMainForm::HexadecimalNumbersfromClipboard1Click(TObject*) {
    ClipboardSide().Commands.ImportFromClipboard(NumberKind::Hexadecimal);
}
void TMainForm::BinaryNumbersfromClipboard1Click(TObject*) {
    ClipboardSide().Commands.ImportFromClipboard(NumberKind::Binary);
}
void TMainForm::N8bitsunsignedFromClipboardClick(TObject*) { N8bitssignedFromClipboardClick(this); }

// Items that share a handler are told apart by the sender.
void TMainForm::N8bitssignedFromClipboardClick(TObject* sender) {
    ClipboardSide().Commands.ImportFromClipboard(sender == N8bitssignedFromClipboard ? NumberKind::Int8Signed
                                                                                      : NumberKind::Int8Unsigned);
}
void TMainForm::N16bitsunsignedFromClipboardClick(TObject* sender) {
    ClipboardSide().Commands.ImportFromClipboard(sender == N16bitsunsignedFromClipboard ? NumberKind::Int16Unsigned
                                                                                         : NumberKind::Int16Signed);
}
void TMainForm::N32bitsunsignedFromClipboardClick(TObject* sender) {
    ClipboardSide().Commands.ImportFromClipboard(sender == N32bitsunsignedFromClipboard ? NumberKind::Int32Unsigned
                                                                                         : NumberKind::Int32Signed);
}
void TMainForm::N32bitsfloatFromClipboardClick(TObject*) { ClipboardSide().Commands.ImportFromClipboard(NumberKind::Float32); }
void TMainForm::N64bitsFromClipboardClick(TObject*) { ClipboardSide().Commands.ImportFromClipboard(NumberKind::Float64); }

namespace {

// The file's text up to its first zero byte, as 8-bit characters without
// any conversion. Only that much is read; a file too large for a document
// is refused as too large for memory before anything is read.
std::string ImportFileText(const std::u16string& path) {
    TUvxFileStream stream(path, 0);
    if (stream.Size() > MaxDocumentSize) throw EOutOfMemory(OutOfMemoryMessage());
    std::string text;
    char chunk[65536];
    for (;;) {
        const int32_t n = stream.Read(chunk, sizeof chunk);
        if (n <= 0) break;
        const char* begin = chunk;
        const char* end = chunk + n;
        const char* zero = std::find(begin, end, '\0');
        text.append(begin, zero);
        if (zero != end) break;
    }
    return text;
}

}  // namespace

void TMainForm::OnDataTypesFromFile(TObject* sender) {
    const std::pair<TMenuItem*, NumberKind> kinds[] = {
        {N8bitsunsignedFile, NumberKind::Int8Unsigned},   {N8bitssignedFile, NumberKind::Int8Signed},
        {N16bitsunsignedFile, NumberKind::Int16Unsigned}, {N16bitssignedFile, NumberKind::Int16Signed},
        {N32bitsunsignedFile, NumberKind::Int32Unsigned}, {N32bitssignedFile, NumberKind::Int32Signed},
        {N32bitsfloatFile, NumberKind::Float32},          {N64bitsfloatFile, NumberKind::Float64},
        {HexadecimalFile, NumberKind::Hexadecimal},
    };
    const std::pair<TMenuItem*, NumberKind>* chosen = nullptr;
    for (const auto& k : kinds)
        if (sender == k.first) chosen = &k;
    if (!chosen) return;
    const std::u16string path = AskOpenFileName();
    if (path.empty()) {
        if (CommDlgExtendedError() != 0)
            Application->MessageBox(LanguageText("DIALOGPROBLEM_OPEN") + LanguageText("DIALOGSOLUTION"),
                                    LanguageText("DIALOGPROBLEM_CAPTION"), MB_OK);
        return;
    }
    ClipboardSide().Commands.ImportFromFile(chosen->second, ImportFileText(path));
}
