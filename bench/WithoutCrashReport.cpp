// The editor's entry point linked without the crash-report component: its
// start-up and shut-down calls do nothing here. The start-up benchmark
// compares Tessaly.exe with this program. A component entry that the editor
// starts with gets its empty stand-in here as well.
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/report/DialogStep.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportBuildingStep.h"
#include "editor/crashreport/core/sending/SendStage.h"

void ZorvikCoreInit() {}
void ZorvikCoreDone() {}
void InstallExceptionProcessing() {}
void InstallReportBuilding() {}
void InstallSendingStage() {}
void InstallDialogStep() {}

// The test seam's options loader finds no module and no core options here.
TZorvikModuleInfo* ModuleInfoByAddr(uintptr_t) { return nullptr; }
TZorvikModuleOptions* ZorvikCoreOptions() { return nullptr; }
