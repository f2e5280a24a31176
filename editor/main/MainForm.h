#pragma once
// The editor's main window over the one document: start-up, the shared
// state of the main window, the byte view with its header and status bar,
// New, Open, Exit, the close question, the close and starting the help
// viewer.
#include <cstdint>
#include <functional>
#include <windows.h>
#include <shellapi.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/main/ByteViewState.h"
#include "editor/main/MainGlobals.h"
#include "editor/main/MainMenuItems.h"
#include "editor/main/SettingsStore.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxMenus.h"
#include "framework/Font.h"

class DataScreen;
class THeaderControl;
class TStatusBar;

class TMainForm : public TUvxForm, public TByteViewState {
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

    // Files: the open dialog (an empty path when cancelled), opening into the
    // document, the question before another file replaces a changed one, the
    // recent-file list and its menu, and the reload offer after another
    // program changed the file.
    std::u16string AskOpenFileName();
    bool OpenFile(const std::u16string& path, bool repaint);
    bool AskSaveBeforeOpen();
    void AddRecentFile(const std::u16string& path);
    void BuildRecentMenu();
    void RecentFileClick(TObject* sender);
    void AppActivate(TObject* sender);
    void AppDeactivate(TObject* sender);
    // The byte view's dropped files: the first one is opened.
    void DropFiles(HDROP drop);
    void Save1Click(TObject* sender);
    void Saveas1Click(TObject* sender);
    void OpeninNewWindow1Click(TObject* sender);
    void NewFileinNewWindow1Click(TObject* sender);
    // How another copy of the editor is started (the shell; tests record).
    std::function<void(const std::u16string& program, const std::u16string& parameters)> StartCopy;
    uint8_t FileExistedAtDeactivate = 0;
    // Recent entries taken off the menu, freed once no click of theirs runs.
    std::vector<TMenuItem*> RetiredRecentItems;
    bool InRecentClick = false;
    int32_t FileAgeAtDeactivate = -1;

    // Settings: read once while the window is made, written when it closes
    // and after a change of language.
    void LoadSettings();
    void SaveSettings();
    // Panel 0 of the status bar is made wide enough for its text.
    void FitPositionPanel();

    // Screen operations of the byte view.
    void RepaintAll() override;
    void RedrawScreen();
    void DrawByte(int index) override;
    void DrawAllCells() override;
    void UpdateStatusBar() override;
    void UpdateScrollBar() override;
    void SetStatusText(int panel, const std::string& text);
    void SetMessageText(const std::string& text);
    void FitViewWidths();
    // Height and colour of the canvas font; nothing happens when unchanged.
    void SetFontHeight(int height);
    void SetFontColor(TColor color);
    void SetViewFont(int view);
    // Draws the cells and the background on a device context (the paint's
    // or the window's).
    void DrawBackground(HDC dc);
    void DrawAllCells(HDC dc);
    void DrawByte(int index, HDC dc);

    // Menu and form handlers.
    void New1Click(TObject* sender);
    void Open1Click(TObject* sender);
    void Exit1Click(TObject* sender);
    void Index1Click(TObject* sender);
    void SelectAll1Click(TObject* sender);
    void File1Click(TObject* sender);
    void MenuView1Click(TObject* sender);
    void MenuView2Click(TObject* sender);
    void MenuView3Click(TObject* sender);
    void CopyPosDeciClick(TObject* sender);
    void CopyPosHexaClick(TObject* sender);
    void SizerSectionResize(THeaderControl* control, int section);
    void FormResize(TObject* sender);
    void FormMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormKeyPress(TObject* sender, char& key);

    // Menu state and options.
    void UpdateMenuState();
    void ReadOnly1Click(TObject* sender);
    void LockClick(TObject* sender);
    void InsertwhenTypingClick(TObject* sender);
    void DisableUndoRedoClick(TObject* sender);
    void N3Cursors1Click(TObject* sender);
    void Nextbytejump1Click(TObject* sender);
    void Firstbyteisbyte1Click(TObject* sender);
    void English1Click(TObject* sender);
    void Undo1Click(TObject* sender);
    void Startoffile1Click(TObject* sender);
    void Endoffile2Click(TObject* sender);
    void Redo1Click(TObject* sender);
    void Nederlands1Click(TObject* sender);
    // The dialogs' commands.
    void BinaryClick(TObject* sender);
    void DataTypes1Click(TObject* sender);
    void FileStatistics1Click(TObject* sender);
    void About1Click(TObject* sender);
    void Colors1Click(TObject* sender);
    // Search and replace.
    void Searchfor1Click(TObject* sender);
    void Replace1Click(TObject* sender);
    void FindNextClick(TObject* sender);
    // The Edit, Find and Options commands that ask (MainFormCommands.cpp).
    void Delete1Click(TObject* sender);
    void Insert1Click(TObject* sender);
    void SetFileSize1Click(TObject* sender);
    void EndofFile1Click(TObject* sender);
    void ExactLocation1Click(TObject* sender);
    void tozero1Click(TObject* sender);
    void tospace321Click(TObject* sender);
    void SetFillCharClick(TObject* sender);
    // Bytes, exports and imports through the clipboard (MainFormClipboard.cpp).
    void KnipClick(TObject* sender);
    void CopyClick(TObject* sender);
    void Paste1Click(TObject* sender);
    void DecimalCopyClick(TObject* sender);
    void HexadCopyClick(TObject* sender);
    void BinaryCopyClick(TObject* sender);
    void AdaptedTexttoClipboardClick(TObject* sender);
    void DumptoClipboard1Click(TObject* sender);
    void DumptoClipboard2Click(TObject* sender);
    void NoEntersNumLineClick(TObject* sender);
    void NumLine4Click(TObject* sender);
    void NumLine8Click(TObject* sender);
    void NumLine16Click(TObject* sender);
    void CopyTextUseDotClick(TObject* sender);
    void CopyTextUseSpaceClick(TObject* sender);
    void CopyTextUseOtherValueClick(TObject* sender);
    void N8bitsunsigned1Click(TObject* sender);
    void N8bitssigned1Click(TObject* sender);
    void N16bitsunsigned1Click(TObject* sender);
    void N16bitssigned1Click(TObject* sender);
    void N32bitsunsigned1Click(TObject* sender);
    void N32bitsunsigned2Click(TObject* sender);
    void N32bitsfloat1Click(TObject* sender);
    void N64bitsfloat1Click(TObject* sender);
    void DecimalNumbersfromClipboard1Click(TObject* sender);
    void HexadecimalNumbersfromClipboard1Click(TObject* sender);
    void BinaryNumbersfromClipboard1Click(TObject* sender);
    void N8bitsunsignedFromClipboardClick(TObject* sender);
    void N8bitssignedFromClipboardClick(TObject* sender);
    void N16bitsunsignedFromClipboardClick(TObject* sender);
    void N32bitsunsignedFromClipboardClick(TObject* sender);
    void N32bitsfloatFromClipboardClick(TObject* sender);
    void N64bitsFromClipboardClick(TObject* sender);
    void OnDataTypesFromFile(TObject* sender);
    // A menu shortcut acts only when its item is enabled in the state now.
    bool IsShortCut(WORD key, TShiftState shift) override;
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    bool AppHelp(uint16_t command, int data, bool& callHelp);
    void AppHint(TObject* sender);

