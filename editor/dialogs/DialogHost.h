#pragma once
// What the bit editor and the data types editor need from the main window:
// the document, the Read Only option, the first byte number, the texts of
// the language table, and the selection, cursor and repaints that follow a
// change. The main window implements it; tests give a fake.
#include <cstdint>
#include <string>

class TDataFile;

class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual TDataFile& Document() = 0;
    virtual bool ReadOnly() const = 0;
    virtual int FirstByteNumber() const = 0;
    virtual std::string Text(const char* key) const = 0;
    // Marks the document modified.
    virtual void SetModified() = 0;
    // The main selection becomes first..last with the anchor on last.
    virtual void SelectRange(int32_t first, int32_t last) = 0;
    // Redraws the selected cells of the byte view.
    virtual void RepaintSelection() = 0;
    virtual void RepaintAll() = 0;
    // Moves the cursor with a margin of two rows.
    virtual void GotoPosition(int32_t position) = 0;
    // The editor's message box with the caption "Tessaly" and one button.
    virtual void Tell(const std::string& text, const std::string& button) = 0;
    // Two buttons; true for the first.
    virtual bool Ask(const std::string& text, const std::string& caption, const std::string& first,
                     const std::string& second) = 0;
};
