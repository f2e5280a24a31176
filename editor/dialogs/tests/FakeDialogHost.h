#pragma once
// A main window for the editors' tests: a real document, the English texts,
// and a record of what the editors asked of the window.
#include <string>
#include <vector>

#include "editor/dialogs/DialogHost.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/tests/DocumentTestSupport.h"

class FakeDialogHost : public DialogHost {
public:
    FakeDialogHost() { LoadEnglishPackFromSources(); }
    TDataFile& Document() override { return doc; }
    bool ReadOnly() const override { return readOnly; }
    int FirstByteNumber() const override { return firstByteNumber; }
    std::string Text(const char* key) const override { return LanguageSystem.getText(key); }
    void SetModified() override { ++modified; }
    void SelectRange(int32_t first, int32_t last) override {
        selFirst = first;
        selLast = last;
    }
    void RepaintSelection() override { ++selectionRepaints; }
    void RepaintAll() override { ++fullRepaints; }
    void GotoPosition(int32_t position) override { gotoPositions.push_back(position); }
    void Tell(const std::string& text, const std::string&) override { told.push_back(text); }
    bool Ask(const std::string& text, const std::string&, const std::string&, const std::string&) override {
        told.push_back(text);
        return answer;
    }

    void Load(const std::vector<uint8_t>& bytes) {
        SetBytes(doc, bytes);
        doc.clearUndo();
    }

    TDataFile doc;
    bool readOnly = false;
    int firstByteNumber = 0;
    int modified = 0, selectionRepaints = 0, fullRepaints = 0;
    int32_t selFirst = -1, selLast = -1;
    std::vector<int32_t> gotoPositions;
    std::vector<std::string> told;
    bool answer = true;
};