    // Starts the help viewer of the current language with one parameter;
    // never waits and reports nothing.
    void StartHelpViewer(const std::string& parameter);
    // How a program is started (the shell; tests record instead).
    std::function<void(const std::string& path, const std::string& parameter)> StartProgram;

    // Fields, in the order the other parts of the main window rely on (the
    // cursor, selection and view fields come with TByteViewState).
    std::u16string FileName;
    int ScrollBarWidth = 0;
    uint8_t ReplaceValue = 46;
    uint8_t IsNewFile = 1;
    TViewColors SavedColors;
    int FontHeightInUse = 0;
    TColor FontColorInUse = 0;
    DataScreen* ByteView = nullptr;
    std::vector<std::u16string> RecentFiles;
    uint8_t WasDeactivated = 0;
    int FirstByteNumber = 0;
    uint8_t RecentEnabled = 1;

    // The layout's components.
    TStatusBar* StatusBar = nullptr;
    THeaderControl* Sizer = nullptr;
    TUvxMainMenu* MainMenu = nullptr;
    TUvxPopupMenu* StatusbarPopup = nullptr;
    TMenuItem* CopyPosDeci = nullptr;
    TMenuItem* CopyPosHexa = nullptr;
#define TQ_DECLARE_ITEM(name) TMenuItem* name = nullptr;
    TQ_MAIN_MENU_ITEMS(TQ_DECLARE_ITEM)
#undef TQ_DECLARE_ITEM

protected:
    int32_t DocumentSize() override;
    TViewWidths SectionWidths() override;
    void SetSectionWidths(const TViewWidths& widths) override;
    int ViewsWidth() override;
    void InvalidateView() override;
    void SetScrollThumb(int position) override;
    void ShowActiveView() override;
    TDataFile& Document() override;
    bool ReadOnlyOn() override;
    bool KeepSizeOn() override;
    bool InsertModeOn() override;
    bool MoveRightOn() override;
    std::string LanguageText(const char* key) override;
    int ShowMessage1(const std::string& text, const std::string& button) override;
    int AskYesNo(const std::string& text) override;
    void MarkModified() override;
    void ResizeWindow(int width, int height) override;
    bool AskValue(TValueRequest& request) override;
    int FirstShownByte() override { return FirstByteNumber; }
    int TellWithCaption(const std::string& text, const std::string& caption) override;
    int AskYesNoWithCaption(const std::string& text, const std::string& caption) override;
    void CopyCommand() override;
    void PasteCommand() override;
    void ReplaceCommand() override;
    void Resize() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateLayout();
    void BindHandlers();
    void BindOptionHandlers();
    void BindDialogCommands();
    void BindSearchCommands();
    void BindEditCommands();
    void BindClipboardCommands();
    // The clipboard commands over this window and the system clipboard.
    struct TClipboardSide;
    std::unique_ptr<TClipboardSide, void (*)(TClipboardSide*)> FClipboardSide{nullptr, nullptr};
    TClipboardSide& ClipboardSide();
    void BindFileCommands();
    // Selects the range of up to 16 bytes from the cursor, runs show, and
    // clears the selection; tells instead when the cursor is at the end.
    bool OpenByteEditor(const std::function<int()>& show);
    void SwitchLanguage(const std::string& code);
    void ArrangeControls();
    void ApplyFontQuality();
    void DrawCell(HDC dc, int view, int index);
    void PutTextOnClipboard(const std::string& text);
    bool SaveBeforeLeaving(int answer);
};

// Sets every caption and hint of the main window that the language table
// supplies.
void applyLanguageTexts(TMainForm* form);

extern TMainForm* MainForm;
// Run by the main window's constructor once its layout exists; the crash
// test seam sets it to fail there.
extern void (*MainFormConstructionSeam)();

namespace mainform_testing {
// When set, stands in for the process's command line at start-up.
extern std::optional<std::u16string> CommandLine;
// When set, gives the settings' storage in place of the registry.
extern std::function<std::unique_ptr<TSettingsStore>()> OpenSettings;
}  // namespace mainform_testing
