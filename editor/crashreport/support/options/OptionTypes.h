#pragma once
// The enumerations and sets that the crash-report options are made of. Their
// names are part of the component's public vocabulary; the ordinals are what
// the options stream stores.
#include <cstdint>
#include <initializer_list>

enum TExceptionDialogType : uint8_t { edtNone, edtMessageBox, edtMSClassic, edtZorvikLog };
enum TEmailSendMode : uint8_t { esmNoSend, esmEmailClient, esmSMTPClient, esmSMTPServer };
enum TWebSendMode : uint8_t { wsmNoSend, wsmHTTP, wsmHTTPS, wsmFTP, wsmBugZilla, wsmFogBugz, wsmMantis };
enum TTerminateBtnOperation : uint8_t { tbNone, tbTerminate, tbRestart };
enum TForegroundType : uint8_t { ftGeneral, ftCallStack, ftModules, ftProcesses, ftAssembler, ftCPU };
enum TModuleType : uint8_t { mtUnknown, mtProgram, mtPackage, mtLibrary };
enum TLoadType : uint8_t { ltLoadModuleOptions, ltLoadDefaultOptions };

enum TLogOption : uint8_t {
    loNoDuplicateErrors,
    loAppendReproduceText,
    loDeleteLogAtVersionChange,
    loAddComputerNameInLogFileName,
    loSaveModulesAndProcessesSections,
    loSaveAssemblerAndCPUSections,
};

enum TCommonSendOption : uint8_t {
    sndShowSendDialog,
    sndShowSuccessFailureMsg,
    sndSendEntireLog,
    sndSendXMLLogCopy,
    sndSendScreenshot,
    sndUseOnlyActiveWindow,
    sndSendLastHTMLPage,
    sndSendInSeparatedThread,
    sndAddDateInFileName,
    sndAddComputerNameInFileName,
};

enum TExceptionDialogOption : uint8_t {
    edoSendErrorReportChecked,
    edoAttachScreenshotChecked,
    edoShowCopyToClipOption,
    edoShowDetailsButton,
    edoShowInDetailedMode,
    edoShowInTopMostMode,
    edoUseZorvikLogLookAndFeel,
    edoShowSendErrorReportOption,
    edoShowAttachScreenshotOption,
    edoShowCustomButton,
};

enum TCallStackOption : uint8_t {
    csoShowDLLs,
    csoShowBPLs,
    csoShowFrameworkThreads,
    csoShowWindowsThreads,
    csoDoNotStoreProcNames,
};

enum TBehaviourOption : uint8_t {
    boPauseFrameworkThreads,
    boDoNotPauseMainThread,
    boPauseWindowsThreads,
    boUseMainModuleOptions,
    boCopyLogInCaseOfError,
    boSaveCompressedCopyInCaseOfError,
    boHandleSafeCallExceptions,
    boCallRTLExceptionEvent,
    boCatchHandledExceptions,
};

enum TLeaksOption : uint8_t {
    loCatchLeaks,
    loGroupsSonLeaks,
    loHideFrameworkLeaks,
    loFreeAllLeaks,
    loCatchLeaksExceptions,
};

// Value 1 is reserved: kept as read, meaning nothing here.
enum TCompiledFileOption : uint8_t { cfoReduceFileSize };

enum TShowOption : uint8_t {
    soAppStartDate, soAppName, soAppVersionNumber, soAppParameters, soAppCompilationDate, soAppUpTime,
    soExcDate, soExcAddress, soExcModuleName, soExcModuleVersion, soExcType, soExcMessage, soExcID,
    soExcCount, soExcStatus, soExcNote,
    soUserID, soUserName, soUserEmail, soUserPrivileges, soUserCompany,
    soActCtlsFormClass, soActCtlsFormText, soActCtlsControlClass, soActCtlsControlText,
    soCmpName, soCmpTotalMemory, soCmpFreeMemory, soCmpTotalDisk, soCmpFreeDisk, soCmpSysUpTime,
    soCmpProcessor, soCmpDisplayMode, soCmpDisplayDPI, soCmpVideoCard, soCmpPrinter,
    soOSType, soOSBuildN, soOSUpdate, soOSLanguage, soOSCharset,
    soNetIP, soNetSubmask, soNetGateway, soNetDNS1, soNetDNS2, soNetDHCP,
    soCustomData,
};
constexpr int ShowOptionCount = 48;

// A bit set over an enumeration, bit n standing for value n, held in Bytes
// bytes (the size the options stream gives it). Bits beyond the enumeration's
// values are kept as they come.
template <typename E, int Bytes>
class TOptionSet {
    static_assert(Bytes >= 1 && Bytes <= 8);

public:
    static constexpr int ByteCount = Bytes;
    static constexpr uint64_t Mask = Bytes == 8 ? ~uint64_t(0) : (uint64_t(1) << (8 * Bytes)) - 1;

    constexpr TOptionSet() = default;
    constexpr TOptionSet(std::initializer_list<E> values)
    {
        for (E v : values) Include(v);
    }
    static constexpr TOptionSet FromBits(uint64_t bits)
    {
        TOptionSet s;
        s.FBits = bits & Mask;
        return s;
    }

    constexpr uint64_t Bits() const { return FBits; }
    constexpr bool Contains(E v) const { return (FBits >> static_cast<int>(v)) & 1; }
    constexpr void Include(E v) { FBits |= uint64_t(1) << static_cast<int>(v); }
    constexpr void Exclude(E v) { FBits &= ~(uint64_t(1) << static_cast<int>(v)); }
    constexpr void Set(E v, bool on) { on ? Include(v) : Exclude(v); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr bool operator==(const TOptionSet&) const = default;

private:
    uint64_t FBits = 0;
};

using TLogOptions = TOptionSet<TLogOption, 1>;
using TCommonSendOptions = TOptionSet<TCommonSendOption, 2>;
using TExceptionDialogOptions = TOptionSet<TExceptionDialogOption, 2>;
using TCallStackOptions = TOptionSet<TCallStackOption, 1>;
using TBehaviourOptions = TOptionSet<TBehaviourOption, 2>;
using TLeaksOptions = TOptionSet<TLeaksOption, 1>;
using TCompiledFileOptions = TOptionSet<TCompiledFileOption, 1>;
using TShowOptions = TOptionSet<TShowOption, 6>;

// Every one of the 48 show options.
constexpr TShowOptions AllShowOptions() { return TShowOptions::FromBits((uint64_t(1) << ShowOptionCount) - 1); }
