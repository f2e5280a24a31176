// Option files: the options stream, as it stands, in a file of its own.
#include <cerrno>
#include <cstring>

#include "editor/crashreport/support/files/LocalFiles.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

void TZorvikModuleOptions::SaveToFile(const std::string& fileName)
{
    TMemoryStream data;
    SaveToStream(data);
    std::FILE* file = CreateFileAlways(fileName);
    if (file == nullptr) throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    bool written = std::fwrite(data.Memory(), 1, data.Bytes().size(), file) == data.Bytes().size();
    // A full disk shows up at the flush as often as at the write.
    written = std::fclose(file) == 0 && written;
    if (!written) throw EWriteError("Stream write error");
}

void TZorvikModuleOptions::LoadFromFile(const std::string& fileName)
{
    // Read whole, with others kept from writing meanwhile, then interpreted.
    std::vector<uint8_t> bytes;
    errno = 0;
    if (!ReadWholeFile(fileName, bytes))
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno ? errno : EIO));
    TMemoryStream data;
    if (!bytes.empty()) data.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    data.SetPosition(0);
    LoadFromStream(data);
}
