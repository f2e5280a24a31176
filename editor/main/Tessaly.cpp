// The editor's entry point: language first, then every window once, then
// the message loop.
#include <windows.h>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/report/DialogStep.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportBuildingStep.h"
#include "editor/crashreport/core/sending/SendStage.h"
#include "editor/dialogs/About.h"
#include "editor/dialogs/BinaryForm.h"
#include "editor/dialogs/DataTypesView.h"
#include "editor/dialogs/GetGetalForm.h"
#include "editor/dialogs/MoveForm.h"
#include "editor/dialogs/PrefForm.h"
#include "editor/dialogs/ReplaceForm.h"
#include "editor/dialogs/StatForm.h"
#include "editor/dialogs/ZoekForm.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/CrashTestSeam.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The crash-report component starts before the editor's own code and
    // ends after it.
    ZorvikCoreInit();
    InstallExceptionProcessing();
    InstallReportBuilding();
    InstallSendingStage();
    InstallDialogStep();
    // An exception that escapes the start-up or the message loop ends the
    // program: reported through the application's ShowException, as the
    // run time's end of the main thread, with exit code 1.
    int exitCode = 0;
    try {
        Application->Initialize();
        Application->SetTitle("Tessaly");
        LanguageSystem.code = LanguageSystem.readLanguageSetting();
        LanguageSystem.loadLanguage(LanguageSystem.code);
        PrepareCrashTestSeam();
        // The main window first: it becomes the application's main window.
        // Every dialog exists for the whole run and is shown modally.
        MainForm = Application->CreateForm<TMainForm>();
        BinaryForm = Application->CreateForm<TBinaryForm>();
        DataTypesView = Application->CreateForm<TDataTypesView>();
        GetGetalForm = Application->CreateForm<TGetGetalForm>();
        PrefForm = Application->CreateForm<TPrefForm>();
        Application->CreateForm<TReplaceForm>();
        About = Application->CreateForm<TAbout>();
        BerichtBox = Application->CreateForm<TBerichtBox>();
        MoveForm = Application->CreateForm<TMoveForm>();
        Application->CreateForm<TZoekForm>();
        StatForm = Application->CreateForm<TStatForm>();
        ArmCrashTestSeam();
        Application->Run();
    } catch (Exception& e) {
        Application->ShowException(e);
        exitCode = 1;
    } catch (std::exception& e) {
        Application->ShowException(Exception(e.what()));
        exitCode = 1;
    }
    ZorvikCoreDone();
    return exitCode;
}
