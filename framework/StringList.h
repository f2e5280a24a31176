#pragma once
// TStrings, the abstract list of 8-bit strings with objects, and
// TStringList, the list that keeps them (sorted on request).
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TStream;

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TStrings"; }

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* obj);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& s);
    int AddObject(const std::string& s, TObject* obj);
    void AddStrings(const TStrings& other);
    virtual int IndexOf(const std::string& s) const;
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const TObject* obj) const;
    void Move(int from, int to);
    void Exchange(int a, int b);
    void Assign(const TPersistent* source) override;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }

    std::string operator[](int index) const { return Get(index); }
    std::string Strings(int index) const { return Get(index); }

    // Lines joined by CR LF, each ended by one; setting splits at CR, LF or CR LF.
    std::string Text() const;
    void SetText(const std::string& text);
    std::string CommaText() const;
    void SetCommaText(const std::string& text);
    std::string Names(int index) const;
    std::string Values(const std::string& name) const;
    void SetValues(const std::string& name, const std::string& value);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    bool CaseSensitive = false;

protected:
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;
    std::string ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    int IndexOf(const std::string& s) const override;

    // Binary search of a sorted list: true when found; index is the first
    // equal item or the place where s would go.
    bool Find(const std::string& s, int& index) const;
    void Sort();
    void CustomSort(const std::function<int(TStringList&, int, int)>& compare);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    // When true the list frees the objects it holds.
    bool OwnsObjects = false;
    std::function<void(TObject*)> OnChange;

private:
    struct Item {
        std::string s;
        TObject* obj = nullptr;
    };
    void Check(int index) const;
    std::vector<Item> FItems;
    bool FSorted = false;
};
