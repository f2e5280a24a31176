#pragma once
// Wide string lists that read text files in four encodings (told by the
// byte-order mark) and write UTF-16 LE with FF FE, and an 8-bit view of a wide
// list through a code page.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/unicode/UvxTextCharSet.h"
#include "framework/StringList.h"
#include "framework/WideStrings.h"

// An 8-bit list that streams through a chosen code page.
class TAnsiStrings : public TStrings {
public:
    std::string ClassName() const override { return "TAnsiStrings"; }
    virtual void LoadFromStreamEx(TStream& stream, uint32_t codePage) = 0;
    virtual void SaveToStreamEx(TStream& stream, uint32_t codePage) = 0;
    // Files by wide name (Windows build).
    void LoadFromFile(const std::u16string& fileName);
    void SaveToFile(const std::u16string& fileName);
    void LoadFromFileEx(const std::u16string& fileName, uint32_t codePage);
    // With code page 65001 the file starts with the UTF-8 mark EF BB BF.
    void SaveToFileEx(const std::u16string& fileName, uint32_t codePage);
};

// Shows a wide list as 8-bit text in a code page (0: the system's).
class TAnsiStringsForWideStringsAdapter : public TAnsiStrings {
public:
    TAnsiStringsForWideStringsAdapter(TWideStrings& wideStrings, uint32_t codePage = 0);
    std::string ClassName() const override { return "TAnsiStringsForWideStringsAdapter"; }
    virtual uint32_t AdapterCodePage() const;

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void LoadFromStreamEx(TStream& stream, uint32_t codePage) override;
    void SaveToStreamEx(TStream& stream, uint32_t codePage) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    TWideStrings& FWide;
    uint32_t FCodePage;
};

class TUvxStrings : public TWideStrings {
public:
    TUvxStrings();
    ~TUvxStrings() override;
    std::string ClassName() const override { return "TUvxStrings"; }

    TAnsiStrings& AnsiStrings() { return *FAnsiStrings; }
    // Takes the other list's lines through the 8-bit view.
    void SetAnsiStrings(const TStrings& value);
    TextCharSet DetectedCharSet() const { return FDetectedCharSet; }

    void LoadFromStream(TStream& stream) override { LoadFromStream_BOM(stream, true); }
    void SaveToStream(TStream& stream) const override { SaveToStream_BOM(stream, true); }
    // Without the mark the bytes are taken as UTF-16 LE.
    virtual void LoadFromStream_BOM(TStream& stream, bool withBOM);
    // Always UTF-16 LE; the mark FF FE first when withBOM.
    virtual void SaveToStream_BOM(TStream& stream, bool withBOM) const;
    // Files by wide name (Windows build).
    void LoadFromFile(const std::u16string& fileName);
    void SaveToFile(const std::u16string& fileName) const;

    // The framework's "Strings", then the read-only "WideStrings",
    // "WideStringsW" (UTF-8) and "WideStrings_UTF7".
    void DefineProperties(TFiler* filer) override;

protected:
    TextCharSet FDetectedCharSet = tcsUtf16LE;

private:
    void SetLines(const std::vector<std::u16string>& lines);
    std::unique_ptr<TAnsiStringsForWideStringsAdapter> FAnsiStrings;
};

class TUvxStringList : public TUvxStrings {
public:
    TUvxStringList() = default;
    ~TUvxStringList() override;
    std::string ClassName() const override { return "TUvxStringList"; }

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::u16string Get(int index) const override;
    void Put(int index, const std::u16string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    int Capacity() const override { return FCapacity; }
    void SetCapacity(int capacity) override;
    int Add(const std::u16string& s) override;
    int AddObject(const std::u16string& s, TObject* obj) override;
    void Clear() override;
    void Delete(int index) override;
    void Exchange(int a, int b) override;
    int IndexOf(const std::u16string& s) const override;
    int IndexOfName(const std::u16string& name) const override;
    void Insert(int index, const std::u16string& s) override;
    void InsertObject(int index, const std::u16string& s, TObject* obj) override;

    // Bisection over a sorted list: true when found; index is the first equal
    // entry or the place where s would go.
    virtual bool Find(const std::u16string& s, int& index) const;
    virtual void Sort();
    // compare(list, i, j) < 0 when entry i goes before entry j.
    virtual void CustomSort(const std::function<int(TUvxStringList&, int, int)>& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    std::function<void(TObject*)> OnChange;
    std::function<void(TObject*)> OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int index, const std::u16string& s, TObject* obj);
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::u16string& a, const std::u16string& b) const override;

private:
    struct Item {
        std::u16string s;
        TObject* obj = nullptr;
    };
    void Check(int index) const;
    void Grow();
    void ExchangeItems(int a, int b);
    void QuickSort(int l, int r, const std::function<int(TUvxStringList&, int, int)>& compare);

    std::vector<Item> FItems;
    int FCapacity = 0;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FUpdating = false;
};
