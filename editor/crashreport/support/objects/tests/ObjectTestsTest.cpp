#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "editor/crashreport/support/objects/ObjectTests.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "framework/Classes.h"
#include "framework/Exceptions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace {

TQ_EXCEPTION_CLASS(EDerivedAbort, EAbort)

namespace inner {
class TNestedThing : public TPersistent {};
}

struct Mixin {
    virtual ~Mixin() = default;
    int extra = 0;
};
class TMixed : public TComponent, public Mixin {};

// A page that was committed once and then given back to the system.
void* ReleasedPage()
{
#ifdef _WIN32
    void* p = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    VirtualFree(p, 0, MEM_RELEASE);
#else
    void* p = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    munmap(p, 4096);
#endif
    return p;
}

// A page that exists but may not be read.
void* NoAccessPage()
{
#ifdef _WIN32
    return VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
#else
    return mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
#endif
}

// Two pages: the first readable and writable, the second no access.
void* ReadableThenNoAccessPages()
{
#ifdef _WIN32
    void* p = VirtualAlloc(nullptr, 8192, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD old = 0;
    if (p)
        VirtualProtect(static_cast<char*>(p) + 4096, 4096, PAGE_NOACCESS, &old);
#else
    void* p = mmap(nullptr, 8192, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
    mprotect(static_cast<char*>(p) + 4096, 4096, PROT_NONE);
#endif
    return p;
}

} // namespace

TEST(ObjectTests, RealObjectsPassAndNameTheirClasses)
{
    TComponent component;
    EConvertError error("x");
    inner::TNestedThing nested;
    EXPECT_TRUE(ObjectReferenceValid(&component));
    EXPECT_EQ(SafeClassName(&component), "TComponent");
    EXPECT_EQ(SafeClassName(&error), "EConvertError");
    EXPECT_EQ(SafeClassName(&nested), "TNestedThing");
    EXPECT_TRUE(ClassReferenceValid(&typeid(TComponent)));
    EXPECT_EQ(SafeClassNameOf(&typeid(EAbort)), "EAbort");
}

TEST(ObjectTests, AncestorsAreFoundByNameWithoutCase)
{
    TComponent component;
    EConvertError error("x");
    TMixed mixed;
    EXPECT_TRUE(ObjectDescendsFromName(&component, "TObject"));
    EXPECT_TRUE(ObjectDescendsFromName(&component, "  tpersistent "));
    EXPECT_FALSE(ObjectDescendsFromName(&component, "Exception"));
    EXPECT_FALSE(ObjectDescendsFromName(&component, ""));
    EXPECT_TRUE(ObjectDescendsFromName(&error, "Exception"));
    EXPECT_TRUE(ObjectDescendsFromName(&mixed, "Mixin"));     // a second base
    EXPECT_TRUE(ObjectDescendsFromName(&mixed, "TObject"));
    EXPECT_TRUE(ClassDescendsFromName(&typeid(EReadError), "EStreamError"));
    EXPECT_FALSE(ClassDescendsFromName(&typeid(EStreamError), "EReadError"));
    EXPECT_TRUE(ObjectDescendsFromClass(&error, &typeid(Exception)));
    EXPECT_FALSE(ObjectDescendsFromClass(&error, &typeid(EAbort)));
    EXPECT_TRUE(ObjectDescendsFromAny(&error, {&typeid(TComponent), &typeid(std::exception)}));
    EXPECT_TRUE(ClassDescendsFromNameUnchecked(&typeid(EReadError), "Exception"));
    EXPECT_TRUE(ObjectDescendsFromNameUnchecked(&error, "EConvertError"));
    // Classes of the standard library by their own names.
    std::runtime_error standard("s");
    EXPECT_EQ(SafeClassName(&standard), "runtime_error");
    EXPECT_TRUE(ObjectDescendsFromName(&standard, "Exception"));
    EXPECT_FALSE(ObjectDescendsFromName(&standard, "St9exception"));
    // A pointer to a base part of an object still leads to the whole class.
    Mixin* part = &mixed;
    EXPECT_EQ(SafeClassName(part), "TMixed");
}

TEST(ObjectTests, AbortsAreNotReportable)
{
    EAbort abort("a");
    EDerivedAbort derived("d");
    Exception plain("p");
    EXPECT_FALSE(ExceptionObjectReportable(&abort));
    EXPECT_FALSE(ExceptionObjectReportable(&derived));
    EXPECT_TRUE(ExceptionObjectReportable(&plain));
    EXPECT_FALSE(ExceptionObjectReportable(nullptr));
}

TEST(ObjectTests, GarbagePointersAreRejectedWithoutFaults)
{
    std::string text = "a string, not an object of any class";
    const char* chars = text.c_str();
    alignas(16) unsigned char zeros[64] = {};
    alignas(16) unsigned char ones[64];
    std::memset(ones, 0xFF, sizeof ones);
    uintptr_t pointsToItself[4];
    for (auto& w : pointsToItself)
        w = reinterpret_cast<uintptr_t>(&pointsToItself[2]);
    void* released = ReleasedPage();
    void* noAccess = NoAccessPage();
    auto heap = std::make_unique<int[]>(16);
    for (int i = 0; i < 16; ++i)
        heap[i] = i * 7919;

    const void* garbage[] = {
        nullptr, reinterpret_cast<const void*>(1), reinterpret_cast<const void*>(0x13),
        reinterpret_cast<const void*>(UINTPTR_MAX - 2), &text, chars, chars + 3, zeros, ones,
        pointsToItself, released, noAccess, static_cast<const char*>(noAccess) + 4093, heap.get(),
        reinterpret_cast<const void*>(&ObjectReferenceValid),
    };
    for (const void* p : garbage) {
        EXPECT_FALSE(ObjectReferenceValid(p)) << p;
        EXPECT_EQ(SafeClassName(p), "") << p;
        EXPECT_FALSE(ObjectDescendsFromName(p, "TObject")) << p;
        EXPECT_FALSE(ExceptionObjectReportable(p)) << p;
        EXPECT_FALSE(ClassReferenceValid(static_cast<TClassRef>(p))) << p;
        EXPECT_FALSE(ClassDescendsFromName(static_cast<TClassRef>(p), "TObject")) << p;
    }
#ifdef _WIN32
    VirtualFree(noAccess, 0, MEM_RELEASE);
#else
    munmap(noAccess, 4096);
#endif
}

TEST(ObjectTests, AnObjectWhoseTableLeadsToAForeignRecordIsRejected)
{
    // A forged object: its table's class slot names a block that is not a
    // class record (the record kind's own name does not match).
    const char* fakeName = "6TForged";
    uintptr_t fakeKindRecord[2] = {0, reinterpret_cast<uintptr_t>("St9type_info")};
    uintptr_t fakeKindTable[2] = {reinterpret_cast<uintptr_t>(fakeKindRecord), 0};
    uintptr_t fakeRecord[2] = {reinterpret_cast<uintptr_t>(&fakeKindTable[1]), reinterpret_cast<uintptr_t>(fakeName)};
    uintptr_t table[3] = {0, reinterpret_cast<uintptr_t>(fakeRecord), 0};
    uintptr_t object[2] = {reinterpret_cast<uintptr_t>(&table[2]), 0};
    EXPECT_FALSE(ObjectReferenceValid(object));
    EXPECT_EQ(SafeClassName(object), "");

}

TEST(MemoryProbe, BlocksAndImportStubs)
{
    unsigned char block[32] = {};
    EXPECT_TRUE(IsValidBlockAddr(block, sizeof block));
    EXPECT_FALSE(IsValidBlockAddr(nullptr, 4));
    void* noAccess = NoAccessPage();
    EXPECT_FALSE(IsValidBlockAddr(noAccess, 1));
    EXPECT_FALSE(IsValidBlockAddr(ReleasedPage(), 1));

    // 32-bit code: FF 25 <address of slot>: the stub's target is the slot's value.
    unsigned char stub[8] = {0xFF, 0x25, 0, 0, 0, 0, 0x90, 0x90};
    if constexpr (sizeof(void*) == 4) {
        uint32_t slot = 0x00401234;
        const uint32_t s32 = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&slot));
        std::memcpy(stub + 2, &s32, 4);
        EXPECT_EQ(ConvertAddress(reinterpret_cast<uintptr_t>(stub)), 0x00401234u);
        const uint32_t bad = 0x10;
        std::memcpy(stub + 2, &bad, 4);
        EXPECT_EQ(ConvertAddress(reinterpret_cast<uintptr_t>(stub)), reinterpret_cast<uintptr_t>(stub));
    } else {
        // 64-bit code: the operand counts from the stub's end. A slot right
        // after the stub, and one in a page that may not be read.
        unsigned char* pages = static_cast<unsigned char*>(ReadableThenNoAccessPages());
        ASSERT_NE(nullptr, pages);
        const unsigned char slotAfter[] = {0xFF, 0x25, 0, 0, 0, 0};
        std::memcpy(pages, slotAfter, sizeof slotAfter);
        const uintptr_t target = 0x0000123456789ABCu;
        std::memcpy(pages + 6, &target, sizeof target);
        EXPECT_EQ(ConvertAddress(reinterpret_cast<uintptr_t>(pages)), target);
        const int32_t intoNoAccess = 4096 - 6;
        std::memcpy(pages + 2, &intoNoAccess, 4);
        EXPECT_EQ(ConvertAddress(reinterpret_cast<uintptr_t>(pages)), reinterpret_cast<uintptr_t>(pages));
#ifdef _WIN32
        VirtualFree(pages, 0, MEM_RELEASE);
#else
        munmap(pages, 8192);
#endif
    }
    EXPECT_EQ(ConvertAddress(reinterpret_cast<uintptr_t>(block)), reinterpret_cast<uintptr_t>(block));
    EXPECT_EQ(ConvertAddress(0x20), 0x20u);
#ifdef _WIN32
    VirtualFree(noAccess, 0, MEM_RELEASE);
#else
    munmap(noAccess, 4096);
#endif
}
