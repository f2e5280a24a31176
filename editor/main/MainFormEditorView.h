#pragma once
// The main window as the clipboard, import and search commands see it: its
// cursor, selection, moves and repaints, the Insert Mode and Keep File Size
// check marks, the active view and the editor's message boxes.
#include "editor/main/EditorView.h"

class TMainForm;

class TMainFormEditorView : public EditorView {
public:
    explicit TMainFormEditorView(TMainForm& form) : F(form) {}

    int32_t CursorPosition() const override;
    bool SelectionActive() const override;
    int32_t SelStart() const override;
    int32_t SelEnd() const override;
    void GotoPosition(int32_t position) override;
    void PlaceCursorAfterDelete(int32_t position) override;
    void ShowHit(int32_t first, int32_t last) override;
    void ClearSelection() override;
    void RepaintAll() override;
    void SetModified() override;
    bool InsertMode() const override;
    bool KeepFileSize() const override;
    ByteViewKind ActiveView() const override;
    void Tell(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text) override;

private:
    TMainForm& F;
};
