#pragma once
// Edits and memos with wide text, a wide selection counted in wide
// characters on every platform, a wide password character, and the memo's
// wide lines read and written in its Unicode window.
#include <string>

#include "editor/unicode/UvxStringLists.h"
#include "editor/unicode/UvxStringUtils.h"
#include "editor/unicode/UvxWideControl.h"
#include "framework/CustomEdit.h"

void UvxCustomEdit_CreateWindowHandle(TCustomEdit* edit, const TCreateParams& params);
void UvxCustomEdit_AfterInherited_CreateWnd(TCustomEdit* edit, char16_t passwordChar);
int UvxCustomEdit_GetSelStart(TCustomEdit* edit);
void UvxCustomEdit_SetSelStart(TCustomEdit* edit, int value);
int UvxCustomEdit_GetSelLength(TCustomEdit* edit);
void UvxCustomEdit_SetSelLength(TCustomEdit* edit, int value);
std::u16string UvxCustomEdit_GetSelText(TCustomEdit* edit);
void UvxCustomEdit_SetSelText(TCustomEdit* edit, const std::u16string& value);
// The wide password character; it follows a change made to the framework's.
char16_t UvxCustomEdit_GetPasswordChar(TCustomEdit* edit, char16_t& field);
void UvxCustomEdit_SetPasswordChar(TCustomEdit* edit, char16_t& field, char16_t value);
int UvxMemo_LineStart(HWND window, int index);
// start -1: taken from UvxMemo_LineStart.
int UvxMemo_LineLength(HWND window, int index, int start = -1);

class TUvxCustomEdit : public TUvxWideControl<TCustomEdit> {
public:
    explicit TUvxCustomEdit(TComponent* owner) : TUvxWideControl<TCustomEdit>(owner) {}
    std::string ClassName() const override { return "TUvxCustomEdit"; }
    std::u16string GetText() { return GetCaption(); }
    void SetText(const std::u16string& value) { SetCaption(value); }
    using TCustomEdit::SetText;
    virtual int GetSelStart() { return UvxCustomEdit_GetSelStart(this); }
    virtual void SetSelStart(int value) { UvxCustomEdit_SetSelStart(this, value); }
    virtual int GetSelLength() { return UvxCustomEdit_GetSelLength(this); }
    virtual void SetSelLength(int value) { UvxCustomEdit_SetSelLength(this, value); }
    virtual std::u16string GetSelText() { return UvxCustomEdit_GetSelText(this); }
    void SetSelText(const std::u16string& value) { UvxCustomEdit_SetSelText(this, value); }
    using TCustomEdit::SetSelText;
    char16_t GetPasswordChar() { return UvxCustomEdit_GetPasswordChar(this, FPasswordChar); }
    void SetPasswordChar(char16_t value) { UvxCustomEdit_SetPasswordChar(this, FPasswordChar, value); }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { UvxCustomEdit_CreateWindowHandle(this, params); }
    void CreateWnd() override;

private:
    char16_t FPasswordChar = 0;
};

class TUvxEdit : public TUvxCustomEdit {
public:
    explicit TUvxEdit(TComponent* owner) : TUvxCustomEdit(owner) {}
    std::string ClassName() const override { return "TUvxEdit"; }
};

// The wide view of a memo's lines.
class TUvxMemoStrings : public TUvxStrings {
public:
    TUvxMemoStrings(TCustomMemo* memo, TStrings* lines) : FMemo(memo), FLines(lines) {}
    std::string ClassName() const override { return "TUvxMemoStrings"; }
    int Count() const override;
    std::u16string Get(int index) const override;
    void Put(int index, const std::u16string& s) override;
    void Insert(int index, const std::u16string& s) override;
    void Delete(int index) override;
    void Clear() override;
    // The memo's text; setting converts its line breaks to LineBreakStyle.
    std::u16string Text() const override;
    void SetText(const std::u16string& value) override;
    TUvxTextLineBreakStyle LineBreakStyle = tlbsCRLF;

protected:
    void SetUpdateState(bool updating) override;

private:
    bool WideWindow() const;
    TCustomMemo* FMemo;
    TStrings* FLines;
};

class TUvxCustomMemo : public TUvxWideControl<TCustomMemo> {
public:
    explicit TUvxCustomMemo(TComponent* owner);
    ~TUvxCustomMemo() override;
    std::string ClassName() const override { return "TUvxCustomMemo"; }
    std::u16string GetText() { return GetCaption(); }
    void SetText(const std::u16string& value) { SetCaption(value); }
    using TCustomMemo::SetText;
    TUvxStrings* WideLines() const { return FWideLines; }
    void SetLines(TWideStrings* value);
    virtual int GetSelStart() { return UvxCustomEdit_GetSelStart(this); }
    virtual void SetSelStart(int value) { UvxCustomEdit_SetSelStart(this, value); }
    virtual int GetSelLength() { return UvxCustomEdit_GetSelLength(this); }
    virtual void SetSelLength(int value) { UvxCustomEdit_SetSelLength(this, value); }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { UvxCustomEdit_CreateWindowHandle(this, params); }

private:
    TUvxMemoStrings* FWideLines;
};

class TUvxMemo : public TUvxCustomMemo {
public:
    explicit TUvxMemo(TComponent* owner) : TUvxCustomMemo(owner) {}
    std::string ClassName() const override { return "TUvxMemo"; }
};
