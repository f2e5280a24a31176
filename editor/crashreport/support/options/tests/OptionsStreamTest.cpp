#include <gtest/gtest.h>

#include <random>

#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/crashreport/support/options/tests/OptionsTestSupport.h"
#include "framework/Exceptions.h"

namespace {

// Builds streams of older layouts element by element.
class StreamBuilder {
public:
    StreamBuilder& Byte(uint8_t b)
    {
        FBytes.push_back(b);
        return *this;
    }
    StreamBuilder& U16(uint16_t v) { return Byte(v & 0xFF).Byte(v >> 8); }
    StreamBuilder& I32(int32_t v)
    {
        for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    StreamBuilder& Str(const std::string& s)
    {
        I32(static_cast<int32_t>(s.size()));
        for (char c : s) Byte(static_cast<uint8_t>(c) ^ OptionsTextKey);
        return *this;
    }
    StreamBuilder& Texts(int count)
    {
        for (int i = 0; i < count; ++i) Str("S" + std::to_string(i));
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
};

// The stream's size from EMailMessage on: that text, the 158 texts and
// TextsCollection, each a length and its bytes (a closing line break dropped).
size_t BytesAfterFilters(const TZorvikModuleOptions& o)
{
    auto stored = [](const std::string& t) {
        return 4 + t.size() - (t.size() >= 2 && t.find("\r\n") == t.size() - 2 ? 2 : 0);
    };
    size_t size = stored(o.EMailMessage()) + stored(o.TextsCollection());
    for (const std::string& t : o.CustomizedTexts()) size += stored(t);
    return size;
}

class OptionsStream : public FakeModules {
protected:
    void TearDown() override
    {
        LastZorvikVersion = ZorvikLogCurrentVersion;
        FakeModules::TearDown();
    }
    void Load(TZorvikModuleOptions& o, const std::vector<uint8_t>& bytes, uint16_t version)
    {
        LastZorvikVersion = version;
        TMemoryStream stream;
        if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        stream.SetPosition(0);
        o.LoadFromStream(stream);
    }
};

TEST_F(OptionsStream, CurrentLayoutComesBackWhole)
{
    CountingOptions source;
    ChangeEveryOption(source);
    source.SetCustomizedTexts(mtDialog_Caption, "Ends in a break\r\n");
    std::vector<uint8_t> bytes = StreamBytes(source);

    CountingOptions target("other.dll");
    Load(target, bytes, 6020);
    EXPECT_EQ(StreamBytes(target), bytes);
    ASSERT_EQ(target.ExceptionsFilters()->Count(), 2);
    EXPECT_EQ(*target.ExceptionsFilters()->GetItem(0), *source.ExceptionsFilters()->GetItem(0));
    EXPECT_EQ(*target.ExceptionsFilters()->GetItem(1), *source.ExceptionsFilters()->GetItem(1));
    EXPECT_EQ(target.GetCustomizedTexts(mtDialog_Caption), "Ends in a break");
    EXPECT_EQ(target.GetCustomizedTexts(mtDialog_ErrorMsgCaption), "First line\r\nSecond line");
    EXPECT_EQ(target.GetCustomizedTexts(mtInvalidEmailMsg), "Text 157");
    EXPECT_EQ(target.TextsCollection(), "Dutch");
    EXPECT_EQ(target.CompiledFileOptions().Bits(), 2u);  // the reserved bit kept as read
    EXPECT_EQ(target.SMTPPort(), 587);
    EXPECT_EQ(target.ProxyPort(), 3128);

    // Defaults too, and what a stream leaves out stays as it was.
    CountingOptions fresh;
    std::vector<uint8_t> defaults = StreamBytes(fresh);
    target.SetReproduceText("kept");
    target.SetActive(false);
    Load(target, defaults, 6020);
    EXPECT_EQ(StreamBytes(target), defaults);
    EXPECT_EQ(target.ReproduceText(), "kept");
    EXPECT_FALSE(target.Active());
    EXPECT_EQ(target.ModuleName(), "other.dll");
}

// The stream of new options, element by element from the table of
// defaults: every byte is where the readers of other versions expect it.
TEST_F(OptionsStream, DefaultsMakeAByteExactStream)
{
    std::string html;
    const std::pair<int, const char*> lines[] = {
        {0, "<html>"}, {2, "<head>"}, {2, "</head>"}, {2, "<body TopMargin=10 LeftMargin=10>"},
        {4, "<table width=\"100%\" border=\"0\">"}, {6, "<tr>"}, {8, "<td nowrap>"},
        {10, "<font face=\"Lucida Console, Courier\" size=\"2\">"}, {12, "<%HTML_TAG%>"}, {10, "</font>"},
        {8, "</td>"}, {6, "</tr>"}, {4, "</table>"}, {2, "</body>"}, {0, "</html>"}};
    for (const auto& [blanks, text] : lines)
        html += (html.empty() ? "" : "\r\n") + std::string(static_cast<size_t>(blanks), ' ') + text;

    StreamBuilder b;
    b.Byte(0).Byte(1).Byte(0x30).Byte(0).Byte(1).Byte(0).Byte(0).I32(60);
    b.Str(DefaultSMTPFrom).Str("").U16(25).Str("").Str("").Byte(2);
    b.I32(32).I32(3).Str("").Str("").Byte(0);
    for (int i = 0; i < 6; ++i) b.Byte(0xFF);            // all 48 show options
    b.Str("").Byte(0).Str("").Str("").Str("").I32(0).Str("");
    b.Byte(0x51).Byte(0x00);                             // send dialog, screenshot, last page
    b.Byte(0x8F).Byte(0x01);                             // dialog options
    b.I32(0).Str("").Str(html);
    b.Byte(0x0F).Byte(0x58).Byte(0x00).Byte(0x1E);       // call stack, behaviour, leaks
    b.Byte(2).I32(10).I32(1).Byte(0x01).Byte(2);         // auto-crash; compiled file; MS classic
    b.Str("").Str("").Str("").U16(8080);
    for (int i = 0; i < 7; ++i) b.Str("");
    b.I32(0).Str("");                                    // no filters; no mail text
    for (int id = 0; id < MessageTypeCount; ++id) b.Str(DefaultMessageText(id));
    b.Str("English");

    CountingOptions o;
    const std::vector<uint8_t> bytes = StreamBytes(o);
    EXPECT_EQ(bytes, b.Bytes());
    const std::vector<uint8_t> start = {0x00, 0x01, 0x30, 0x00, 0x01, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00};
    ASSERT_GE(bytes.size(), start.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 11), start);
    EXPECT_EQ(bytes.size(), 3319 + std::string(DefaultSMTPFrom).size() + DefaultMessageText(153).size());
    // The last element: 07 00 00 00 and the scrambled "English".
    const std::vector<uint8_t> tail(bytes.end() - 11, bytes.end());
    EXPECT_EQ(tail, (StreamBuilder().Str("English").Bytes()));

    CountingOptions back("other.dll");
    ChangeEveryOption(back);
    Load(back, bytes, 6020);
    EXPECT_EQ(StreamBytes(back), bytes);
    EXPECT_EQ(back.CustomizedTexts(), o.CustomizedTexts());
    EXPECT_EQ(back.ExceptionsFilters()->Count(), 0);
}

TEST_F(OptionsStream, StringsAreScrambledWithTheirLength)
{
    CountingOptions o;
    o.SetSMTPFrom("");
    o.SetSMTPHost("AB");
    std::vector<uint8_t> bytes = StreamBytes(o);
    // Seven 1-byte flags and the freeze timeout come first.
    const std::vector<uint8_t> expected = {0, 0, 0, 0, 2, 0, 0, 0, 'A' ^ OptionsTextKey, 'B' ^ OptionsTextKey};
    ASSERT_GE(bytes.size(), 11 + expected.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 11, bytes.begin() + 11 + expected.size()), expected);
}

TEST_F(OptionsStream, OnlyASingleClosingLineBreakIsDropped)
{
    const struct {
        const char* stored;
        const char* read;
    } cases[] = {
        {"line\r\n", "line"},
        {"one\r\ntwo", "one\r\ntwo"},
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n"},
        {"\r\n", ""},
        {"\n", "\n"},
    };
    for (const auto& c : cases) {
        CountingOptions source, target;
        source.SetEMailMessage(c.stored);
        Load(target, StreamBytes(source), 6020);
        EXPECT_EQ(target.EMailMessage(), c.read) << c.stored;
    }
}

// A 4.50 stream: the fields of that version in its order, then more texts
// than it holds (what follows the layout is not read).
std::vector<uint8_t> Stream450(uint8_t mailMode)
{
    StreamBuilder b;
    b.Byte(1).Byte(0).Byte(0x01);                     // log, handle, log options
    b.Byte(1);                                        // dialog shown
    b.Byte(1);                                        // append logs
    b.Byte(1).Byte(0).Byte(1);                        // entire log, screenshot, send dialog
    b.Byte(0).Byte(ftProcesses);                      // save log file, foreground tab
    b.Byte(1);                                        // the dialog's own look
    b.Byte(1).I32(30).Str("Frozen!").Str("a@b.c").Str("mail.host");
    b.U16(587);
    b.Str("user").Str("pass").Byte(tbTerminate);
    b.Byte(1);                                        // terminate button shown
    b.I32(0).I32(5).Str("x@y").Str("subject").Byte(mailMode);
    b.I32(0x00000011);                                // show options of 4.x
    b.Str("C:\\logs");
    b.I32(2).Str("EAbort").Str("").Str("EMyError").Str("Custom message");
    b.Str("body");
    b.Texts(MessageTypeCount);
    return b.Bytes();
}

TEST_F(OptionsStream, Version450IsConverted)
{
    CountingOptions o;
    Load(o, Stream450(esmEmailClient), 450);
    EXPECT_TRUE(o.ActivateLog());
    EXPECT_FALSE(o.ActivateHandle());
    EXPECT_EQ(o.ExceptionDialogType(), edtMSClassic);
    EXPECT_TRUE(o.AppendLogs());
    EXPECT_EQ(o.CommonSendOptions(), (TCommonSendOptions{sndShowSendDialog, sndSendEntireLog, sndSendLastHTMLPage}));
    EXPECT_FALSE(o.SaveLogFile());
    EXPECT_EQ(o.ForegroundTab(), ftCPU);
    EXPECT_TRUE(o.ExceptionDialogOptions().Contains(edoUseZorvikLogLookAndFeel));
    EXPECT_TRUE(o.FreezeActivate());
    EXPECT_EQ(o.FreezeTimeout(), 30);
    EXPECT_EQ(o.SMTPFrom(), "a@b.c");
    EXPECT_EQ(o.SMTPHost(), "mail.host");
    EXPECT_EQ(o.SMTPPort(), 587);
    EXPECT_EQ(o.SMTPUserID(), "user");
    EXPECT_EQ(o.SMTPPassword(), "pass");
    EXPECT_EQ(o.TerminateBtnOperation(), tbTerminate);
    EXPECT_EQ(o.ErrorsNumberToSave(), 1);
    EXPECT_EQ(o.ErrorsNumberToShowTerminateBtn(), 5);
    EXPECT_EQ(o.EMailAddresses(), "x@y");
    EXPECT_EQ(o.EMailSubject(), "subject");
    EXPECT_EQ(o.EMailSendMode(), esmEmailClient);  // 4.50 wrote the mode as it is now
    EXPECT_EQ(o.OutputPath(), "C:\\logs");
    EXPECT_EQ(o.EMailMessage(), "body");
    EXPECT_EQ(o.TextsCollection(), "English");

    // Filters of old versions: active, for unhandled exceptions, a message box
    // only when they carry a message.
    ASSERT_EQ(o.ExceptionsFilters()->Count(), 2);
    EXPECT_EQ(*o.ExceptionsFilters()->GetItem(0),
              (TZorvikExceptionFilter{true, "EAbort", "", fetUnhandled, fdtNone, fhtNone, fatNone}));
    EXPECT_EQ(*o.ExceptionsFilters()->GetItem(1),
              (TZorvikExceptionFilter{true, "EMyError", "Custom message", fetUnhandled, fdtMessageBox, fhtNone, fatNone}));

    // Texts: id 2 and 31 others below 68 are later additions; one dropped
    // text comes before 68; the old freeze message becomes the freeze text.
    EXPECT_EQ(o.GetCustomizedTexts(mtInformationMsgCaption), "S0");
    EXPECT_EQ(o.GetCustomizedTexts(mtQuestionMsgCaption), "S1");
    EXPECT_EQ(o.GetCustomizedTexts(mtErrorMsgCaption), DefaultMessageText(2));
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_Caption), "S2");
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_OKButtonCaption), "S12");
    EXPECT_EQ(o.GetCustomizedTexts(static_cast<TMessageType>(67)), "S36");
    EXPECT_EQ(o.GetCustomizedTexts(static_cast<TMessageType>(68)), "S38");
    EXPECT_EQ(o.GetCustomizedTexts(mtException_AntiFreeze), "Frozen!");
}

