#include "editor/crashreport/support/log/XmlBuilder.h"

TXMLItems::~TXMLItems()
{
    while (!FItems.empty())
        FItems.pop_back();
}

TXMLItem* TXMLItems::AddItem(const std::string& name)
{
    FItems.push_back(std::make_unique<TXMLItem>(name));
    return FItems.back().get();
}

TXMLItem::TXMLItem(const std::string& name) : FName(name) {}

void TXMLItem::AddField(const std::string& name, const std::string& value)
{
    FFields += " " + name + "=\"" + EncodedString(value) + "\"";
}

TXMLItem* TXMLItem::AddItem(const std::string& name)
{
    TXMLItem* item = FItems.AddItem(name);
    item->FParent = this;
    return item;
}

void TXMLItem::SetValue(const std::string& value)
{
    if (value == FValue)
        return;
    FValue = value;
    FEncodedValue = EncodedString(value);
}

std::string TXMLItem::EncodedString(const std::string& text)
{
    std::string out(text.size() * 6, '\0');
    size_t used = 0;
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 32 || c == '"' || c == '&' || c == '\'' || c == '<' || c == '>' || c >= 127) {
            out[used++] = '&';
            out[used++] = '#';
            out[used++] = static_cast<char>('0' + c / 100);
            out[used++] = static_cast<char>('0' + c / 10 % 10);
            out[used++] = static_cast<char>('0' + c % 10);
            out[used++] = ';';
        } else {
            out[used++] = ch;
        }
    }
    out.resize(used);
    return out;
}

void TXMLItem::AppendXMLText(std::string& text)
{
    text += FIndent + "<" + FName + FFields;
    if (FValue.empty() && FItems.Count() == 0) {
        text += "/>\r\n";
        return;
    }
    text += ">" + FEncodedValue;
    if (FItems.Count() > 0) {
        text += "\r\n";
        for (int i = 0; i < FItems.Count(); ++i) {
            TXMLItem* child = FItems.GetItem(i);
            child->FIndent = FIndent + "  ";
            child->AppendXMLText(text);
        }
        text += FIndent;
    }
    text += "</" + FName + ">\r\n";
}

std::string TXMLItem::GetXMLText()
{
    std::string text;
    FIndent.clear();  // the element asked for stands at the left margin
    AppendXMLText(text);
    return text;
}
