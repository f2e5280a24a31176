#include "editor/crashreport/core/report/ZorvikEventExports.h"

#include <windows.h>

#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/ModuleHandles.h"

#define ZORVIK_EXPORT extern "C" __declspec(dllexport)

ZORVIK_EXPORT void ZorvikLog_ExceptionNotifyEvent(const TZorvikExceptionRecord* record, bool* handled)
{
    if (record && handled)
        ExceptionNotifyEntry(*record, false, *handled);
}

ZORVIK_EXPORT void ZorvikLog_HandledExceptionNotifyEvent(const TZorvikExceptionRecord* record, bool* handled)
{
    if (record && handled)
        ExceptionNotifyEntry(*record, true, *handled);
}

ZORVIK_EXPORT void ZorvikLog_ExceptionActionNotifyEvent(const TZorvikExceptionRecord* record,
                                                        TZorvikActionType action, bool* execute)
{
    if (record && execute)
        ActionNotifyEntry(*record, action, *execute);
}

ZORVIK_EXPORT void ZorvikLog_ExceptionErrorNotifyEvent(const TZorvikExceptionRecord* record, TZorvikActionType action,
                                                       bool* retry)
{
    if (record && retry)
        ErrorNotifyEntry(*record, action, *retry);
}

ZORVIK_EXPORT void ZorvikLog_CustomButtonClickEvent(const TZorvikExceptionRecord* record, bool* closeDialog)
{
    if (record && closeDialog)
        CustomButtonClickEntry(*record, *closeDialog);
}

ZORVIK_EXPORT void ZorvikLog_CustomDataRequestEventEx(const TZorvikExceptionRecord* record, const TStrings* list)
{
    if (record && list)
        ListRequestEntry(*record, TListEvent::CustomData, *list);
}

ZORVIK_EXPORT void ZorvikLog_AttachedFilesRequestEvent(const TZorvikExceptionRecord* record, const TStrings* list)
{
    if (record && list)
        ListRequestEntry(*record, TListEvent::AttachedFiles, *list);
}

ZORVIK_EXPORT void ZorvikLog_CustomWebFieldsRequestEvent(const TZorvikExceptionRecord* record, const TStrings* list)
{
    if (record && list)
        ListRequestEntry(*record, TListEvent::WebFields, *list);
}

ZORVIK_EXPORT void ZorvikLog_PasswordRequestEventEx(const TZorvikExceptionRecord* record, unsigned char* buffer,
                                                    int maxLength)
{
    PasswordRequestEntry(record, buffer, maxLength);
}

ZORVIK_EXPORT void ZorvikLog_PasswordRequestEvent(unsigned char* buffer, int maxLength)
{
    PasswordRequestEntry(nullptr, buffer, maxLength);
}

namespace {

// The module that holds the address, when it is another module that carries
// crash-report data of a compatible version.
void* ForeignEntry(uintptr_t address, const char* name)
{
    HMODULE module = nullptr;
    if (!address || !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                         reinterpret_cast<LPCSTR>(address), &module))
        return nullptr;
    const uintptr_t handle = reinterpret_cast<uintptr_t>(module);
    if (handle == CurrentModuleHandle() || !IsCurrentZorvikModule(handle))
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module, name));
}

TZorvikModuleOptions* OwnOptionsFor(TZorvikModuleOptions* options)
{
    TZorvikModuleInfo* entry = ZorvikModules().Find(options->ModuleHandle());
    return entry ? entry->Options.get() : nullptr;
}

}  // namespace

void InstallEventBridge()
{
    TEventBridge& bridge = EventBridge();
    bridge.RunOnFaultingThread = RunOnWaitingThread;
    bridge.ForeignEntry = ForeignEntry;
    // The processing works on the module's own options object, which sees a
    // handler's change at once; options of another module are read again
    // from what that module published.
    bridge.ReloadOptions = [] {
        if (TProcessingState* p = CurrentProcessing())
            if (p->Options && p->Options->ModuleHandle() != CurrentModuleHandle())
                p->Options->LoadSharedData();
    };
    bridge.OwnOptionsFor = OwnOptionsFor;
}
