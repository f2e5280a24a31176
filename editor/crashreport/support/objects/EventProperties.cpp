#include "editor/crashreport/support/objects/EventProperties.h"

#include "framework/Classes.h"
#include "framework/TypeInfo.h"

bool ReplaceMethodProperty(TPersistent& object, const std::string& propertyName, const std::string& newHandler,
                           std::string& oldHandler)
{
    const TClassInfo* info = object.ClassInfo();
    const TPropInfo* prop = info ? info->Find(propertyName) : nullptr;
    if (!prop || prop->Kind != TTypeKind::tkMethod || !prop->GetStr || !prop->SetStr)
        return false;
    const std::string current = prop->GetStr(object);
    if (current == newHandler)
        return false;
    oldHandler = current;
    prop->SetStr(object, newHandler);
    return true;
}
