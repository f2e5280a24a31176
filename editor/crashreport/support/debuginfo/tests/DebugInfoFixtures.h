#pragma once
// Debug information in the other toolchain's formats, made by the tests: a
// text map, a TD32 block and a compact binary block, each describing the
// same small program (units System and Unit1).
#include <cstdint>
#include <string>
#include <vector>

// System at 0x000-0x100 with System.Foo at 0x10 and line 12 at 0xE0; Unit1
// at 0x100-0x180 with TForm1.Button1Click at 0x100 (lines 30, 31 at 0x100,
// 0x108) and Helper at 0x140 (line 36 at 0x180).
std::string MapFixture();

struct TD32Options {
    const char* Signature = "FB0A";
    uint32_t Distance = 0;  // 0: the true size
    bool SelfChained = false;
    uint16_t EntrySize = 12;
};
// Unit1: segment 0x100 + 0x100; Button1Click (mangled) at 0x100 size 0x40,
// PlainProc at 0x140 size 0x20; Unit1.pas lines 10, 12, 20 at 0x100, 0x110,
// 0x140, range 0x100-0x200.
std::vector<uint8_t> TD32Fixture(const TD32Options& options = {});

struct JdbgOptions {
    bool ChecksumValid = false;
    uint32_t Checksum = 0;
};
// Units System at 0 and Unit1 at 0x100; sources System.pas, Unit1.pas;
// symbols Foo (System) at 0x10, TForm1.Button1Click at 0x100 and Helper
// (no second name, its first name stored in the "@" form) at 0x140; lines
// 12 at 0xE0, 30 at 0x100, 31 at 0x108, 36 at 0x180.
std::vector<uint8_t> JdbgFixture(const JdbgOptions& options = {});