TEST_F(OptionsStream, Version420CountsMillisecondsAndGuessesTheMailMode)
{
    StreamBuilder b;
    b.Byte(0).Byte(1).Byte(0);
    b.Byte(1);                                        // inverted then: no dialog
    b.Byte(0);
    b.Byte(1).Byte(ftModules);
    b.Byte(0);
    b.Byte(1).I32(60000).Str("App frozen").Str("smtp.x");
    b.Byte(0);                                        // no terminate button
    b.I32(20).I32(2).Str("").Str("").Byte(1);
    b.I32(0);
    b.Byte(7);                                        // dropped
    b.Str("out");
    b.I32(0);
    b.Str("");
    b.Texts(MessageTypeCount);

    CountingOptions o;
    Load(o, b.Bytes(), 420);
    EXPECT_EQ(o.ExceptionDialogType(), edtNone);
    EXPECT_EQ(o.ForegroundTab(), ftModules);
    EXPECT_EQ(o.FreezeTimeout(), 60);
    EXPECT_EQ(o.SMTPHost(), "smtp.x");
    EXPECT_EQ(o.SMTPFrom(), DefaultSMTPFrom);
    EXPECT_EQ(o.TerminateBtnOperation(), tbNone);
    EXPECT_EQ(o.EMailSendMode(), esmSMTPClient);
    EXPECT_EQ(o.OutputPath(), "out");
    EXPECT_EQ(o.GetCustomizedTexts(mtException_AntiFreeze), "App frozen");
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_RestartButtonCaption), DefaultMessageText(19));
    EXPECT_EQ(o.ShowOptions().Bits(), ConvertOldShowOptions(0, 420));

    // Without a host the old mode means the mail client.
    CountingOptions noHost;
    StreamBuilder c;
    c.Byte(0).Byte(1).Byte(0).Byte(1).Byte(0).Byte(1).Byte(0).Byte(0);
    c.Byte(1).I32(1000).Str("").Str("");
    c.Byte(1).I32(20).I32(2).Str("").Str("").Byte(1).I32(0).Byte(0).Str("").I32(0).Str("").Texts(MessageTypeCount);
    Load(noHost, c.Bytes(), 420);
    EXPECT_EQ(noHost.EMailSendMode(), esmEmailClient);
    EXPECT_EQ(noHost.FreezeTimeout(), 1);
    EXPECT_EQ(noHost.GetCustomizedTexts(mtException_AntiFreeze), DefaultMessageText(mtException_AntiFreeze));
}

