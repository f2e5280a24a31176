#pragma once
// The main window's clipboard commands on the document: Cut, Copy and Paste
// of bytes (the editor's own format beside plain text), pasting over or
// inserting at the cursor, the exports of the selection as numbers, adapted
// text, dumps and typed values, the copy of the cursor position, and the
// imports of numbers from the clipboard or a file's text. Bad input and
// refused questions change nothing; a text too large for memory raises the
// out-of-memory error before the clipboard or the document changes.
#include <cstdint>
#include <string_view>

#include "editor/main/ByteTexts.h"
#include "editor/main/NumberImports.h"
#include "editor/main/TypedValueTexts.h"

class TDataFile;
class EditorView;
class ClipboardAccess;

class TClipboardCommands {
public:
    TClipboardCommands(TDataFile& document, EditorView& view, ClipboardAccess& clipboard);

    // Settings of the exports, kept for the program's run: the character
    // for special bytes and the numbers per line (0, 4, 8 or 16).
    uint8_t ReplaceValue = 46;
    int NumbersPerLine = 0;

    void Copy();
    void Cut();
    void Paste();
    // Writes the bytes over the document from the cursor, asking before the
    // file grows (refused under Keep File Size); the cursor lands after them.
    void PasteOver(const uint8_t* bytes, int32_t count);
    // Inserts the bytes at the cursor; the cursor lands after them.
    void PasteInsert(const uint8_t* bytes, int32_t count);

    void CopyNumbers(NumberForm form);
    void CopyAdaptedText();
    void CopyDump(bool withOffsets);
    void CopyPosition(bool hexadecimal);
    void CopyTypedValues(TypedKind kind);

    // Parses the clipboard's text as the kind and writes the bytes at the
    // cursor by Insert Mode; a refused text is told and changes nothing.
    void ImportFromClipboard(NumberKind kind);
    // The same for the text of a file (the caller has cut it at its first
    // zero byte); a refused hexadecimal text is told without advice.
    void ImportFromFile(NumberKind kind, std::string_view text);

private:
    // The range of an export: the selection, else the cursor byte; false
    // when the cursor stands at the end with no selection.
    bool ExportRange(int32_t& first, int32_t& last) const;
    void ImportText(NumberKind kind, std::string_view text, bool fromFile);
    void WriteAtCursor(const uint8_t* bytes, int32_t count);
    void PutText(const std::string& text);

    TDataFile& FDocument;
    EditorView& FView;
    ClipboardAccess& FClipboard;
};
