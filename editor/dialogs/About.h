#pragma once
// The about window: the program's name and version, the maker and its web
// site and e-mail address; clicking the address starts the mail program.
#include "editor/unicode/UvxForms.h"

class TButton;
class TImage;
class TLabel;

class TAbout : public TUvxForm {
public:
    explicit TAbout(TComponent* owner);
    ~TAbout() override;
    std::string ClassName() const override { return "TAbout"; }
    void EmailLClick(TObject* sender);
    // How the mail link is opened (the shell; tests record instead).
    std::function<void(const std::string& target)> OpenLink;

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* VersionL = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* MainSiteL = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* EmailL = nullptr;
    TButton* Button1 = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
};

extern TAbout* About;
