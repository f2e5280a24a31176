// The window tests of this program start every main window from the same
// settings, not from the registry that the last test left: a normal window
// of the layout's size at 0,0 with the default colours and view widths.
// What a window writes is dropped. The settings' own tests swap in the
// registry where they need it.
#include "editor/main/MainForm.h"
#include "editor/main/tests/MemorySettingsStore.h"
#include "editor/main/EditorSettings.h"

namespace {
struct NormalWindowSettings {
    NormalWindowSettings() {
        mainform_testing::OpenSettings = [] {
            auto store = std::make_unique<MemorySettingsStore>();
            MemorySettingsStore::Key& k = store->At(SettingsKey);
            const char* colors[] = {"Background Color", "Selection Color", "Data Color 1",
                                    "Data Color 2",     "Cursor Color",    "Selected Text Color"};
            for (int i = 0; i < 6; ++i) k[colors[i]] = static_cast<int32_t>(TEditorSettings::DefaultColors()[i]);
            k["Window Maximized"] = int32_t{0};
            k["Window Left"] = int32_t{0};
            k["Window Top"] = int32_t{0};
            k["Window Width"] = int32_t{407};
            k["Window Height"] = int32_t{550};
            k["Read Only"] = int32_t{0};
            k["Size text view"] = int32_t{275};
            k["Size decimal view"] = int32_t{450};
            k["Size hexadecimal view"] = int32_t{75};
            return std::unique_ptr<TSettingsStore>(std::move(store));
        };
    }
} normalWindowSettings;
}  // namespace
