#pragma once
// The editor's main window over the one document: start-up, the shared
// state of the main window, New, Open, Exit, the close question, the close
// and starting the help viewer.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxMenus.h"

class TMainForm : public TUvxForm {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;
    std::string ClassName() const override { return "TMainForm"; }

    void SetModified(uint8_t flag);
    void SetFileName(const std::u16string& path);
    // Save under the current name, or ask for one; false when nothing was
    // saved. Virtual so that tests can stand in for the save dialog.
    virtual bool Save();
    virtual bool SaveAs();
    void RepaintAll();

    // Menu and form handlers.
    void New1Click(TObject* sender);
    void Open1Click(TObject* sender);
    void Exit1Click(TObject* sender);
    void Index1Click(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    bool AppHelp(uint16_t command, int data, bool& callHelp);

    // Starts the help viewer of the current language with one parameter;
    // never waits and reports nothing.
    void StartHelpViewer(const std::string& parameter);
    // How a program is started (the shell; tests record instead).
    std::function<void(const std::string& path, const std::string& parameter)> StartProgram;

    // Fields, in the order the other parts of the main window rely on.
    std::u16string FileName;
    int ScrollBarWidth = 0;
    int ActiveView = 0;
    int CellFontSize = 0;
    int DigitIndex = 1;
    int DigitCount = 0;
    int Rows = 0;
    uint8_t SelectionActive = 0;
    uint8_t MouseSelecting = 0;
    int OldSelStart = 0, OldSelEnd = 0;
    int SelStart = 0, SelEnd = 0;
    int LastMouseX = 0, LastMouseY = 0;
    int SelAnchor = 0;
    int ReadOnlyRefusals = 0;
    uint8_t FillByte = 0;
    uint8_t ReplaceValue = 46;
    uint8_t IsNewFile = 1;
    std::vector<std::u16string> RecentFiles;
    uint8_t WasDeactivated = 0;
    int FirstByteNumber = 0;
    uint8_t RecentEnabled = 1;
    // The byte view (DataScreen) is not part of the window yet: its layout,
    // drawing, keys and mouse come with the byte view's own unit, which will
    // create it here, own it and route its events to the form.
    TWinControl* ByteView = nullptr;

    // The layout's components the start-up touches.
    TUvxMainMenu* MainMenu = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* New1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* Index1 = nullptr;

private:
    TMenuItem* AddItem(TMenuItem* parent, const std::string& name, const std::string& textKey,
                       std::function<void(TObject*)> onClick);
    bool SaveBeforeLeaving(int answer);
};

extern TMainForm* MainForm;
extern int32_t TopOffset;
extern int32_t CursorOffset;
extern int32_t OldCursorOffset;
extern int32_t OldTopOffset;
extern uint8_t Modified;
extern int FoundCount;
extern int ReplaceCount;


namespace mainform_testing {
// When set, stands in for the process's command line at start-up.
extern std::optional<std::u16string> CommandLine;
}  // namespace mainform_testing
