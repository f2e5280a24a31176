// SaveToStream and LoadFromStream of the crash-report options, and the
// conversions that read the layouts of older versions.
#include "editor/crashreport/support/options/OptionsStream.h"

#include <algorithm>
#include <climits>
#include <initializer_list>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

uint16_t LastZorvikVersion = ZorvikLogCurrentVersion;

namespace {

class OptionsWriter {
public:
    explicit OptionsWriter(TStream& stream) : FStream(stream) {}

    void Byte(uint8_t value) { FStream.WriteBuffer(&value, 1); }
    void Bool(bool value) { Byte(value ? 1 : 0); }
    void U16(uint16_t value) { Bytes(value, 2); }
    void I32(int32_t value) { Bytes(static_cast<uint32_t>(value), 4); }
    template <typename E, int N>
    void Set(TOptionSet<E, N> set) { Bytes(set.Bits(), N); }

    void String(std::string text)
    {
        // A single line break that ends the text is not stored.
        if (text.size() >= 2 && text.find("\r\n") == text.size() - 2) text.resize(text.size() - 2);
        if (text.size() > size_t(INT32_MAX)) throw EWriteError("Stream write error");
        I32(static_cast<int32_t>(text.size()));
        for (char& c : text) c = static_cast<char>(static_cast<uint8_t>(c) ^ OptionsTextKey);
        if (!text.empty()) FStream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    }

private:
    void Bytes(uint64_t value, int count)
    {
        uint8_t bytes[8];
        for (int i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
        FStream.WriteBuffer(bytes, count);
    }
    TStream& FStream;
};

// Reads elements in full or raises EReadError: a stream that ends before its
// layout does is damaged, and nothing of it is taken.
class OptionsReader {
public:
    explicit OptionsReader(TStream& stream) : FStream(stream) {}

    uint8_t Byte() { return static_cast<uint8_t>(Bytes(1)); }
    bool Bool() { return Byte() != 0; }
    uint16_t U16() { return static_cast<uint16_t>(Bytes(2)); }
    int32_t I32() { return static_cast<int32_t>(static_cast<uint32_t>(Bytes(4))); }
    template <typename SetType>
    SetType Set() { return SetType::FromBits(Bytes(SetType::ByteCount)); }
    uint64_t Bits(int bytes) { return Bytes(bytes); }
    // An ordinal past the enumeration's last value (damaged data, or a newer
    // writer) gives `otherwise` instead of a value nothing could handle.
    template <typename E>
    E Choice(E last, E otherwise)
    {
        uint8_t value = Byte();
        return value <= last ? static_cast<E>(value) : otherwise;
    }

