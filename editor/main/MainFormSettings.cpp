// The main window's settings: read from the registry while the window is
// made, written when it closes and after a change of language; and the
// width of the status bar's first panel.
#include <algorithm>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/EditorSettings.h"
#include "editor/main/MainForm.h"
#include "editor/main/RegistrySettingsStore.h"
#include "framework/HeaderControl.h"
#include "framework/StatusBar.h"

namespace mainform_testing {
std::function<std::unique_ptr<TSettingsStore>()> OpenSettings;
}  // namespace mainform_testing

namespace {
std::unique_ptr<TSettingsStore> OpenStore() {
    if (mainform_testing::OpenSettings) return mainform_testing::OpenSettings();
    return std::make_unique<TRegistrySettingsStore>();
}
}  // namespace

void TMainForm::LoadSettings() {
    std::unique_ptr<TSettingsStore> store = OpenStore();
    TEditorSettings s = LoadEditorSettings(*store, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    RecentEnabled = s.RecentEnabled ? 1 : 0;
    Colors.Background = s.Colors[0];
    Colors.Selection = s.Colors[1];
    Colors.Data1 = s.Colors[2];
    Colors.Data2 = s.Colors[3];
    Colors.Cursor = s.Colors[4];
    Colors.SelectedText = s.Colors[5];
    // A maximized window keeps its normal place for when it is restored.
    SetBounds(s.Left, s.Top, s.Width, s.Height);
    SetWindowState(s.Maximized ? wsMaximized : wsNormal);
    if (s.ReadOnly) {
        ReadOnly1->SetChecked(*s.ReadOnly);
        DataFile.setReadOnly(*s.ReadOnly);
    }
    if (s.FirstByte1) {
        Firstbyteisbyte1->SetChecked(*s.FirstByte1);
        FirstByteNumber = *s.FirstByte1 ? 1 : 0;
    }
    if (s.ViewWidths)
        for (int i = 0; i < 3; ++i) Sizer->SetSectionWidth(i, (*s.ViewWidths)[static_cast<size_t>(i)]);
    RecentFiles = s.RecentFiles;
}

void TMainForm::SaveSettings() {
    TSettingsToSave s;
    s.Colors = {Colors.Background, Colors.Selection, Colors.Data1, Colors.Data2, Colors.Cursor, Colors.SelectedText};
    s.Maximized = WindowState() == wsMaximized;
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    if (HandleAllocated()) {
        GetWindowRect(Handle(), &r);
        // A minimized window reports a place off the screen: its normal place
        // is the one to come back to.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) r = placement.rcNormalPosition;
    }
    s.Left = r.left;
    s.Top = r.top;
    s.Width = r.right - r.left;
    s.Height = r.bottom - r.top;
    s.ReadOnly = ReadOnly1->Checked();
    s.FirstByte1 = Firstbyteisbyte1->Checked();
    for (int i = 0; i < 3; ++i) s.ViewWidths[static_cast<size_t>(i)] = Sizer->SectionWidth(i);
    s.RecentFiles = RecentFiles;
    s.RecentEnabled = RecentEnabled != 0;
    s.Language = LanguageSystem.code;
    std::unique_ptr<TSettingsStore> store = OpenStore();
    SaveEditorSettings(*store, s);
}

// The layout gives the first panel 45 pixels, too few for "position" in the
// status bar's font: the panel grows to its text, never below the layout's
// width.
void TMainForm::FitPositionPanel() {
    constexpr int LayoutWidth = 45;
    constexpr int Margin = 12;  // the panel's borders and the space beside the text
    StatusBar->SetPanelWidth(0, std::max(LayoutWidth, StatusBar->TextWidth(StatusBar->PanelText(0)) + Margin));
}
