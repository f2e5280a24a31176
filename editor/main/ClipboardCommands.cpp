#include "editor/main/ClipboardCommands.h"

#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/ClipboardAccess.h"
#include "editor/main/EditorView.h"
#include "framework/Exceptions.h"

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }
const char* const ProductCaption = "Tessaly";
}  // namespace

TClipboardCommands::TClipboardCommands(TDataFile& document, EditorView& view, ClipboardAccess& clipboard)
    : FDocument(document), FView(view), FClipboard(clipboard) {}

bool TClipboardCommands::ExportRange(int32_t& first, int32_t& last) const {
    if (FView.SelectionActive()) {
        first = FView.SelStart();
        last = FView.SelEnd();
        return first >= 0 && first <= last && last < FDocument.size;
    }
    first = last = FView.CursorPosition();
    return first >= 0 && first < FDocument.size;
}

void TClipboardCommands::PutText(const std::string& text) { FClipboard.Put(text, nullptr); }

void TClipboardCommands::Copy() {
    int32_t first, last;
    if (!ExportRange(first, last)) return;
    const uint8_t* bytes = FDocument.data + first;
    const int32_t count = last - first + 1;
    // Both texts exist before the clipboard is touched.
    const std::string pairs = BytesToHexPairs(bytes, count);
    const std::string text = CopyTextRendering(FView.ActiveView(), bytes, count);
    FClipboard.Put(text, &pairs);
}

void TClipboardCommands::Cut() {
    int32_t first, last;
    if (FView.KeepFileSize() || !ExportRange(first, last)) return;  // a protected size is never cut
    const bool selection = FView.SelectionActive();
    const int32_t count = last - first + 1;
    FDocument.beginStep();
    const std::string question = count == 1 ? Text("REMOVEONEBYTEQ")
                                            : Text("REMOVEBYTES1") + " " + std::to_string(count) + " " +
                                                  Text("REMOVEBYTES2");
    if (!FView.InsertMode() && !FView.AskYesNo(question)) return;
    const uint8_t* bytes = FDocument.data + first;
    const std::string pairs = BytesToHexPairs(bytes, count);
    const std::string text = CopyTextRendering(ByteViewKind::Text, bytes, count);
    FDocument.checkReadOnly();  // the clipboard keeps its contents when the cut cannot happen
    FClipboard.Put(text, &pairs);
    FView.SetModified();
    FDocument.deleteBytes(first, count);
    if (selection) {
        FView.PlaceCursorAfterDelete(first);
        FView.ClearSelection();
    }
    FView.RepaintAll();
}

void TClipboardCommands::Paste() {
    std::string text;
    std::vector<uint8_t> bytes;
    if (FClipboard.Get(ClipboardBytesFormat, text)) {
        HexPairsToBytes(text, bytes);  // a damaged pair stops here, before any change
    } else if (FClipboard.Get(ClipboardTextFormat, text)) {
        const std::string_view t = TextUpToFirstZero(text);
        bytes.assign(t.begin(), t.end());
    } else {
        return;
    }
    WriteAtCursor(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TClipboardCommands::WriteAtCursor(const uint8_t* bytes, int32_t count) {
    if (FView.InsertMode()) PasteInsert(bytes, count);
    else PasteOver(bytes, count);
}

void TClipboardCommands::PasteOver(const uint8_t* bytes, int32_t count) {
    FDocument.beginStep();
    const int32_t cursor = FView.CursorPosition();
    const int64_t excess = int64_t(cursor) + count - FDocument.size;
    if (excess < 1) {
        FDocument.overwrite(cursor, count, bytes);
    } else {
        if (FView.KeepFileSize()) {
            FView.Tell(Text("PASTEDOESNTFIT"), ProductCaption);
            return;
        }
        const std::string question =
            std::to_string(excess) + " " + Text(excess == 1 ? "BYTEADDEDTOFITQ" : "BYTESADDEDTOFITQ");
        if (!FView.AskYesNo(question)) return;
        if (int64_t(FDocument.size) + excess > MaxDocumentSize) throw EOutOfMemory(OutOfMemoryMessage());
        const int32_t e = static_cast<int32_t>(excess);
        // The growth first: it is the step that may run out of memory, and
        // then nothing has changed yet.
        FDocument.insertData(FDocument.size, e, bytes + (count - e));
        FDocument.overwrite(cursor, count - e, bytes);
    }
    FView.SetModified();
    FView.GotoPosition(cursor + count);
    FView.ClearSelection();
    FView.RepaintAll();
}

void TClipboardCommands::PasteInsert(const uint8_t* bytes, int32_t count) {
    FDocument.beginStep();
    const int32_t cursor = FView.CursorPosition();
    FDocument.insertData(cursor, count, bytes);
    FView.SetModified();
    FView.GotoPosition(cursor + count);
    FView.ClearSelection();
    FView.RepaintAll();
}

void TClipboardCommands::CopyNumbers(NumberForm form) {
    int32_t first, last;
    if (!ExportRange(first, last)) return;
    PutText(NumberListText(form, FDocument.data + first, last - first + 1, NumbersPerLine));
}

void TClipboardCommands::CopyAdaptedText() {
    int32_t first, last;
    if (!ExportRange(first, last)) return;
    PutText(AdaptedText(FDocument.data + first, last - first + 1, ReplaceValue));
}

void TClipboardCommands::CopyDump(bool withOffsets) {
    int32_t first, last;
    if (!ExportRange(first, last)) return;
    PutText(DumpText(FDocument.data, FDocument.size, first, last, withOffsets, ReplaceValue));
}

void TClipboardCommands::CopyPosition(bool hexadecimal) { PutText(PositionText(FView.CursorPosition(), hexadecimal)); }

void TClipboardCommands::CopyTypedValues(TypedKind kind) {
    if (kind == TypedKind::UInt8) return CopyNumbers(NumberForm::Decimal);
    const bool selection = FView.SelectionActive();
    const int32_t selectionSize = selection ? FView.SelEnd() - FView.SelStart() + 1 : 0;
    const std::string refusal = TypedSizeRefusal(kind, selection, selectionSize);
    if (!refusal.empty()) {
        FView.Tell(refusal, ProductCaption);
        return;
    }
    int32_t first, last;
    if (!ExportRange(first, last)) return;
    // Without a selection the one byte under the cursor is written unsigned.
    const TypedKind shown = selection ? kind : TypedKind::UInt8;
    PutText(TypedValuesText(shown, FDocument.data + first, last - first + 1, NumbersPerLine));
}

void TClipboardCommands::ImportFromClipboard(NumberKind kind) {
    std::string text;
    if (!FClipboard.Get(ClipboardTextFormat, text)) return;
    ImportText(kind, TextUpToFirstZero(text), false);
}

void TClipboardCommands::ImportFromFile(NumberKind kind, std::string_view text) { ImportText(kind, text, true); }

void TClipboardCommands::ImportText(NumberKind kind, std::string_view text, bool fromFile) {
    std::vector<uint8_t> bytes;
    const int32_t count = ParseNumbers(kind, text, bytes);
    if (count < 0) {
        const bool bare = fromFile && kind == NumberKind::Hexadecimal;
        FView.Tell(bare ? Text("THATISNOTCORRECT") : ImportRefusal(kind), ProductCaption);
        return;
    }
    WriteAtCursor(bytes.data(), count);
}
