#pragma once
// The single-line edit and the multi-line memo over the system's "EDIT"
// class: text, selection (in the window's characters), password character,
// read-only state, and the memo's lines.
#include <string>

#include "framework/Controls.h"
// The lines' GetObject is their own, not the GDI call the system header renames.
#undef GetObject
#include "framework/StringList.h"

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    std::string ClassName() const override { return "TCustomEdit"; }
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int MaxLength = 0;
    TNotifyEvent OnChange;
    // For a caller that sets a property while the window must not hear of it.
    void HideHandle() { FHandle = nullptr; }
    void RestoreHandle(HWND handle) { FHandle = handle; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CreateHandleDone() override;

private:
    char FPasswordChar = 0;
    bool FReadOnly = false;
};

class TCustomMemo;

// The memo's lines, read and written in its window.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
    std::string ClassName() const override { return "TMemoStrings"; }
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetUpdateState(bool updating) override;

private:
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;
    std::string ClassName() const override { return "TCustomMemo"; }
    TStrings* Lines() const { return FLines; }
    bool WordWrap = true;
    bool WantReturns = true;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TMemoStrings* FLines;
};
