// Where the running program lives: its language file, skins and sibling programs are beside it.
#pragma once

#include <windows.h>

#include <string>

namespace k2q::win {

// Full path of a module's file (the program's own when module is null).
std::wstring ModuleFilePath(HMODULE module = nullptr);

// The program's drive and folder, with the trailing backslash.
std::wstring ModuleFolder(HMODULE module = nullptr);

}  // namespace k2q::win
