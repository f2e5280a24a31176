#pragma once
// TWideStrings: the abstract list of wide (UTF-16) strings with objects, the
// wide counterpart of TStrings.
#include <string>

#include "framework/Classes.h"

class TStream;
class TFiler;

class TWideStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TWideStrings"; }

    virtual int Count() const = 0;
    virtual std::u16string Get(int index) const = 0;
    virtual void Put(int index, const std::u16string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* obj);
    virtual void Insert(int index, const std::u16string& s) = 0;
    virtual void InsertObject(int index, const std::u16string& s, TObject* obj);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::u16string& s);
    virtual int AddObject(const std::u16string& s, TObject* obj);
    virtual void Exchange(int a, int b);
    virtual int IndexOf(const std::u16string& s) const;
    virtual int IndexOfName(const std::u16string& name) const;
    int IndexOfObject(const TObject* obj) const;
    void AddStrings(const TWideStrings& other);
    virtual void Move(int from, int to);
    bool Equals(const TWideStrings& other) const;
    void Assign(const TPersistent* source) override;
    virtual int Capacity() const { return Count(); }
    virtual void SetCapacity(int) {}

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // BeginUpdate now, EndUpdate when the scope ends, also by an exception.
    class UpdateScope {
    public:
        explicit UpdateScope(TWideStrings& list) : FList(list) { FList.BeginUpdate(); }
        ~UpdateScope() { FList.EndUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;
    private:
        TWideStrings& FList;
    };

    std::u16string operator[](int index) const { return Get(index); }
    // Lines joined by CR LF, each ended by one; setting splits at CR, LF or CR LF.
    virtual std::u16string Text() const;
    virtual void SetText(const std::u16string& text);
    std::u16string Names(int index) const;
    std::u16string Values(const std::u16string& name) const;
    void SetValues(const std::u16string& name, const std::u16string& value);
    std::u16string ValueFromIndex(int index) const;
    char16_t NameValueSeparator = u'=';

    // Raw UTF-16 little endian, no byte-order mark.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    // The lines travel in layouts as the list entry "Strings" of wide strings.
    void DefineProperties(TFiler* filer) override;

protected:
    virtual int CompareStrings(const std::u16string& a, const std::u16string& b) const;
    virtual void SetUpdateState(bool updating) {}
    int FUpdateCount = 0;
};
