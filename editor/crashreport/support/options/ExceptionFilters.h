#pragma once
// Per-class exception filters of a module's crash-report options: the first
// active filter that matches an exception decides its dialog, its handler,
// what follows, and may replace the message shown.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/support/options/OptionTypes.h"
#include "framework/List.h"

class TZorvikModuleOptions;

enum TFilterExceptionType : uint8_t { fetAll, fetHandled, fetUnhandled };
enum TFilterDialogType : uint8_t { fdtNone, fdtUnchanged, fdtMessageBox, fdtMSClassic, fdtZorvikLog };
enum TFilterHandlerType : uint8_t { fhtNone, fhtRTL, fhtZorvikLog };
enum TFilterActionType : uint8_t { fatNone, fatTerminate, fatRestart };

struct TZorvikExceptionFilter {
    bool Active = true;
    std::string ExceptionClassName;
    // Replacement message; empty keeps the exception's own.
    std::string ExceptionMessage;
    TFilterExceptionType ExceptionType = fetAll;
    TFilterDialogType DialogType = fdtUnchanged;
    TFilterHandlerType HandlerType = fhtZorvikLog;
    TFilterActionType ActionType = fatNone;

    bool operator==(const TZorvikExceptionFilter&) const = default;
};

// The ordered filters of one options object. Every entry is a record the list
// owns; every change publishes the owner's options.
class TZorvikExceptionsFilters : public TList {
public:
    explicit TZorvikExceptionsFilters(TZorvikModuleOptions* owner) : FOwner(owner) {}
    ~TZorvikExceptionsFilters() override;

    TZorvikModuleOptions* Owner() const { return FOwner; }
    void SetOwner(TZorvikModuleOptions* owner) { FOwner = owner; }

    // The list keeps a copy of the record.
    int Add(const TZorvikExceptionFilter& filter);
    void Insert(int index, const TZorvikExceptionFilter& filter);
    void Delete(int index);
    void Clear();
    TZorvikExceptionFilter* GetItem(int index) const;
    // Copies every entry of source, in order.
    void Assign(const TZorvikExceptionsFilters& source);

    // The index of the first active filter that applies to an exception whose
    // class, followed by its ancestors, is classChain; -1 when none does.
    int FindMatch(const std::vector<std::string>& classChain, bool handledByProgram) const;

private:
    void Publish();
    TZorvikModuleOptions* FOwner;
};

// Whether one filter's class name names a class of the chain (compared
// case-insensitively, the filter's name trimmed of blanks).
bool FilterNamesClass(const std::string& filterClassName, const std::vector<std::string>& classChain);

// The dialog a matching filter asks for; fdtUnchanged keeps the options' own.
TExceptionDialogType FilterDialogType(TFilterDialogType filterDialog, TExceptionDialogType own);
