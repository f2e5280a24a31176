// The help viewer's entry point.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "viewer/png/PngGdi.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        PngInstallGdi();  // pictures of the pages draw through GDI
        Application->SetTitle("Vellumo");
        TForm* form = Application->CreateForm<TForm>();
        form->SetCaption("Vellumo");
        Application->Run();
    } catch (...) {
        Application->HandleException(Application);
    }
    return 0;
}
