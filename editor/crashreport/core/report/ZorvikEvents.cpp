#include "editor/crashreport/core/report/ZorvikEvents.h"

#include <algorithm>
#include <cstring>

#include "framework/StringList.h"

TExceptionNotify ExceptionNotify;
TExceptionNotify HandledExceptionNotify;
TExceptionActionNotify ExceptionActionNotify;
TExceptionErrorNotify ExceptionErrorNotify;
TPasswordRequestNotify PasswordRequest;
TCustomDataRequestNotify CustomDataRequest;
TAttachedFilesRequestNotify AttachedFilesRequest;
TCustomWebFieldsRequestNotify CustomWebFieldsRequest;
TCustomButtonClickNotify CustomButtonClickNotify;

namespace {

std::vector<TZorvikLog*>& LogComponents()
{
    static std::vector<TZorvikLog*> list;
    return list;
}

// Runs the module's own handlers of one event: the components from the last
// made to the first, then the global variable. A copy of the list is walked:
// a handler may free a component.
template <class Member, class Global, class... Args>
void RunOwnHandlers(Member member, const Global& global, Args&... args)
{
    const std::vector<TZorvikLog*> components = LogComponents();
    TZorvikExceptionRecord& record = EventValues().Record;
    for (auto it = components.rbegin(); it != components.rend(); ++it) {
        const std::vector<TZorvikLog*>& now = LogComponents();
        if (std::find(now.begin(), now.end(), *it) == now.end())
            continue;
        const auto& handler = (*it)->*member;
        if (handler)
            handler(record, args...);
    }
    if (global)
        global(record, args...);
}

// Runs one event through the runner, then has the options read back.
void Run(const std::function<void()>& call)
{
    TEventBridge& bridge = EventBridge();
    if (bridge.RunOnFaultingThread) {
        bridge.RunOnFaultingThread(call);
    } else {
        try {
            call();
        } catch (...) {
        }
    }
    if (bridge.ReloadOptions)
        bridge.ReloadOptions();
}

template <class Entry>
Entry ForeignEntry(const char* name)
{
    TEventBridge& bridge = EventBridge();
    if (!bridge.ForeignEntry)
        return nullptr;
    return reinterpret_cast<Entry>(bridge.ForeignEntry(EventValues().Record.ExceptionAddress, name));
}

// The import of a record from another module for the time of one entry:
// the module's own record is kept and put back after it.
class TImportedRecord {
public:
    explicit TImportedRecord(const TZorvikExceptionRecord* record) : FKept(EventValues().Record)
    {
        if (!record)
            return;
        TZorvikExceptionRecord& own = EventValues().Record;
        own = *record;
        // The options of the module reported, as this module holds them.
        TEventBridge& bridge = EventBridge();
        own.ModuleOptions =
            record->ModuleOptions && bridge.OwnOptionsFor ? bridge.OwnOptionsFor(record->ModuleOptions) : nullptr;
    }
    ~TImportedRecord() { EventValues().Record = FKept; }
    TImportedRecord(const TImportedRecord&) = delete;
    TImportedRecord& operator=(const TImportedRecord&) = delete;

private:
    TZorvikExceptionRecord FKept;
};

void CopyList(TStrings& target, const TStrings& source)
{
    target.Clear();
    for (int i = 0; i < source.Count(); ++i)
        target.Add(source.Get(i));
}

TStrings& OwnList(TListEvent event)
{
    switch (event) {
    case TListEvent::CustomData: return CustomDataLines();
    case TListEvent::AttachedFiles: return AttachedFilesList();
    case TListEvent::WebFields: return WebFieldsList();
    }
    return CustomDataLines();
}

void RunOwnListHandlers(TListEvent event, TStrings& list)
{
    switch (event) {
    case TListEvent::CustomData:
        RunOwnHandlers(&TZorvikLog::OnCustomDataRequest, CustomDataRequest, list);
        break;
    case TListEvent::AttachedFiles:
        RunOwnHandlers(&TZorvikLog::OnAttachedFilesRequest, AttachedFilesRequest, list);
        break;
    case TListEvent::WebFields:
        RunOwnHandlers(&TZorvikLog::OnCustomWebFieldsRequest, CustomWebFieldsRequest, list);
        break;
    }
}

const char* ListEntryName(TListEvent event)
{
    switch (event) {
    case TListEvent::CustomData: return ZorvikEventEntryNames::CustomDataRequest;
    case TListEvent::AttachedFiles: return ZorvikEventEntryNames::AttachedFilesRequest;
    case TListEvent::WebFields: return ZorvikEventEntryNames::CustomWebFieldsRequest;
    }
    return "";
}

void RaiseListRequest(TListEvent event, TStrings& list)
{
    Run([&] {
        if (auto entry = ForeignEntry<TListRequestEntry>(ListEntryName(event)))
            entry(&EventValues().Record, &list);
        RunOwnListHandlers(event, list);
    });
}

// A length-prefixed text of at most 255 characters.
std::string ReadShortString(const unsigned char* buffer)
{
    return buffer ? std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]) : std::string();
}

