#pragma once
// TStrings, the abstract list of 8-bit strings with objects, and
// TStringList, the list that keeps them (sorted on request).
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TStream;
class TFiler;

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
    virtual int AddObject(const std::string& s, TObject* obj);
    void Append(const std::string& s) { Add(s); }
    void InsertObject(int index, const std::string& s, TObject* obj);
    void AddStrings(const TStrings& other);
    // Same count and the same strings in the same order (objects are not compared).
    bool Equals(const TStrings& other) const;
    virtual int Capacity() const { return Count(); }
    virtual void SetCapacity(int) {}
    virtual int IndexOf(const std::string& s) const;
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const TObject* obj) const;
    void Move(int from, int to);
    void Exchange(int a, int b);
    void Assign(const TPersistent* source) override;
    // Nested; the list hears SetUpdateState(true) at the first and false at the last.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // BeginUpdate now, EndUpdate when the scope ends, also by an exception.
    class UpdateScope {
    public:
        explicit UpdateScope(TStrings& list) : FList(list) { FList.BeginUpdate(); }
        ~UpdateScope() { FList.EndUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;
    private:
        TStrings& FList;
    };

    std::string operator[](int index) const { return Get(index); }
    std::string Strings(int index) const { return Get(index); }

    // Lines joined by CR LF, each ended by one; setting splits at CR, LF or CR LF.
    std::string Text() const;
    void SetText(const std::string& text);
    std::string CommaText() const;
    void SetCommaText(const std::string& text);
    // Items joined by Delimiter; quoted with QuoteChar when they hold blanks,
    // delimiters or quotes. Setting splits the same way.
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& text);
    char Delimiter = ',';
    char QuoteChar = '"';
    char NameValueSeparator = '=';
    std::string Names(int index) const;
    std::string Values(const std::string& name) const;
    void SetValues(const std::string& name, const std::string& value);
    std::string ValueFromIndex(int index) const;
    // The lines travel in layouts as the list entry "Strings".
    void DefineProperties(TFiler* filer) override;

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    bool CaseSensitive = false;

protected:
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    virtual void SetUpdateState(bool updating) {}
    int FUpdateCount = 0;

private:
    std::string JoinDelimited(char delimiter, char quote) const;
    void SplitDelimited(const std::string& text, char delimiter, char quote);
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
    void SetCaseSensitive(bool value);
    int Capacity() const override { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int capacity) override;
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    // When true the list frees the objects it holds.
    bool OwnsObjects = false;
    // Told before and after every change, except while an update is open.
    std::function<void(TObject*)> OnChange;
    std::function<void(TObject*)> OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        std::string s;
        TObject* obj = nullptr;
    };
    void Check(int index) const;
    std::vector<Item> FItems;
    bool FSorted = false;
};