TEST_F(OptionsStream, Version5xxFieldsAreConverted)
{
    StreamBuilder b;
    b.Byte(0).Byte(1).Byte(0);
    b.Byte(0);
    b.Byte(1).Byte(ftGeneral);
    b.Byte(0).I32(10).Str("").Str("from").Str("host");
    b.U16(25);
    b.Str("").Str("").Byte(tbRestart);
    b.Byte(1);
    b.I32(10).I32(3).Str("").Str("").Byte(esmSMTPClient);
    b.Byte(0).Byte(0).Byte(0).Byte(0).Byte(0);        // five bytes of show options
    b.Str("out");
    b.Byte(wsmFTP).Str("ftp://x").Str("u").Str("p").I32(21).Str("");
    b.U16(0x0300);                                    // both file-name options
    b.Byte(0x41);                                     // dialog options, low byte
    b.I32(0).Str("").Str("<html/>");
    b.Byte(0x01);                                     // call stack
    b.Byte(0x03);                                     // behaviour, low byte
    b.Byte(tbTerminate).I32(3).I32(5);
    b.I32(1).Str("EAbort").Str("");
    b.Str("");
    b.Texts(MessageTypeCount);

    CountingOptions o;
    Load(o, b.Bytes(), 500);
    EXPECT_EQ(o.ExceptionDialogType(), edtMSClassic);  // not in 5.x streams
    EXPECT_EQ(o.WebSendMode(), wsmFTP);
    EXPECT_EQ(o.WebURL(), "ftp://x");
    EXPECT_EQ(o.WebPort(), 21);
    EXPECT_EQ(o.CommonSendOptions(), TCommonSendOptions{sndAddDateInFileName});
    EXPECT_EQ(o.ExceptionDialogOptions(), (TExceptionDialogOptions{edoSendErrorReportChecked, edoUseZorvikLogLookAndFeel}));
    EXPECT_EQ(o.HTMLLayout(), "<html/>");
    EXPECT_EQ(o.CallStackOptions(), (TCallStackOptions{csoShowDLLs, csoDoNotStoreProcNames}));
    EXPECT_EQ(o.BehaviourOptions(), (TBehaviourOptions{boPauseFrameworkThreads, boDoNotPauseMainThread}));
    EXPECT_EQ(o.LeaksOptions().Bits(), 0x1Eu);  // not in 5.x streams
    EXPECT_EQ(o.AutoCrashOperation(), tbTerminate);
    EXPECT_EQ(o.AutoCrashNumber(), 3);
    EXPECT_EQ(o.AutoCrashMinutes(), 5);
    EXPECT_EQ(o.ShowOptions().Bits(), ConvertOldShowOptions(0, 500));
    // 17 and 18 are not in 5.x streams, though 4.x had them.
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_OKButtonCaption), DefaultMessageText(17));
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_TerminateButtonCaption), DefaultMessageText(18));
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_RestartButtonCaption), "S12");
}