void WriteShortString(unsigned char* buffer, const std::string& text, int maxLength)
{
    if (!buffer)
        return;
    const size_t n = std::min<size_t>(text.size(), static_cast<size_t>(std::clamp(maxLength, 0, 255)));
    buffer[0] = static_cast<unsigned char>(n);
    std::memcpy(buffer + 1, text.data(), n);
}

}  // namespace

void ClearEventVariables()
{
    ExceptionNotify = nullptr;
    HandledExceptionNotify = nullptr;
    ExceptionActionNotify = nullptr;
    ExceptionErrorNotify = nullptr;
    PasswordRequest = nullptr;
    CustomDataRequest = nullptr;
    AttachedFilesRequest = nullptr;
    CustomWebFieldsRequest = nullptr;
    CustomButtonClickNotify = nullptr;
}

TZorvikLog::TZorvikLog(TComponent* owner) : TComponent(owner) { LogComponents().push_back(this); }

TZorvikLog::~TZorvikLog()
{
    auto& list = LogComponents();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<TZorvikLog*>& ZorvikLogComponents() { return LogComponents(); }

TEventValues& EventValues()
{
    static TEventValues values;
    return values;
}

TEventBridge& EventBridge()
{
    static TEventBridge bridge;
    return bridge;
}

TStrings& CustomDataLines()
{
    static TStringList list;
    return list;
}

TStrings& AttachedFilesList()
{
    static TStringList list;
    return list;
}

TStrings& WebFieldsList()
{
    static TStringList list;
    return list;
}

void RaiseExceptionNotify(bool handledException)
{
    Run([handledException] {
        TEventValues& v = EventValues();
        const char* name =
            handledException ? ZorvikEventEntryNames::HandledExceptionNotify : ZorvikEventEntryNames::ExceptionNotify;
        if (auto entry = ForeignEntry<TExceptionNotifyEntry>(name))
            entry(&v.Record, &v.Handled);
        if (handledException)
            RunOwnHandlers(&TZorvikLog::OnHandledExceptionNotify, HandledExceptionNotify, v.Handled);
        else
            RunOwnHandlers(&TZorvikLog::OnExceptionNotify, ExceptionNotify, v.Handled);
    });
}

void RaiseActionNotify(TZorvikActionType action)
{
    Run([action] {
        TEventValues& v = EventValues();
        if (auto entry = ForeignEntry<TActionNotifyEntry>(ZorvikEventEntryNames::ActionNotify))
            entry(&v.Record, action, &v.Execute);
        RunOwnHandlers(&TZorvikLog::OnExceptionActionNotify, ExceptionActionNotify, action, v.Execute);
    });
}

void RaiseErrorNotify(TZorvikActionType action)
{
    Run([action] {
        TEventValues& v = EventValues();
        if (auto entry = ForeignEntry<TActionNotifyEntry>(ZorvikEventEntryNames::ErrorNotify))
            entry(&v.Record, action, &v.Retry);
        RunOwnHandlers(&TZorvikLog::OnExceptionErrorNotify, ExceptionErrorNotify, action, v.Retry);
    });
}

void RaiseCustomDataRequest(TStrings& dataFields) { RaiseListRequest(TListEvent::CustomData, dataFields); }
void RaiseAttachedFilesRequest(TStrings& attachedFiles) { RaiseListRequest(TListEvent::AttachedFiles, attachedFiles); }
void RaiseCustomWebFieldsRequest(TStrings& webFields) { RaiseListRequest(TListEvent::WebFields, webFields); }

void RaiseCustomButtonClick()
{
    Run([] {
        TEventValues& v = EventValues();
        if (auto entry = ForeignEntry<TExceptionNotifyEntry>(ZorvikEventEntryNames::CustomButtonClick))
            entry(&v.Record, &v.CloseDialog);
        RunOwnHandlers(&TZorvikLog::OnCustomButtonClickNotify, CustomButtonClickNotify, v.CloseDialog);
    });
}

bool RunPasswordRequestHandlers()
{
    const bool any = PasswordRequest ||
                     std::any_of(LogComponents().begin(), LogComponents().end(),
                                 [](const TZorvikLog* c) { return static_cast<bool>(c->OnPasswordRequest); });
    Run([] { RunOwnHandlers(&TZorvikLog::OnPasswordRequest, PasswordRequest, EventValues().Password); });
    return any;
}

void ExceptionNotifyEntry(const TZorvikExceptionRecord& record, bool handledException, bool& handled)
{
    TImportedRecord imported(&record);
    TEventValues& v = EventValues();
    v.Handled = handled;
    if (handledException)
        RunOwnHandlers(&TZorvikLog::OnHandledExceptionNotify, HandledExceptionNotify, v.Handled);
    else
        RunOwnHandlers(&TZorvikLog::OnExceptionNotify, ExceptionNotify, v.Handled);
    handled = v.Handled;
}

void ActionNotifyEntry(const TZorvikExceptionRecord& record, TZorvikActionType action, bool& execute)
{
    TImportedRecord imported(&record);
    RunOwnHandlers(&TZorvikLog::OnExceptionActionNotify, ExceptionActionNotify, action, execute);
}

void ErrorNotifyEntry(const TZorvikExceptionRecord& record, TZorvikActionType action, bool& retry)
{
    TImportedRecord imported(&record);
    RunOwnHandlers(&TZorvikLog::OnExceptionErrorNotify, ExceptionErrorNotify, action, retry);
}

void CustomButtonClickEntry(const TZorvikExceptionRecord& record, bool& closeDialog)
{
    TImportedRecord imported(&record);
    TEventValues& v = EventValues();
    v.CloseDialog = closeDialog;
    RunOwnHandlers(&TZorvikLog::OnCustomButtonClickNotify, CustomButtonClickNotify, v.CloseDialog);
    closeDialog = v.CloseDialog;
}

void ListRequestEntry(const TZorvikExceptionRecord& record, TListEvent event, const TStrings& callerList)
{
    TImportedRecord imported(&record);
    // The module's own list becomes a copy of the caller's; it is not
    // copied back.
    TStrings& own = OwnList(event);
    CopyList(own, callerList);
    RunOwnListHandlers(event, own);
}

void PasswordRequestEntry(const TZorvikExceptionRecord* record, unsigned char* buffer, int maxLength)
{
    TImportedRecord imported(record);
    TEventValues& v = EventValues();
    v.Password = ReadShortString(buffer);
    RunOwnHandlers(&TZorvikLog::OnPasswordRequest, PasswordRequest, v.Password);
    WriteShortString(buffer, v.Password, maxLength);
}

bool RequestModulePassword(uintptr_t moduleAddress, std::string& password)
{
    TEventBridge& bridge = EventBridge();
    if (!bridge.ForeignEntry)
        return false;
    unsigned char buffer[256] = {};
    WriteShortString(buffer, password, 255);
    if (auto ex = reinterpret_cast<TPasswordRequestExEntry>(
            bridge.ForeignEntry(moduleAddress, ZorvikEventEntryNames::PasswordRequestEx))) {
        ex(&EventValues().Record, buffer, 255);
    } else if (auto old = reinterpret_cast<TPasswordRequestEntry>(
                   bridge.ForeignEntry(moduleAddress, ZorvikEventEntryNames::PasswordRequest))) {
        old(buffer, 255);
    } else {
        return false;
    }
    password = ReadShortString(buffer);
    return true;
}
