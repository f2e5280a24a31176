#pragma once
// The events through which a program takes part in the processing of an
// exception: told of it (and able to stop it), told before and after each
// action (and able to skip it), asked to retry a failed action, asked for a
// password, custom report data, attachments and web fields, and told of the
// dialog's custom button. Handlers sit in TZorvikLog components (any
// number) and in the global event variables; the module where the
// exception happened gets each event first through its exported entries.
// Portable: the look-up of another module's entries is an interface.
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/sending/SendTypes.h"
#include "framework/Classes.h"

class TStrings;
class TZorvikModuleOptions;


// What every handler receives first: the exception being processed.
struct TZorvikExceptionRecord {
    std::exception_ptr ExceptionObject;  // the C++ exception; empty for a system fault
    uintptr_t ExceptionAddress = 0;
    std::string ExceptionClass;
    std::string ExceptionMessage;
    uint32_t ThreadId = 0;
    bool HandledByProgram = false;
    // The options of the module being reported (a handler may change them).
    TZorvikModuleOptions* ModuleOptions = nullptr;
};

using TExceptionNotify = std::function<void(TZorvikExceptionRecord& record, bool& handled)>;
using TExceptionActionNotify =
    std::function<void(TZorvikExceptionRecord& record, TZorvikActionType action, bool& execute)>;
using TExceptionErrorNotify = std::function<void(TZorvikExceptionRecord& record, TZorvikActionType action, bool& retry)>;
using TPasswordRequestNotify = std::function<void(TZorvikExceptionRecord& record, std::string& password)>;
using TCustomDataRequestNotify = std::function<void(TZorvikExceptionRecord& record, TStrings& dataFields)>;
using TAttachedFilesRequestNotify = std::function<void(TZorvikExceptionRecord& record, TStrings& attachedFiles)>;
using TCustomWebFieldsRequestNotify = std::function<void(TZorvikExceptionRecord& record, TStrings& webFields)>;
using TCustomButtonClickNotify = std::function<void(TZorvikExceptionRecord& record, bool& closeDialog)>;

// The global event variables: run after every component's handler.
extern TExceptionNotify ExceptionNotify;
extern TExceptionNotify HandledExceptionNotify;
extern TExceptionActionNotify ExceptionActionNotify;
extern TExceptionErrorNotify ExceptionErrorNotify;
extern TPasswordRequestNotify PasswordRequest;
extern TCustomDataRequestNotify CustomDataRequest;
extern TAttachedFilesRequestNotify AttachedFilesRequest;
extern TCustomWebFieldsRequestNotify CustomWebFieldsRequest;
extern TCustomButtonClickNotify CustomButtonClickNotify;
// Empties every global event variable (start-up).
void ClearEventVariables();

// The component a program drops on a form to handle the events. Every
// instance is in the component list from construction to destruction.
class TZorvikLog : public TComponent {
public:
    explicit TZorvikLog(TComponent* owner = nullptr);
    ~TZorvikLog() override;
    std::string ClassName() const override { return "TZorvikLog"; }

    TExceptionNotify OnExceptionNotify;
    TExceptionNotify OnHandledExceptionNotify;
    TExceptionActionNotify OnExceptionActionNotify;
    TExceptionErrorNotify OnExceptionErrorNotify;
    TPasswordRequestNotify OnPasswordRequest;
    TCustomDataRequestNotify OnCustomDataRequest;
    TAttachedFilesRequestNotify OnAttachedFilesRequest;
    TCustomWebFieldsRequestNotify OnCustomWebFieldsRequest;
    TCustomButtonClickNotify OnCustomButtonClickNotify;
};

// Every TZorvikLog component, in the order they were made.
const std::vector<TZorvikLog*>& ZorvikLogComponents();

// The processing's values that the events pass (the core's state).
struct TEventValues {
    TZorvikExceptionRecord Record;
    bool Handled = true;
    bool Execute = true;
    bool Retry = false;
    bool CloseDialog = false;
    std::string Password;  // of the debug information being read
};
TEventValues& EventValues();

