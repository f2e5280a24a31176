#pragma once
// Where the development environment keeps its settings: its registry key,
// which names the product, and the product's key as the environment's own
// command line may change it.
#include <string>
#include <vector>

// The product key outside the environment (and inside it without "-R").
extern const char* const DefaultRADProductKey;

// The environment's registry key below a root key: "\Software\" + product
// key + "\" + version. Inside the environment an argument "-R" names another
// product key: the rest of that argument, or the next argument when the rest
// is empty ("-R" in either case). Outside it the arguments are not read.
std::string RADRegistryKeyFor(bool insideIDE, const std::vector<std::string>& arguments);