TEST(ShowOptionsOfOlderVersions, OldValuesMoveAndNewOnesComeOn)
{
    auto bits = [](std::initializer_list<int> list) {
        uint64_t b = 0;
        for (int n : list) b |= uint64_t(1) << n;
        return b;
    };
    const uint64_t added5 = bits({5, 9, 12, 13, 14, 15, 22, 23, 24, 25, 33, 34, 35, 40, 47});
    const uint64_t added4 = bits({4, 5, 9, 12, 13, 14, 15, 22, 23, 24, 25, 30, 31, 32, 33, 34, 35, 41, 42, 43, 44, 45,
                                  46, 47});
    const struct {
        uint64_t old;
        uint16_t version;
        uint64_t now;
    } cases[] = {
        {0, 500, added5},
        {bits({0}), 500, added5 | bits({0})},
        {bits({5}), 500, added5 | bits({6})},
        {bits({32}), 500, added5 | bits({46})},
        {0, 420, added4},
        {bits({4}), 450, added4 | bits({6})},
        {0xFFFFFFFF, 401, 0xFFFFFFFFFFFFull},
        {0xFFFFFFFFFFFFFFFFull, 6020, 0xFFFFFFFFFFFFull},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertOldShowOptions(c.old, c.version), c.now) << std::hex << c.old << " v" << std::dec << c.version;
}

