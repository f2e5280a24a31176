#pragma once
// File names the tests give to module handles that no loader knows (a
// handle of a module that was never loaded): they come before the loader's.
#include <cstdint>
#include <string>

// False when the tests gave the module no name.
bool GivenDebugModuleFileName(uintptr_t module, std::string& fileName);
