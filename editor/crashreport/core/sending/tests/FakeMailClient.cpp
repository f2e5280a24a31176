// A mail program of the tests, registered for mailto links: it writes the
// command line it was started with (after its own name) into the file named
// by TQ_FAKE_MAIL_RECORD and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    std::string line = GetCommandLineA();
    // Skip the program's own name, quoted or not.
    size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        at = line.find('"', 1);
        at = at == std::string::npos ? line.size() : at + 1;
    } else {
        at = line.find(' ');
        if (at == std::string::npos)
            at = line.size();
    }
    while (at < line.size() && line[at] == ' ')
        ++at;
    char path[MAX_PATH] = "";
    if (GetEnvironmentVariableA("TQ_FAKE_MAIL_RECORD", path, sizeof path) == 0)
        return 2;
    if (FILE* f = std::fopen(path, "wb")) {
        std::fwrite(line.data() + at, 1, line.size() - at, f);
        std::fclose(f);
        return 0;
    }
    return 3;
}
