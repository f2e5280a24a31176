#pragma once
// The three registers a capture needs from a thread context, by the width of
// the program: instruction, stack and frame pointer (Eip/Esp/Ebp in 32-bit
// code, Rip/Rsp/Rbp in 64-bit code).
#include <windows.h>

#include <cstdint>

inline uintptr_t ContextIp(const CONTEXT& c)
{
#if defined(_WIN64)
    return static_cast<uintptr_t>(c.Rip);
#else
    return static_cast<uintptr_t>(c.Eip);
#endif
}

inline uintptr_t ContextSp(const CONTEXT& c)
{
#if defined(_WIN64)
    return static_cast<uintptr_t>(c.Rsp);
#else
    return static_cast<uintptr_t>(c.Esp);
#endif
}

inline uintptr_t ContextFp(const CONTEXT& c)
{
#if defined(_WIN64)
    return static_cast<uintptr_t>(c.Rbp);
#else
    return static_cast<uintptr_t>(c.Ebp);
#endif
}

// The control and integer registers: what GetThreadContext is asked for.
constexpr DWORD CaptureContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