    std::string String()
    {
        int32_t length = I32();
        if (length <= 0) return {};
        // A length is believed only as far as the stream has bytes for it.
        if (int64_t(length) > FStream.Size() - FStream.Position()) throw EReadError("Stream read error");
        std::string text(static_cast<size_t>(length), '\0');
        FStream.ReadBuffer(text.data(), length);
        for (char& c : text) c = static_cast<char>(static_cast<uint8_t>(c) ^ OptionsTextKey);
        return text;
    }

private:
    uint64_t Bytes(int count)
    {
        uint8_t bytes[8];
        FStream.ReadBuffer(bytes, count);
        uint64_t value = 0;
        for (int i = 0; i < count; ++i) value |= uint64_t(bytes[i]) << (8 * i);
        return value;
    }
    TStream& FStream;
};

struct IdRange {
    int first, last;
};

bool InRanges(int id, std::initializer_list<IdRange> ranges)
{
    for (const IdRange& r : ranges)
        if (id >= r.first && id <= r.last) return true;
    return false;
}

// Whether the stream of version v leaves out text id (texts added later).
bool TextAbsent(int id, int v)
{
    if (v < 420 && id == 20) return true;
    if (v < 421 && id == 19) return true;
    if (v < 450 && (id >= 110 || InRanges(id, {{9, 10}, {15, 16}, {22, 24}, {41, 41}, {47, 48}, {68, 68}, {81, 81}})))
        return true;
    if (v < 500 && InRanges(id, {{25, 25}, {42, 42}, {72, 77}, {84, 91}, {98, 104}, {131, 131}, {144, 145}}))
        return true;
    if (v < 6000 && InRanges(id, {{2, 2},     {11, 14},   {21, 21},   {26, 36},   {41, 41},   {43, 43},
                                  {51, 60},   {83, 83},   {105, 109}, {113, 113}, {117, 122}, {133, 140},
                                  {146, 157}}))
        return true;
    if (v >= 500 && v < 6000 && (id == 17 || id == 18)) return true;
    return false;
}

}  // namespace

uint64_t ConvertOldShowOptions(uint64_t oldBits, uint16_t version)
{
    struct Insertion {
        int position;
        const char* run;
    };
    static const Insertion from5[] = {{6, "1"}, {10, "1"}, {13, "1111"}, {23, "1111"}, {34, "111"}, {41, "1"}, {48, "1"}};
    static const Insertion from4[] = {{5, "11"}, {10, "1"}, {13, "1111"}, {23, "1111"}, {31, "111111"}, {42, "1111111"}};

    std::string text;
    for (int bit = 0; bit < ShowOptionCount; ++bit) text += ((oldBits >> bit) & 1) ? '1' : '0';
    auto insert = [&](const auto& table) {
        for (const Insertion& step : table) {
            size_t at = std::min(text.size(), size_t(step.position - 1));
            text.insert(at, step.run);
        }
    };
    if (version >= 6000) return oldBits & AllShowOptions().Bits();
    if (version >= 500)
        insert(from5);
    else
        insert(from4);
    uint64_t bits = 0;
    for (int bit = 0; bit < ShowOptionCount; ++bit)
        if (text[bit] == '1') bits |= uint64_t(1) << bit;
    return bits;
}

void TZorvikModuleOptions::SaveToStream(TStream& stream)
{
    OptionsWriter w(stream);
    w.Bool(FActivateLog);
    w.Bool(FActivateHandle);
    w.Set(FLogOptions);
    w.Bool(FAppendLogs);
    w.Bool(FSaveLogFile);
    w.Byte(FForegroundTab);
    w.Bool(FFreezeActivate);
    w.I32(FFreezeTimeout);
    w.String(FSMTPFrom);
    w.String(FSMTPHost);
    w.U16(FSMTPPort);
    w.String(FSMTPUserID);
    w.String(FSMTPPassword);
    w.Byte(FTerminateBtnOperation);
    w.I32(FErrorsNumberToSave);
    w.I32(FErrorsNumberToShowTerminateBtn);
    w.String(FEMailAddresses);
    w.String(FEMailSubject);
    w.Byte(FEMailSendMode);
    w.Set(FShowOptions);
    w.String(FOutputPath);
    w.Byte(FWebSendMode);
    w.String(FWebURL);
    w.String(FWebUserID);
    w.String(FWebPassword);
    w.I32(FWebPort);
    w.String(FAttachedFiles);
    w.Set(FCommonSendOptions);
    w.Set(FExceptionDialogOptions);
    w.I32(FAutoCloseDialogSecs);
    w.String(FSupportURL);
    w.String(FHTMLLayout);
    w.Set(FCallStackOptions);
    w.Set(FBehaviourOptions);
    w.Set(FLeaksOptions);
    w.Byte(FAutoCrashOperation);
    w.I32(FAutoCrashNumber);
    w.I32(FAutoCrashMinutes);
    w.Set(FCompiledFileOptions);
    w.Byte(FExceptionDialogType);
    w.String(FProxyURL);
    w.String(FProxyUserID);
    w.String(FProxyPassword);
    w.U16(FProxyPort);
    for (const std::string* text : {&FTrakerUserID, &FTrakerPassword, &FTrakerAssignTo, &FTrakerProject,
                                    &FTrakerCategory, &FTrakerTrialID, &FZipPassword})
        w.String(*text);
    w.I32(FExceptionsFilters->Count());
    for (int i = 0; i < FExceptionsFilters->Count(); ++i) {
        const TZorvikExceptionFilter& f = *FExceptionsFilters->GetItem(i);
        w.Bool(f.Active);
        w.String(f.ExceptionClassName);
        w.String(f.ExceptionMessage);
        w.Byte(f.ExceptionType);
        w.Byte(f.DialogType);
        w.Byte(f.HandlerType);
        w.Byte(f.ActionType);
    }
    w.String(FEMailMessage);
    for (const std::string& text : FCustomizedTexts) w.String(text);
    w.String(FTextsCollection);
}

// Reads one stream of version V into options, through their setters.
class TOptionsStreamReader {
public:
    TOptionsStreamReader(TZorvikModuleOptions& options, TStream& stream, int version)
        : o(options), r(stream), V(version)
    {
    }

