// The editor's entry point: language first, then every window once, then
// the message loop.
#include <windows.h>

#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Tessaly");
        LanguageSystem.code = LanguageSystem.readLanguageSetting();
        LanguageSystem.loadLanguage(LanguageSystem.code);
        // The main window first: it becomes the application's main window.
        // The editing dialogs (bit editor, data types editor, value input,
        // colours, replace, about, move, search, file information) are
        // created here, in that order around the message box, as they join.
        MainForm = Application->CreateForm<TMainForm>();
        BerichtBox = Application->CreateForm<TBerichtBox>();
        Application->Run();
    } catch (Exception& e) {
        Application->ShowException(e);
    } catch (std::exception& e) {
        Application->ShowException(Exception(e.what()));
    }
    return 0;
}
