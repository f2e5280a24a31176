#pragma once
// A small XML writer: elements with attributes, an optional text value and
// child elements, written as indented text.
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TXMLItem;

// The owned children of an element, in the order they were added.
class TXMLItems : public TObject {
public:
    TXMLItems() = default;
    TXMLItems(const TXMLItems&) = delete;
    TXMLItems& operator=(const TXMLItems&) = delete;
    ~TXMLItems() override;
    std::string ClassName() const override { return "TXMLItems"; }

    TXMLItem* AddItem(const std::string& name);
    TXMLItem* GetItem(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
    int Count() const { return static_cast<int>(FItems.size()); }

private:
    std::vector<std::unique_ptr<TXMLItem>> FItems;
};

class TXMLItem : public TObject {
public:
    explicit TXMLItem(const std::string& name);
    TXMLItem(const TXMLItem&) = delete;
    TXMLItem& operator=(const TXMLItem&) = delete;
    std::string ClassName() const override { return "TXMLItem"; }

    const std::string& Name() const { return FName; }
    const std::string& Value() const { return FValue; }
    TXMLItem* Parent() const { return FParent; }
    TXMLItems& Items() { return FItems; }

    void AddField(const std::string& name, const std::string& value);
    TXMLItem* AddItem(const std::string& name);
    void SetValue(const std::string& value);

    // Markup characters, control characters and codes from 127 on become
    // three-digit character references ("&#013;").
    static std::string EncodedString(const std::string& text);
    void AppendXMLText(std::string& text);
    std::string GetXMLText();
    // The file is created or replaced; every line ends with CR LF.
    void SaveXMLToFile(const std::string& fileName);

private:
    std::string FName;
    std::string FValue;
    std::string FEncodedValue;
    std::string FFields;
    std::string FIndent;
    TXMLItems FItems;
    TXMLItem* FParent = nullptr;
};
