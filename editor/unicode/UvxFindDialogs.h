#pragma once
// The find and replace dialogs with wide texts: on a Unicode platform the
// system's wide dialogs run and the texts a person enters arrive whole; the
// framework's 8-bit texts follow them. Elsewhere the framework's dialogs run.
#include <string>

#include "framework/FindDialogs.h"

// The wide record of a shown dialog and the buffers it points into.
struct TUvxFindRecord {
    FINDREPLACEW Record{};
    std::u16string FindBuffer, ReplaceBuffer;
    HWND Create(bool replace, HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data, const std::u16string& find,
                const std::u16string& replaceWith);
    // The text fields of the shown dialog hold wide texts.
    void InitDialog(HWND dialog, bool replace);
};

class TUvxFindDialog : public TFindDialog {
public:
    explicit TUvxFindDialog(TComponent* owner) : TFindDialog(owner) {}
    std::string ClassName() const override { return "TUvxFindDialog"; }
    std::u16string GetFindText();
    void SetFindText(const std::u16string& value);

protected:
    HWND CreateSystemDialog(HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data) override;
    void ReadTexts(const void* record) override;
    void InitDialog(HWND dialog) override;

private:
    std::u16string FFindText;
    TUvxFindRecord FRecordW;
    bool FWideShown = false;
};

class TUvxReplaceDialog : public TReplaceDialog {
public:
    explicit TUvxReplaceDialog(TComponent* owner) : TReplaceDialog(owner) {}
    std::string ClassName() const override { return "TUvxReplaceDialog"; }
    std::u16string GetFindText();
    void SetFindText(const std::u16string& value);
    std::u16string GetReplaceText();
    void SetReplaceText(const std::u16string& value);

protected:
    HWND CreateSystemDialog(HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data) override;
    void ReadTexts(const void* record) override;
    void InitDialog(HWND dialog) override;

private:
    std::u16string FFindText, FReplaceText;
    TUvxFindRecord FRecordW;
    bool FWideShown = false;
};
