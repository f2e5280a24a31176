// The events: the order of their handlers, the flags they pass on, the
// exported entries' import of another module's record and the lists.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "framework/StringList.h"

namespace {

class Events : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearEventVariables();
        EventBridge() = TEventBridge();
        EventValues() = TEventValues();
        EventValues().Record.ExceptionClass = "EOwn";
    }
    void TearDown() override
    {
        ClearEventVariables();
        EventBridge() = TEventBridge();
    }
    std::vector<std::string> calls;
};

TEST_F(Events, ComponentsLastMadeFirstThenTheGlobalVariable)
{
    auto first = std::make_unique<TZorvikLog>();
    auto second = std::make_unique<TZorvikLog>();
    first->OnExceptionNotify = [&](TZorvikExceptionRecord&, bool& handled) {
        calls.push_back("first " + std::to_string(handled));
    };
    second->OnExceptionNotify = [&](TZorvikExceptionRecord& r, bool& handled) {
        calls.push_back("second " + r.ExceptionClass);
        handled = false;
    };
    ExceptionNotify = [&](TZorvikExceptionRecord&, bool& handled) { calls.push_back("global " + std::to_string(handled)); };
    HandledExceptionNotify = [&](TZorvikExceptionRecord&, bool&) { calls.push_back("handled-global"); };
    RaiseExceptionNotify(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"second EOwn", "first 0", "global 0"}));
    EXPECT_FALSE(EventValues().Handled);
    calls.clear();
    RaiseExceptionNotify(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"handled-global"}));
}

TEST_F(Events, AFreedComponentIsNoLongerCalled)
{
    auto keep = std::make_unique<TZorvikLog>();
    auto* gone = new TZorvikLog();
    keep->OnExceptionActionNotify = [&](TZorvikExceptionRecord&, TZorvikActionType a, bool&) {
        calls.push_back("keep " + std::to_string(a));
    };
    gone->OnExceptionActionNotify = [&](TZorvikExceptionRecord&, TZorvikActionType, bool& execute) {
        execute = false;
        calls.push_back("gone");
    };
    RaiseActionNotify(atSavingLogFile);
    EXPECT_FALSE(EventValues().Execute);
    delete gone;
    EXPECT_EQ(ZorvikLogComponents().size(), 1u);
    calls.clear();
    RaiseActionNotify(atSavedLogFile);
    EXPECT_EQ(calls, (std::vector<std::string>{"keep 3"}));
}

TEST_F(Events, RunnerAndReloadAroundEveryEvent)
{
    int runs = 0, reloads = 0;
    EventBridge().RunOnFaultingThread = [&](const std::function<void()>& call) {
        ++runs;
        call();
    };
    EventBridge().ReloadOptions = [&] { ++reloads; };
    ExceptionErrorNotify = [&](TZorvikExceptionRecord&, TZorvikActionType a, bool& retry) { retry = a == atSentEmail; };
    RaiseErrorNotify(atSentEmail);
    EXPECT_TRUE(EventValues().Retry);
    RaiseCustomButtonClick();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(reloads, 2);
}

TEST_F(Events, AHandlerThatRaisesIsSwallowed)
{
    ExceptionNotify = [&](TZorvikExceptionRecord&, bool&) { throw std::runtime_error("handler"); };
    EXPECT_NO_THROW(RaiseExceptionNotify(false));
}

// An entry of another module: the first call goes there, with the record;
// its changes of the flag reach this module's handlers.
bool foreignCalled = false;
void ForeignNotify(const TZorvikExceptionRecord* record, bool* handled)
{
    foreignCalled = record && record->ExceptionClass == "EOwn";
    *handled = false;
}

TEST_F(Events, TheModuleOfTheExceptionHearsFirst)
{
    foreignCalled = false;
    EventValues().Record.ExceptionAddress = 0x1234;
    EventBridge().ForeignEntry = [](uintptr_t address, const char* name) -> void* {
        return address == 0x1234 && std::string(name) == "ZorvikLog_ExceptionNotifyEvent"
                   ? reinterpret_cast<void*>(&ForeignNotify)
                   : nullptr;
    };
    bool seen = true;
    ExceptionNotify = [&](TZorvikExceptionRecord&, bool& handled) { seen = handled; };
    RaiseExceptionNotify(false);
    EXPECT_TRUE(foreignCalled);
    EXPECT_FALSE(seen);
}

TEST_F(Events, AnEntryImportsTheRecordAndPutsTheOwnBack)
{
    TZorvikExceptionRecord theirs;
    theirs.ExceptionClass = "ETheirs";
    std::string seenClass;
    ExceptionNotify = [&](TZorvikExceptionRecord& r, bool& handled) {
        seenClass = r.ExceptionClass;
        handled = false;
    };
    bool handled = true;
    ExceptionNotifyEntry(theirs, false, handled);
    EXPECT_EQ(seenClass, "ETheirs");
    EXPECT_FALSE(handled);
    EXPECT_EQ(EventValues().Record.ExceptionClass, "EOwn");
}

TEST_F(Events, ListEntriesWorkOnACopyOfTheCallersList)
{
    TStringList theirs;
    theirs.Add("From=them");
    CustomDataRequest = [](TZorvikExceptionRecord&, TStrings& lines) { lines.Add("Seat=12"); };
    ListRequestEntry(TZorvikExceptionRecord(), TListEvent::CustomData, theirs);
    EXPECT_EQ(theirs.Count(), 1);
    ASSERT_EQ(CustomDataLines().Count(), 2);
    EXPECT_EQ(CustomDataLines().Get(1), "Seat=12");
}

TEST_F(Events, PasswordsCrossModulesCutTo255)
{
    PasswordRequest = [](TZorvikExceptionRecord&, std::string& password) {
        password = password + std::string(300, 'x');
    };
    unsigned char buffer[256] = {2, 'a', 'b'};
    PasswordRequestEntry(nullptr, buffer, 255);
    EXPECT_EQ(buffer[0], 255);
    EXPECT_EQ(buffer[1], 'a');
    EXPECT_EQ(buffer[255], 'x');
    unsigned char small[256] = {0};
    PasswordRequestEntry(nullptr, small, 10);
    EXPECT_EQ(small[0], 10);
}

// Another module offering only the older password entry.
void OldPasswordEntry(unsigned char* buffer, int)
{
    buffer[0] = 3;
    buffer[1] = 'o';
    buffer[2] = 'l';
    buffer[3] = 'd';
}

TEST_F(Events, TheOlderPasswordEntryServesWithoutTheNewerOne)
{
    EventBridge().ForeignEntry = [](uintptr_t, const char* name) -> void* {
        return std::string(name) == "ZorvikLog_PasswordRequestEvent" ? reinterpret_cast<void*>(&OldPasswordEntry)
                                                                       : nullptr;
    };
    std::string password = "mine";
    EXPECT_TRUE(RequestModulePassword(0x5000, password));
    EXPECT_EQ(password, "old");
    EventBridge().ForeignEntry = [](uintptr_t, const char*) -> void* { return nullptr; };
    EXPECT_FALSE(RequestModulePassword(0x5000, password));
}

}  // namespace
