#include "editor/unicode/UvxPropertyStreaming.h"

#include "editor/unicode/UvxTextConversions.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/TypeInfo.h"

bool RuntimeUTFStreaming = false;

// Components are never being designed here, so only the owner and the flag count.
bool IsRuntimeUTFReading(TReader& reader) { return reader.Owner() != nullptr && RuntimeUTFStreaming; }

void TUvxWideStringPropertyFiler::DefineProperties(TFiler* filer, TPersistent* instance, const TPropInfo& prop) {
    filer->DefineProperty(
        prop.Name + "W",
        [instance, &prop](TReader& reader) {
            std::u16string value = UTF8ToWideString(reader.ReadString());
            if (IsRuntimeUTFReading(reader)) prop.SetWStr(*instance, value);
        },
        [instance, &prop](TWriter& writer) { writer.WriteString(WideStringToUTF8(prop.GetWStr(*instance))); },
        false);
    filer->DefineProperty(
        prop.Name + "_UTF7",
        [instance, &prop](TReader& reader) {
            std::u16string value = UTF7ToWideString(reader.ReadString());
            if (IsRuntimeUTFReading(reader)) prop.SetWStr(*instance, value);
        },
        [instance, &prop](TWriter& writer) { writer.WriteString(WideStringToUTF7(prop.GetWStr(*instance))); },
        false);
}

void TUvxWideCharPropertyFiler::DefineProperties(TFiler* filer, TPersistent* instance, const TPropInfo& prop) {
    filer->DefineProperty(
        prop.Name + "W",
        [instance, &prop](TReader& reader) {
            TValueType t = reader.NextValue();
            if (t != TValueType::vaString && t != TValueType::vaWString) throw EReadError("Invalid property value");
            std::u16string value = reader.ReadWideString();
            if (value.size() > 1) throw EReadError("Invalid property value");
            prop.SetOrd(*instance, value.empty() ? 0 : value[0]);
        },
        [instance, &prop](TWriter& writer) {
            char16_t c = static_cast<char16_t>(prop.GetOrd(*instance));
            writer.WriteWideString(c ? std::u16string(1, c) : std::u16string());
        },
        false);
    filer->DefineProperty(
        prop.Name + "_UTF7",
        [instance, &prop](TReader& reader) {
            std::u16string value = UTF7ToWideString(reader.ReadString());
            prop.SetOrd(*instance, value.empty() ? 0 : value[0]);
        },
        nullptr, false);
}

void UvxPersistent_AfterInherited_DefineProperties(TFiler* filer, TPersistent* instance) {
    const TClassInfo* info = instance->ClassInfo();
    if (!info) return;
    for (const TPropInfo* prop : info->All()) {
        if (prop->Kind == TTypeKind::tkWString) TUvxWideStringPropertyFiler().DefineProperties(filer, instance, *prop);
        else if (prop->Kind == TTypeKind::tkWChar) TUvxWideCharPropertyFiler().DefineProperties(filer, instance, *prop);
    }
}
