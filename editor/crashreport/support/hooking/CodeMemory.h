#pragma once
// Code memory of the hooks: blocks for trampolines and writes into code that
// runs. The one place where the hooks meet the system's memory protection,
// so that the hooks themselves build and run on every platform.
#include <cstddef>
#include <string>

// Size of one trampoline block.
constexpr size_t kCodeBlockSize = 4096;

// A readable, writable and executable block of kCodeBlockSize bytes, in
// 64-bit programs within reach of a 32-bit displacement from `around` (2 GiB
// either way, the whole block) where there is room, elsewhere otherwise; null
// when none can be had.
void* AllocateCode(const void* around);
void FreeCode(void* block);

// Copies bytes into code: made writable, copied, protection restored and the
// instruction cache flushed.
bool WriteCode(void* at, const void* bytes, size_t count);

// The file of the module the address lies in; empty outside any.
std::string ModuleFileOf(const void* address);

// True where no process may patch: the area above 2 GB that the Windows 9x
// family shares between processes.
bool IsSharedAreaAddress(const void* address);
