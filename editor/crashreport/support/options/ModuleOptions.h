#pragma once
// Every setting of the crash-report component for one module (program or
// library): how exceptions are shown, what a report holds, where the log goes,
// how reports are sent, the freeze watchdog, the auto-crash rule, the
// exception filters and the user texts. Each change through a setter is
// published at once, so that other modules of the process see it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/crashreport/support/options/ExceptionFilters.h"
#include "editor/crashreport/support/options/OptionTypes.h"
#include "editor/crashreport/support/system/ModuleHandles.h"
#include "editor/crashreport/support/texts/MessageTypes.h"
#include "editor/crashreport/support/texts/TextCollection.h"
#include "framework/Classes.h"

class TStream;

// A plain option: its getter, and a setter that stores and publishes.
#define ZORVIK_OPTION(Type, Name)                                        \
public:                                                                  \
    const Type& Name() const { return F##Name; }                         \
    void Set##Name(const Type& value)                                    \
    {                                                                    \
        F##Name = value;                                                 \
        SaveToSharedData();                                              \
    }                                                                    \
                                                                         \
private:                                                                 \
    Type F##Name{};

class TZorvikModuleOptions : public TObject {
public:
    explicit TZorvikModuleOptions(const std::string& moduleName);
    ~TZorvikModuleOptions() override;
    std::string ClassName() const override { return "TZorvikModuleOptions"; }

    // Options whose setters do more than store, or that other modules'
    // copies override.
    virtual void SetActive(bool value);
    virtual void SetFreezeActivate(bool value);
    // Copies every option except Active, ModuleName and ModuleHandle; raises
    // EConvertError for a null source.
    virtual void Assign(const TZorvikModuleOptions* source);
    virtual void SetToDefaultOptions();
    virtual void SaveToStream(TStream& stream);
    virtual void SaveToFile(const std::string& fileName);
    // Reads the options written by the version LastZorvikVersion names. A
    // stream that ends early raises EReadError and changes nothing.
    virtual void LoadFromStream(TStream& stream);
    virtual void LoadFromFile(const std::string& fileName);
    // Write the options to, and read them back from, the module's shared area.
    virtual void StoreSharedData() {}
    virtual void LoadSharedData() {}

    // The publishing rule: while not switched off, options of the module that
    // holds this code are stored to the shared area.
    void SaveToSharedData();
    void DisableSharedDataWrite() { ++FPublishBlockCount; }
    void EnableSharedDataWrite() { --FPublishBlockCount; }
    int32_t PublishBlockCount() const { return FPublishBlockCount; }

    bool Active() const { return FActive; }
    bool FreezeActivate() const { return FFreezeActivate; }
    int32_t ErrorsNumberToSave() const { return FErrorsNumberToSave; }
    // Zero is stored as one: the log always keeps the report just made.
    void SetErrorsNumberToSave(int32_t value);

    TZorvikExceptionsFilters* ExceptionsFilters() const { return FExceptionsFilters.get(); }
    // Takes the list over and frees the one held before; null stands for an
    // empty list.
    void SetExceptionsFilters(std::unique_ptr<TZorvikExceptionsFilters> filters);

    const TCustomizedTexts& CustomizedTexts() const { return FCustomizedTexts; }
    // The stored text of an id; empty for an id out of range.
    const std::string& GetCustomizedTexts(TMessageType id) const;
    // An id out of range changes nothing.
    void SetCustomizedTexts(TMessageType id, const std::string& text);
    // The text with its environment references (%UserName%) expanded: the
    // form every text is shown and written in.
    std::string GetCustomizedExpandedTexts(TMessageType id) const;
    // All texts to or from a text-collection file; TextsCollection becomes
    // the file's name without extension. One publication for the whole load.
    void SaveCustomizedTextsToFile(const std::string& fileName, TProfileStore& store);
    void LoadCustomizedTextsFromFile(const std::string& fileName, TProfileStore& store);

    // Memory-leak reporting is set only by whole-option copies and streams.
    TLeaksOptions LeaksOptions() const { return FLeaksOptions; }

    ZORVIK_OPTION(std::string, SMTPFrom)
    ZORVIK_OPTION(std::string, SMTPHost)
    ZORVIK_OPTION(std::string, SMTPUserID)
    ZORVIK_OPTION(std::string, SMTPPassword)
    ZORVIK_OPTION(uint16_t, SMTPPort)
    ZORVIK_OPTION(std::string, ProxyURL)
    ZORVIK_OPTION(std::string, ProxyUserID)
    ZORVIK_OPTION(std::string, ProxyPassword)
    ZORVIK_OPTION(uint16_t, ProxyPort)
    ZORVIK_OPTION(std::string, TrakerUserID)
    ZORVIK_OPTION(std::string, TrakerPassword)
    ZORVIK_OPTION(std::string, TrakerAssignTo)
    ZORVIK_OPTION(std::string, TrakerProject)
    ZORVIK_OPTION(std::string, TrakerCategory)
    ZORVIK_OPTION(std::string, TrakerTrialID)
    ZORVIK_OPTION(std::string, ZipPassword)
    // Build-time commands: neither read at run time nor streamed.
    ZORVIK_OPTION(std::string, PreBuildEvent)
    ZORVIK_OPTION(std::string, PostSuccessfulBuildEvent)
    ZORVIK_OPTION(std::string, PostFailureBuildEvent)
    ZORVIK_OPTION(TCompiledFileOptions, CompiledFileOptions)
    ZORVIK_OPTION(TTerminateBtnOperation, TerminateBtnOperation)
    ZORVIK_OPTION(int32_t, FreezeTimeout)
    ZORVIK_OPTION(std::string, ModuleName)
    ZORVIK_OPTION(TModuleHandle, ModuleHandle)
    ZORVIK_OPTION(TShowOptions, ShowOptions)
    ZORVIK_OPTION(TExceptionDialogType, ExceptionDialogType)
    ZORVIK_OPTION(std::string, TextsCollection)
    ZORVIK_OPTION(bool, ActivateLog)
    ZORVIK_OPTION(bool, ActivateHandle)
    ZORVIK_OPTION(bool, AppendLogs)
    ZORVIK_OPTION(bool, SaveLogFile)
    ZORVIK_OPTION(TLogOptions, LogOptions)
    ZORVIK_OPTION(TCommonSendOptions, CommonSendOptions)
    ZORVIK_OPTION(TForegroundType, ForegroundTab)
    ZORVIK_OPTION(int32_t, ErrorsNumberToShowTerminateBtn)
    ZORVIK_OPTION(std::string, OutputPath)
    ZORVIK_OPTION(std::string, EMailAddresses)
    ZORVIK_OPTION(std::string, EMailSubject)
    ZORVIK_OPTION(std::string, EMailMessage)
    ZORVIK_OPTION(TEmailSendMode, EMailSendMode)
    ZORVIK_OPTION(TWebSendMode, WebSendMode)
    ZORVIK_OPTION(std::string, AttachedFiles)
    ZORVIK_OPTION(TExceptionDialogOptions, ExceptionDialogOptions)
    ZORVIK_OPTION(int32_t, AutoCloseDialogSecs)
    ZORVIK_OPTION(std::string, SupportURL)
    ZORVIK_OPTION(std::string, HTMLLayout)
    ZORVIK_OPTION(TTerminateBtnOperation, AutoCrashOperation)
    ZORVIK_OPTION(int32_t, AutoCrashNumber)
    ZORVIK_OPTION(int32_t, AutoCrashMinutes)
    ZORVIK_OPTION(TCallStackOptions, CallStackOptions)
    ZORVIK_OPTION(TBehaviourOptions, BehaviourOptions)
    ZORVIK_OPTION(std::string, WebURL)
    ZORVIK_OPTION(int32_t, WebPort)
    ZORVIK_OPTION(std::string, WebPassword)
    ZORVIK_OPTION(std::string, WebUserID)
    // The user's account of how the error came about: not streamed.
    ZORVIK_OPTION(std::string, ReproduceText)

public:
    // Runs change with publishing switched off, then publishes once, also
    // when change raises.
    template <typename F>
    void WithPublishingHeld(F&& change)
    {
        DisableSharedDataWrite();
        try {
            change();
        } catch (...) {
            EndHeldPublishing();
            throw;
        }
        EndHeldPublishing();
    }

private:
    void EndHeldPublishing();
    void ApplyDefaults();
    friend class TOptionsStreamReader;

    int32_t FPublishBlockCount = 0;
    bool FActive = true;
    bool FFreezeActivate = false;
    int32_t FErrorsNumberToSave = 32;
    TLeaksOptions FLeaksOptions;
    TCustomizedTexts FCustomizedTexts;
    std::unique_ptr<TZorvikExceptionsFilters> FExceptionsFilters;
};

#undef ZORVIK_OPTION

// The page web-server modules send, with "<%HTML_TAG%>" where the report goes.
std::string DefaultHTMLLayout();
// The sender address of report mails until one is set.
extern const char* const DefaultSMTPFrom;
