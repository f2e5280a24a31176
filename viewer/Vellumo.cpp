// The help viewer's entry point.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Vellumo");
        TForm* form = Application->CreateForm<TForm>();
        form->SetCaption("Vellumo");
        Application->Run();
    } catch (...) {
        Application->HandleException(Application);
    }
    return 0;
}