    void Read()
    {
        o.SetActivateLog(r.Bool());
        o.SetActivateHandle(r.Bool());
        o.SetLogOptions(r.Set<TLogOptions>());
        if (V < 500) {
            uint8_t dialog = r.Byte();
            if (V < 450) dialog ^= 1;
            if (dialog == 0) o.SetExceptionDialogType(edtNone);
        }
        o.SetAppendLogs(r.Bool());
        if (V >= 450 && V < 500)
            for (TCommonSendOption option : {sndSendEntireLog, sndSendScreenshot, sndShowSendDialog}) {
                TCommonSendOptions send = o.CommonSendOptions();
                send.Set(option, r.Bool());
                o.SetCommonSendOptions(send);
            }
        if (V >= 401) {
            o.SetSaveLogFile(r.Bool());
            o.SetForegroundTab(r.Choice(ftCPU, o.ForegroundTab()));
            // In older data this value meant the CPU tab.
            if (V < 6000 && o.ForegroundTab() == ftProcesses) o.SetForegroundTab(ftCPU);
        }
        if (V >= 403 && V < 500) {
            TExceptionDialogOptions dialog = o.ExceptionDialogOptions();
            dialog.Set(edoUseZorvikLogLookAndFeel, r.Bool());
            o.SetExceptionDialogOptions(dialog);
        }
        std::string oldFreezeMessage;
        if (V >= 420) {
            o.SetFreezeActivate(r.Bool());
            o.SetFreezeTimeout(r.I32());
            if (V < 422) o.SetFreezeTimeout(o.FreezeTimeout() / 1000);  // milliseconds then
            if (V < 6000) oldFreezeMessage = r.String();
            if (V >= 450) o.SetSMTPFrom(r.String());
            o.SetSMTPHost(r.String());
        }
        if (V >= 450) o.SetSMTPPort(r.U16());
        if (V >= 421) {
            o.SetSMTPUserID(r.String());
            o.SetSMTPPassword(r.String());
            o.SetTerminateBtnOperation(r.Choice(tbRestart, o.TerminateBtnOperation()));
        }
        if (V < 6000 && r.Byte() == 0) o.SetTerminateBtnOperation(tbNone);
        o.SetErrorsNumberToSave(r.I32());
        o.SetErrorsNumberToShowTerminateBtn(r.I32());
        o.SetEMailAddresses(r.String());
        o.SetEMailSubject(r.String());
        o.SetEMailSendMode(r.Choice(esmSMTPServer, o.EMailSendMode()));
        if (V < 450 && o.EMailSendMode() != esmNoSend)
            o.SetEMailSendMode(o.SMTPHost().empty() ? esmEmailClient : esmSMTPClient);
        ReadShowOptions();
        if (V < 450) r.Byte();
        o.SetOutputPath(r.String());
        if (V >= 500) ReadSendAndDialog();
        ReadFilters();
        o.SetEMailMessage(r.String());
        for (int id = 0; id < MessageTypeCount; ++id) {
            if (V < 6000 && id == 68) r.String();  // a text since dropped
            if (!TextAbsent(id, V)) o.SetCustomizedTexts(static_cast<TMessageType>(id), r.String());
        }
        if (V >= 6000) o.SetTextsCollection(r.String());
        if (!oldFreezeMessage.empty()) o.SetCustomizedTexts(mtException_AntiFreeze, oldFreezeMessage);
    }

private:
    void ReadShowOptions()
    {
        o.SetShowOptions({});
        if (V >= 6000)
            o.SetShowOptions(r.Set<TShowOptions>());
        else
            o.SetShowOptions(TShowOptions::FromBits(ConvertOldShowOptions(r.Bits(V >= 500 ? 5 : 4), V)));
    }

