#pragma once
// Replacing a published event of an object: the component puts its own
// handler in place and keeps the one it replaced, to call it in turn.
#include <string>

class TPersistent;

// Finds the published event `propertyName` of the object; when its handler
// differs from `newHandler`, `oldHandler` receives the current one and the
// event is set to `newHandler`. No such event: nothing changes. True when
// the event was replaced.
bool ReplaceMethodProperty(TPersistent& object, const std::string& propertyName, const std::string& newHandler,
                           std::string& oldHandler);
