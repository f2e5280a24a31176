// The help viewer's entry point: one viewer window per program file; a
// later copy hands its context number to the running one and ends.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "viewer/HelpForm.h"
#include "viewer/OneInstance.h"
#include "viewer/ViewerInstance.h"
#include "viewer/png/PngGdi.h"

namespace {
std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    return args;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        PngInstallGdi();  // pictures of the pages draw through GDI
        Application->SetTitle("Vellumo");
        const std::vector<std::string> args = Arguments();
        const int32_t context = ContextFromArguments(args);
        const std::string name = InstanceName(ProgramPath());
        HWND running = OneInstance.Find(name);
        if (!running && context != kCloseViewerContext) {
            HelpForm = Application->CreateForm<THelpForm>();
            running = OneInstance.Find(name);  // another copy may have registered meanwhile
            if (!running) {
                OneInstance.Register(name, HelpForm->Handle());
                HelpForm->LoadContentsTree(HelpForm->ViewerFolder() + "helptree.txt");
                HelpForm->LoadContextMap(HelpForm->ViewerFolder() + "helpmap.txt");
                HelpForm->FallbackRule = kFallbackContextZero;
                // Posted before the loop starts: the first request it handles.
                if (args.size() == 1)
                    PostMessageA(HelpForm->Handle(), WM_SHOWCONTEXT, static_cast<WPARAM>(ContextFromArguments(args)), 0);
                Application->Run();
                return 0;
            }
        }
        if (running) {
            SetForegroundWindow(running);
            if (args.size() == 1) PostMessageA(running, WM_SHOWCONTEXT, static_cast<WPARAM>(context), 0);
        }
    } catch (...) {
        Application->HandleException(Application);
    }
    return 0;
}