TEST_F(OptionsStream, ACutStreamChangesNothingAndPublishesOnce)
{
    CountingOptions source;
    ChangeEveryOption(source);
    std::vector<uint8_t> full = StreamBytes(source);

    CountingOptions target;
    const std::vector<uint8_t> before = StreamBytes(target);
    for (size_t length = 0; length < full.size(); length += (length < 400 ? 1 : 37)) {
        target.Stores = 0;
        std::vector<uint8_t> cut(full.begin(), full.begin() + length);
        EXPECT_THROW(Load(target, cut, 6020), EReadError) << length;
        EXPECT_EQ(target.Stores, 1) << length;
        ASSERT_EQ(StreamBytes(target), before) << length;
    }
    EXPECT_EQ(target.PublishBlockCount(), 0);
}

TEST_F(OptionsStream, FalseLengthsAndCountsAreNotBelieved)
{
    CountingOptions source;
    std::vector<uint8_t> bytes = StreamBytes(source);
    auto patch = [&](size_t at, int32_t v) {
        std::vector<uint8_t> copy = bytes;
        for (int i = 0; i < 4; ++i) copy[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
        return copy;
    };
    CountingOptions target;
    // The SMTPFrom length, at offset 11: far more than the stream holds.
    EXPECT_THROW(Load(target, patch(11, INT32_MAX), 6020), EReadError);
    // A negative length reads as an empty text and the rest follows on.
    StreamBuilder b;
    b.Byte(0).Byte(1).Byte(0).Byte(0).Byte(1).Byte(0).Byte(0).I32(60).I32(-5);
    std::vector<uint8_t> negative = b.Bytes();
    negative.insert(negative.end(), bytes.begin() + 11 + 4 + source.SMTPFrom().size(), bytes.end());
    Load(target, negative, 6020);
    EXPECT_EQ(target.SMTPFrom(), "");

    // A filter count of two thousand million, with no filters behind it.
    CountingOptions withCount;
    // No filters: the count comes right before what follows the filters.
    size_t countAt = bytes.size() - BytesAfterFilters(source) - 4;
    EXPECT_THROW(Load(withCount, patch(countAt, 2000000000), 6020), EReadError);
    EXPECT_EQ(withCount.ExceptionsFilters()->Count(), 0);
}

TEST_F(OptionsStream, UnknownOrdinalsAreNotTaken)
{
    CountingOptions source;
    source.SetForegroundTab(ftModules);
    source.ExceptionsFilters()->Add({true, "EAbort", "", fetAll, fdtMessageBox, fhtRTL, fatTerminate});
    std::vector<uint8_t> bytes = StreamBytes(source);
    // ForegroundTab is the sixth byte; the filter's four type bytes close it,
    // just before EMailMessage, the texts and TextsCollection.
    bytes[5] = 200;
    size_t types = bytes.size() - BytesAfterFilters(source) - 4;
    for (int i = 0; i < 4; ++i) bytes[types + i] = 99;

    CountingOptions o;
    o.SetForegroundTab(ftAssembler);
    Load(o, bytes, 6020);
    EXPECT_EQ(o.ForegroundTab(), ftAssembler);
    ASSERT_EQ(o.ExceptionsFilters()->Count(), 1);
    const TZorvikExceptionFilter& f = *o.ExceptionsFilters()->GetItem(0);
    EXPECT_EQ(f.ExceptionClassName, "EAbort");
    EXPECT_EQ(f.DialogType, fdtUnchanged);
    EXPECT_EQ(f.HandlerType, fhtZorvikLog);
    EXPECT_EQ(f.ActionType, fatNone);
    EXPECT_EQ(o.ExceptionsFilters()->FindMatch({"EAbort"}, false), -1);
}

TEST_F(OptionsStream, FlippedBytesNeverCrash)
{
    CountingOptions source;
    ChangeEveryOption(source);
    const std::vector<uint8_t> full = StreamBytes(source);
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> damaged = full;
        for (int flips = 0; flips < 4; ++flips) damaged[random() % damaged.size()] ^= 1u << (random() % 8);
        CountingOptions target;
        try {
            Load(target, damaged, round % 2 ? 6020 : 450);
        } catch (const EReadError&) {
        }
        EXPECT_EQ(target.PublishBlockCount(), 0);
    }
}

}  // namespace
