// The log and its XML copy on disk.
#include <windows.h>

#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/log/XmlBuilder.h"
#include "framework/StringList.h"
#include "framework/WinStreams.h"

namespace {

bool FileThere(const std::string& name)
{
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Written as a string list writes its lines: each one ends with CR LF.
void SaveLines(const std::string& text, const std::string& fileName)
{
    TStringList lines;
    lines.SetText(text);
    TFileStream stream(fileName, fmCreate);
    lines.SaveToStream(stream);
}

}  // namespace

TLogFile::TLogFile(const std::string& fileName, bool readOnly) : FFileName(fileName)
{
    GetWorkingFile(FFileName, true, readOnly);
    if (!FileThere(FFileName))
        return;
    FStream = std::make_unique<TFileStream>(FFileName,
                                            static_cast<uint16_t>((readOnly ? fmOpenRead : fmOpenReadWrite) | fmShareDenyNone));
    LoadFromStream(*FStream);
}

void TLogFile::Save()
{
    if (!FStream)
        FStream = std::make_unique<TFileStream>(FFileName, fmCreate);
    FStream->SetPosition(0);
    SaveToStream(*FStream);
    FStream->SetSize(FStream->Position());
}

void TLogFile::SaveXMLCopy(const std::string& fileName) const
{
    SaveLines(GetXML(), fileName);
}

void TXMLItem::SaveXMLToFile(const std::string& fileName)
{
    SaveLines(GetXMLText(), fileName);
}