// How the events reach the world around them. The defaults run a call at
// once, find no other module, and reload nothing.
struct TEventBridge {
    // Runs a call on the thread of the current exception and waits for it;
    // an error the call raises is swallowed.
    std::function<void(const std::function<void()>& call)> RunOnFaultingThread;
    // The exported entry `name` of the module that holds `address`, when
    // that module is not this one and its data version is compatible.
    std::function<void*(uintptr_t address, const char* name)> ForeignEntry;
    // Called after each event: the options are read back from the shared
    // area, so that changes made by handlers take effect.
    std::function<void()> ReloadOptions;
    // The options object of this module for the module of `options`, or
    // null (used when a record from another module is imported).
    std::function<TZorvikModuleOptions*(TZorvikModuleOptions* options)> OwnOptionsFor;
};
TEventBridge& EventBridge();

// Raising the events (in the module that processes the exception): the
// other module's entry first, then the components from the last made to
// the first, then the global variable; all through the runner.
void RaiseExceptionNotify(bool handledException);  // EventValues().Handled
void RaiseActionNotify(TZorvikActionType action);  // EventValues().Execute
void RaiseErrorNotify(TZorvikActionType action);   // EventValues().Retry
void RaiseCustomDataRequest(TStrings& dataFields);
void RaiseAttachedFilesRequest(TStrings& attachedFiles);
void RaiseCustomWebFieldsRequest(TStrings& webFields);
void RaiseCustomButtonClick();  // EventValues().CloseDialog
// The module's own password handlers (components last first, then the
// global variable) on EventValues().Password; true when one is set.
bool RunPasswordRequestHandlers();

// The exported entries' work, as another module calls them. The record is
// imported for the call and the module's own record restored after it.
void ExceptionNotifyEntry(const TZorvikExceptionRecord& record, bool handledException, bool& handled);
void ActionNotifyEntry(const TZorvikExceptionRecord& record, TZorvikActionType action, bool& execute);
void ErrorNotifyEntry(const TZorvikExceptionRecord& record, TZorvikActionType action, bool& retry);
void CustomButtonClickEntry(const TZorvikExceptionRecord& record, bool& closeDialog);
enum class TListEvent { CustomData, AttachedFiles, WebFields };
void ListRequestEntry(const TZorvikExceptionRecord& record, TListEvent event, const TStrings& callerList);
// The buffer holds a length-prefixed text (at most 255 characters); the
// password is written back cut to maxLength characters. Without a record
// nothing is imported.
void PasswordRequestEntry(const TZorvikExceptionRecord* record, unsigned char* buffer, int maxLength);

// The lists the request events fill (the core's state).
TStrings& CustomDataLines();
TStrings& AttachedFilesList();
TStrings& WebFieldsList();

// The exported names of the entries.
namespace ZorvikEventEntryNames {
constexpr const char* ExceptionNotify = "ZorvikLog_ExceptionNotifyEvent";
constexpr const char* HandledExceptionNotify = "ZorvikLog_HandledExceptionNotifyEvent";
constexpr const char* ActionNotify = "ZorvikLog_ExceptionActionNotifyEvent";
constexpr const char* ErrorNotify = "ZorvikLog_ExceptionErrorNotifyEvent";
constexpr const char* PasswordRequestEx = "ZorvikLog_PasswordRequestEventEx";
constexpr const char* PasswordRequest = "ZorvikLog_PasswordRequestEvent";
constexpr const char* CustomDataRequest = "ZorvikLog_CustomDataRequestEventEx";
constexpr const char* AttachedFilesRequest = "ZorvikLog_AttachedFilesRequestEvent";
constexpr const char* CustomWebFieldsRequest = "ZorvikLog_CustomWebFieldsRequestEvent";
constexpr const char* CustomButtonClick = "ZorvikLog_CustomButtonClickEvent";
}  // namespace ZorvikEventEntryNames

// The signatures of the exported entries.
using TExceptionNotifyEntry = void (*)(const TZorvikExceptionRecord* record, bool* handled);
using TActionNotifyEntry = void (*)(const TZorvikExceptionRecord* record, TZorvikActionType action, bool* flag);
using TListRequestEntry = void (*)(const TZorvikExceptionRecord* record, const TStrings* list);
using TPasswordRequestExEntry = void (*)(const TZorvikExceptionRecord* record, unsigned char* buffer, int maxLength);
using TPasswordRequestEntry = void (*)(unsigned char* buffer, int maxLength);
// Asks the module whose debug information is being read for the password
// (its Ex entry, else its older one); false when that module is this one,
// or has neither entry.
bool RequestModulePassword(uintptr_t moduleAddress, std::string& password);
