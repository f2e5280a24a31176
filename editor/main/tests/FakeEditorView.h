#pragma once
// A main window and a clipboard for the tests of the commands: the cursor
// and selection as plain fields, every message and question recorded.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/main/ClipboardAccess.h"
#include "editor/main/EditorView.h"

class FakeEditorView : public EditorView {
public:
    explicit FakeEditorView(const TDataFile& document) : Document(document) {}

    int32_t CursorPosition() const override { return Cursor; }
    bool SelectionActive() const override { return Selected; }
    int32_t SelStart() const override { return Start; }
    int32_t SelEnd() const override { return End; }
    void GotoPosition(int32_t position) override { Cursor = std::clamp(position, 0, Document.size); }
    void PlaceCursorAfterDelete(int32_t position) override { Cursor = std::clamp(position, 0, Document.size); }
    void ShowHit(int32_t first, int32_t last) override {
        GotoPosition(first);
        Select(first, last);
    }
    void ClearSelection() override { Selected = false; }
    void RepaintAll() override { ++Repaints; }
    void SetModified() override { Modified = true; }
    bool InsertMode() const override { return Insert; }
    bool KeepFileSize() const override { return KeepSize; }
    ByteViewKind ActiveView() const override { return View; }
    void Tell(const std::string& text, const std::string& caption) override {
        Messages.push_back(text);
        Captions.push_back(caption);
    }
    bool AskYesNo(const std::string& text) override {
        Questions.push_back(text);
        return AnswerYes;
    }

    void Select(int32_t first, int32_t last) {
        Selected = true;
        Start = first;
        End = last;
    }
    std::string LastMessage() const { return Messages.empty() ? std::string() : Messages.back(); }
    std::string LastCaption() const { return Captions.empty() ? std::string() : Captions.back(); }

    const TDataFile& Document;
    int32_t Cursor = 0;
    bool Selected = false;
    int32_t Start = 0, End = 0;
    bool Insert = false, KeepSize = false, AnswerYes = true, Modified = false;
    ByteViewKind View = ByteViewKind::Text;
    int Repaints = 0;
    std::vector<std::string> Messages, Captions, Questions;
};

class FakeClipboard : public ClipboardAccess {
public:
    void Put(const std::string& text, const std::string* bytesFormat) override {
        Formats.clear();
        Formats[1] = text.substr(0, text.find('\0'));
        if (bytesFormat) Formats[129] = bytesFormat->substr(0, bytesFormat->find('\0'));
        ++Puts;
    }
    bool Get(unsigned format, std::string& text) override {
        auto it = Formats.find(format);
        if (it == Formats.end()) return false;
        text = it->second;
        return true;
    }
    std::map<unsigned, std::string> Formats;
    int Puts = 0;
};
