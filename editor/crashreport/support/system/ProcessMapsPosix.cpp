#include "editor/crashreport/support/system/ProcessMaps.h"

#include <sys/mman.h>

#include <cstdio>

bool FindMapping(uintptr_t address, uintptr_t& end, int& protection)
{
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps)
        return false;
    bool found = false;
    char line[512];
    while (!found && std::fgets(line, sizeof(line), maps)) {
        unsigned long long from = 0, to = 0;
        char perms[8] = "";
        if (std::sscanf(line, "%llx-%llx %7s", &from, &to, perms) == 3 && address >= from && address < to) {
            end = static_cast<uintptr_t>(to);
            protection = (perms[0] == 'r' ? PROT_READ : 0) | (perms[1] == 'w' ? PROT_WRITE : 0) |
                         (perms[2] == 'x' ? PROT_EXEC : 0);
            found = true;
        }
    }
    std::fclose(maps);
    return found;
}
