#pragma once
// THelpForm, the viewer's one window: the contents tree, the search tab and
// the page view, kept in step with the page shown.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/Bevel.h"
#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/PageControl.h"
#include "framework/StdCtrls.h"
#include "framework/TreeView.h"
#include "viewer/PageTextCache.h"
#include "viewer/PageView.h"
#include "viewer/Win32PageStamps.h"

// What a context number missing from the map does.
enum : uint8_t { kFallbackNothing = 0, kFallbackContextZero = 2 };

class THelpForm : public TForm {
public:
    // The manual is read from the folder of the program.
    explicit THelpForm(TComponent* owner);
    // The manual is read from folder (ending in a backslash).
    THelpForm(TComponent* owner, const std::string& folder);
    ~THelpForm() override;
    std::string ClassName() const override { return "THelpForm"; }

    void LoadContentsTree(const std::string& path);
    void LoadContextMap(const std::string& path);
    void ShowContext(int32_t number, bool show);
    void ShowPage(const std::string& name, bool show);
    void ShowPageFile(const std::string& path, bool show);
    uint8_t FallbackRule = kFallbackNothing;

    const std::string& ViewerFolder() const { return ViewerFolder_; }
    const std::vector<std::string>& PageNames() const { return PageNames_; }
    const std::vector<std::string>& SearchPaths() const { return SearchPages_; }
    const std::vector<std::string>& ResultPaths() const { return ResultPaths_; }
    const std::map<int32_t, std::string>& ContextMap() const { return ContextMap_; }
    TTreeNode* TreeNode(int index) const { return TreeNodes_[static_cast<size_t>(index)]; }

    // Event handlers, public so that tests can drive them as a user would.
    void treeDblClick(TObject* sender);
    void BackButtonClick(TObject* sender);
    void NextButtonClick(TObject* sender);
    void BrowserOpenClick(TObject* sender);
    void PrintBClick(TObject* sender);
    void SearchBClick(TObject* sender);
    void NextFoundBClick(TObject* sender);
    void ResboxDblClick(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);

    // The layout's components.
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TTreeView* tree;
    TTabSheet* TabSheet2;
    TPanel* Panel3;
    TLabel* Label1;
    TEdit* SearchEdit;
    TButton* SearchB;
    TPanel* Panel4;
    TLabel* Label3;
    TPanel* Panel5;
    TSpeedButton* NextFoundB;
    TLabel* FndL;
    TLabel* Label2;
    TListBox* Resbox;
    TPanel* Panel6;
    TButton* DispB;
    TSplitter* splitter;
    TPanel* Panel1;
    TPanel* Panel2;
    TSpeedButton* BackButton;
    TSpeedButton* NextButton;
    TBevel* Bevel1;
    TBevel* Bevel2;
    TSpeedButton* BrowserOpen;
    TSpeedButton* PrintB;
    QMHtml* view;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Resize() override;

private:
    void BuildLayout();
    void WMShowContext(int32_t number);
    void PageLoaded(QMHtml* sender);
    void ShellOpen(const char* verb, const std::string& failure);
    void SetDefaultButton(TButton* button);
    bool KeyPreview(MSG& msg);
    void ArrangeSearchTab();
    void ArrangePagePanel();
    void AddHint(TWinControl* control, const std::string& text);

    std::string ViewerFolder_;
    std::vector<std::string> PageNames_;
    std::vector<std::string> ResultPaths_;
    std::vector<std::string> SearchPages_;
    // The texts of the pages searched, kept while their files are unchanged.
    Win32PageStamps PageStamps_;
    PageTextCache PageTexts_{PageStamps_};
    std::vector<TTreeNode*> TreeNodes_;
    std::string LastQuery_;
    std::map<int32_t, std::string> ContextMap_;
    HIMAGELIST Images_ = nullptr;
    HWND Hints_ = nullptr;
    TButton* DefaultButton_ = nullptr;
    int TabsWidth_ = 217;
    std::function<bool(MSG&)> PreviousOnMessage_;
};

extern THelpForm* HelpForm;
