#pragma once
// A document, a main window and both windows' logic for the search tests.
#include <string>
#include <vector>

#include "editor/dialogs/FindReplace.h"
#include "editor/dialogs/SearchWindowLogic.h"
#include "editor/document/DataFile.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/tests/FakeEditorView.h"

class FakeReplaceControls : public ReplaceWindowControls {
public:
    bool Visible() const override { return Shown; }
    void SetFoundText(const std::string& text) override { Found = text; }
    void SetReplacedText(const std::string& text) override { Replaced = text; }
    void SetReplaceAllCaption(const std::string& caption) override { AllCaption = caption; }
    void ShowEndReached(bool shown) override { EndReached = shown; }
    void ShowProgress(int percent) override { Progress.push_back(percent); }

    bool Shown = true;
    std::string Found, Replaced, AllCaption;
    bool EndReached = false;
    std::vector<int> Progress;
};

class SearchFixture {
public:
    SearchFixture() { LoadEnglishPackFromSources(); }
    void Load(const std::string& text, int32_t cursor = 0) {
        SetBytes(doc, Text(text));
        doc.clearUndo();
        view.Cursor = cursor;
        view.Selected = false;
    }
    std::string Contents() const { return std::string(doc.data, doc.data + doc.size); }

    TDataFile doc;
    FakeEditorView view{doc};
    TSearchState state;
    TFindReplace finder{doc, view, state};
    TSearchWindowLogic search{doc, view, state, finder};
    FakeReplaceControls controls;
};
