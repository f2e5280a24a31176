#include "framework/TypeInfo.h"

#include "framework/SysUtils.h"

const TPropInfo* TClassInfo::Find(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, std::string(name))) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::All() const {
    std::vector<const TPropInfo*> out;
    if (Parent) out = Parent->All();
    for (const TPropInfo& p : Props) {
        bool replaced = false;
        for (auto& q : out)
            if (SameText(q->Name, p.Name)) {
                q = &p;
                replaced = true;
            }
        if (!replaced) out.push_back(&p);
    }
    return out;
}
