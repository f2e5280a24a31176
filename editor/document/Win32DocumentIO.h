#pragma once
// The document's file access on Windows: files by wide name through the
// Unicode layer, one ReadFile or WriteFile call each way, and the system's
// message box for file errors.
#include "editor/document/DocumentIO.h"

class Win32DocumentIO : public DocumentIO {
public:
    static Win32DocumentIO& Instance();
    std::unique_ptr<DocumentFile> openForReading(const std::u16string& name) override;
    std::unique_ptr<DocumentFile> createForWriting(const std::u16string& name) override;
    void showFileError(const std::string& text, const std::u16string& fileName, const std::string& caption) override;
};