    void ReadSendAndDialog()
    {
        o.SetWebSendMode(r.Choice(wsmMantis, o.WebSendMode()));
        o.SetWebURL(r.String());
        o.SetWebUserID(r.String());
        o.SetWebPassword(r.String());
        o.SetWebPort(r.I32());
        o.SetAttachedFiles(r.String());
        TCommonSendOptions send = r.Set<TCommonSendOptions>();
        if (V < 6000) send.Exclude(sndAddComputerNameInFileName);
        o.SetCommonSendOptions(send);
        o.SetExceptionDialogOptions(V < 6000 ? TExceptionDialogOptions::FromBits(r.Byte())
                                             : r.Set<TExceptionDialogOptions>());
        o.SetAutoCloseDialogSecs(r.I32());
        o.SetSupportURL(r.String());
        o.SetHTMLLayout(r.String());
        TCallStackOptions stack = r.Set<TCallStackOptions>();
        if (V < 6000) stack.Include(csoDoNotStoreProcNames);
        o.SetCallStackOptions(stack);
        if (V < 6000) {
            o.SetBehaviourOptions(TBehaviourOptions::FromBits(r.Byte()));
        } else {
            o.SetBehaviourOptions(r.Set<TBehaviourOptions>());
            o.FLeaksOptions = r.Set<TLeaksOptions>();
        }
        o.SetAutoCrashOperation(r.Choice(tbRestart, o.AutoCrashOperation()));
        o.SetAutoCrashNumber(r.I32());
        o.SetAutoCrashMinutes(r.I32());
        if (V >= 6000) {
            o.SetCompiledFileOptions(r.Set<TCompiledFileOptions>());
            o.SetExceptionDialogType(r.Choice(edtZorvikLog, o.ExceptionDialogType()));
            o.SetProxyURL(r.String());
            o.SetProxyUserID(r.String());
            o.SetProxyPassword(r.String());
            o.SetProxyPort(r.U16());
            o.SetTrakerUserID(r.String());
            o.SetTrakerPassword(r.String());
            o.SetTrakerAssignTo(r.String());
            o.SetTrakerProject(r.String());
            o.SetTrakerCategory(r.String());
            o.SetTrakerTrialID(r.String());
            o.SetZipPassword(r.String());
        }
    }

    void ReadFilters()
    {
        TZorvikExceptionsFilters& filters = *o.ExceptionsFilters();
        filters.Clear();
        int32_t count = r.I32();
        // Each filter takes bytes of the stream, so a false count ends at its end.
        for (int32_t i = 0; i < count; ++i) {
            TZorvikExceptionFilter f;
            f.Active = V >= 6000 ? r.Bool() : true;
            f.ExceptionClassName = r.String();
            f.ExceptionMessage = r.String();
            if (V >= 6000) {
                f.ExceptionType = static_cast<TFilterExceptionType>(r.Byte());  // unknown: never matches
                f.DialogType = r.Choice(fdtZorvikLog, fdtUnchanged);
                f.HandlerType = r.Choice(fhtZorvikLog, fhtZorvikLog);
                f.ActionType = r.Choice(fatRestart, fatNone);
            } else {
                f.ExceptionType = fetUnhandled;
                f.DialogType = f.ExceptionMessage.empty() ? fdtNone : fdtMessageBox;
                f.HandlerType = fhtNone;
                f.ActionType = fatNone;
            }
            filters.Add(f);
        }
    }

    TZorvikModuleOptions& o;
    OptionsReader r;
    const int V;
};

void TZorvikModuleOptions::LoadFromStream(TStream& stream)
{
    WithPublishingHeld([&] {
        // Read into a copy, so that a damaged stream leaves these options as
        // they were; the copy belongs to no module and publishes nothing.
        TZorvikModuleOptions staged("");
        staged.DisableSharedDataWrite();
        staged.Assign(this);
        TOptionsStreamReader(staged, stream, LastZorvikVersion).Read();
        Assign(&staged);
    });
}
