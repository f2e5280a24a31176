#include <gtest/gtest.h>

#include <windows.h>

#include "editor/crashreport/support/hooking/Hooking.h"

// Hooks through tables of addresses (virtual method tables, the import
// tables of modules): no machine code is patched, so these run in programs
// of either pointer size.

// Outside the anonymous namespace: a class only this file can see would let
// the optimiser call its methods directly, past the table the test patches.
class Shape {
public:
    virtual int Sides() { return 3; }
    virtual int Corners() { return 3; }
};

namespace {

class Hooking : public ::testing::Test {
protected:
    void SetUp() override { ZHookInit(); }
    void TearDown() override { ZHookDone(); }
};

// Called as the object's method: on 32-bit x86 "this" arrives in ecx.
#if defined(__i386__)
#define TQ_METHOD __attribute__((thiscall))
#else
#define TQ_METHOD
#endif
int TQ_METHOD FakeSides(Shape*) { return 99; }
int TQ_METHOD OtherSides(Shape*) { return 5; }

__attribute__((noipa)) int SidesOf(Shape* s) { return s->Sides(); }

TEST_F(Hooking, VirtualMethodSlot) {
    Shape shape;
    void** table = *reinterpret_cast<void***>(&shape);
    void* original = table[0];
    EXPECT_EQ(original, HookVirtualMethod(table, 0, reinterpret_cast<void*>(&FakeSides)));
    EXPECT_EQ(99, SidesOf(&shape));
    EXPECT_EQ(3, shape.Corners());
    // Hooked again with the same code: the code it replaced.
    EXPECT_EQ(original, HookVirtualMethod(table, 0, reinterpret_cast<void*>(&FakeSides)));
    EXPECT_TRUE(UnhookVirtualMethod(table, 0));
    EXPECT_EQ(3, SidesOf(&shape));
    EXPECT_FALSE(UnhookVirtualMethod(table, 0));

    // Finishing the unit puts every slot back.
    HookVirtualMethod(table, 0, reinterpret_cast<void*>(&OtherSides));
    EXPECT_EQ(5, SidesOf(&shape));
    ZHookDone();
    EXPECT_EQ(3, SidesOf(&shape));
    EXPECT_EQ(nullptr, HookVirtualMethod(table, 0, reinterpret_cast<void*>(&OtherSides)));
    EXPECT_EQ(3, SidesOf(&shape));
    ZHookInit();

    // A table outside every module is left alone.
    void* heapTable[2] = {original, original};
    EXPECT_EQ(nullptr, HookVirtualMethod(heapTable, 0, reinterpret_cast<void*>(&FakeSides)));
    EXPECT_EQ(original, heapTable[0]);
}

// The optimiser takes an import table entry for a constant and may call the
// same procedure through a register loaded before the hook; these calls read
// the entry afresh each time, as a call from another unit would.
__attribute__((noipa)) DWORD CurrentProcessId() { return GetCurrentProcessId(); }
__attribute__((noipa)) DWORD TickCount() { return GetTickCount(); }

DWORD WINAPI FakeProcessId() { return 4242; }

TEST_F(Hooking, ImportTableEntriesOfTheProgram) {
    const DWORD pid = CurrentProcessId();
    ASSERT_NE(4242u, pid);
    void* real = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetCurrentProcessId"));
    EXPECT_EQ(real, HookDllProcedureEx("", "kernel32.dll", "GetCurrentProcessId", reinterpret_cast<void*>(&FakeProcessId)));
    EXPECT_EQ(4242u, CurrentProcessId());
    ZHookDone();
    EXPECT_EQ(pid, CurrentProcessId());
    ZHookInit();

    void* replaced = nullptr;
    EXPECT_TRUE(TryHookDllProcedureEx({"", "not-loaded-module.dll"}, "KERNEL32", false, replaced,
                                      reinterpret_cast<void*>(&FakeProcessId), "GetCurrentProcessId"));
    EXPECT_EQ(real, replaced);
    EXPECT_EQ(4242u, CurrentProcessId());
}

DWORD WINAPI FrozenTicks() { return 123456; }

TEST_F(Hooking, ImportTableHookOfGetTickCountRedirectsAndRestores) {
    void* real = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
    EXPECT_EQ(real, HookDllProcedureEx("", "KERNEL32.DLL", "GetTickCount", reinterpret_cast<void*>(&FrozenTicks)));
    EXPECT_EQ(123456u, TickCount());
    EXPECT_EQ(123456u, TickCount());
    ZHookDone();
    const DWORD a = TickCount();
    Sleep(20);
    EXPECT_NE(123456u, a);
    EXPECT_GT(TickCount(), a);
    ZHookInit();
}

TEST_F(Hooking, ImportHookErrors) {
    try {
        HookDllProcedureEx("", "kernel32.dll", "NoSuchProcedure", reinterpret_cast<void*>(&FakeProcessId));
        FAIL();
    } catch (const EProcNull& e) {
        EXPECT_STREQ("Cannot hook a null procedure (\"kernel32.dll.NoSuchProcedure\").", e.what());
    }
    // A procedure the program does not import.
    try {
        HookDllProcedureEx("", "kernel32.dll", "Beep", reinterpret_cast<void*>(&FakeProcessId));
        FAIL();
    } catch (const EHookingError& e) {
        EXPECT_STREQ("Cannot hook the procedure \"kernel32.dll.Beep\".", e.what());
    }
    void* replaced = nullptr;
    EXPECT_FALSE(TryHookDllProcedureEx({""}, "kernel32.dll", true, replaced, reinterpret_cast<void*>(&FakeProcessId), "Beep"));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "Beep")), replaced);
}

}  // namespace
