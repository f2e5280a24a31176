#pragma once
// The editor's own message box: one, two or three buttons with captions from
// the language table, shown modally; answers Yes 6, No 7, Cancel 2.
#include <string>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class TBerichtBox : public TForm {
public:
    explicit TBerichtBox(TComponent* owner);
    ~TBerichtBox() override;
    std::string ClassName() const override { return "TBerichtBox"; }

    int Show1(const std::string& text, const std::string& caption, const std::string& button);
    int Show2(const std::string& text, const std::string& caption, const std::string& first, const std::string& second);
    int Show3(const std::string& text, const std::string& caption, const std::string& yes, const std::string& no,
              const std::string& cancel);

    void FormActivate(TObject* sender);
    bool IsShortCut(WORD key, TShiftState shift) override;

    TLabel* Label2;  // spacer above the text
    TLabel* Label1;  // the message text
    TButton* Button1;
    TButton* Button2;
    TButton* Button3;
    // Which button Esc answers with (the one whose Cancel is set).
    TButton* CancelButton = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void BerichtLayout(const std::string& text);
    void PlaceButton(TButton* button, int left, const std::string& caption, bool visible);
    void Answer(TButton* button);
    HFONT FFont = nullptr;
    int FButtonTop = 0;
};

extern TBerichtBox* BerichtBox;

int BerichtBox1(const std::string& text, const std::string& caption, const std::string& button);
int BerichtBox2(const std::string& text, const std::string& caption, const std::string& first, const std::string& second);
int BerichtBox3(const std::string& text, const std::string& caption, const std::string& yes, const std::string& no,
                const std::string& cancel);
