#pragma once
// Environment references (%UserName%) in the component's texts and paths.
#include <functional>
#include <string>

// The process environment's value of `name`. Undefined "date", "time" and
// "cd" (any case) give the current date, time and folder; others "".
std::string GetEnvVariable(const std::string& name);

// Replaces every %name% (name of letters, digits and "_") by its value; a
// "%" not closed that way stays. `lookup` defaults to GetEnvVariable.
std::string ExpandEnvVars(const std::string& text,
                          const std::function<std::string(const std::string&)>& lookup = GetEnvVariable);
