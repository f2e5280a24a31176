#pragma once
// Extra layout entries through which wide properties can also be read from
// 8-bit string values: the property name plus "W" (UTF-8) and plus "_UTF7".
#include <functional>
#include <string>

class TFiler;
class TReader;
class TPersistent;
struct TPropInfo;

// Off unless a program turns it on; the editor never does.
extern bool RuntimeUTFStreaming;
// True when the reader is reading a component (it has an owner) and
// RuntimeUTFStreaming is on.
bool IsRuntimeUTFReading(TReader& reader);

// Defines, for every published wide-string or wide-character property of the
// instance's class, the entries name + "W" and name + "_UTF7". Both are read
// only: they report no data to write.
void UvxPersistent_AfterInherited_DefineProperties(TFiler* filer, TPersistent* instance);

// Holds the instance and one property while its two entries are defined.
class TUvxWideStringPropertyFiler {
public:
    void DefineProperties(TFiler* filer, TPersistent* instance, const TPropInfo& prop);
};
class TUvxWideCharPropertyFiler {
public:
    void DefineProperties(TFiler* filer, TPersistent* instance, const TPropInfo& prop);
};
