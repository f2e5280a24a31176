// The editor's entry point.
#include <windows.h>

#include "editor/document/LanguageSystem.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Tessaly");
        LanguageSystem.code = LanguageSystem.readLanguageSetting();
        LanguageSystem.loadLanguage(LanguageSystem.code);
        MainForm = Application->CreateForm<TMainForm>();
        Application->Run();
    } catch (...) {
        Application->HandleException(Application);
    }
    return 0;
}
