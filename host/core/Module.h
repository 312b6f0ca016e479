// Loading a module file: dlopen natively, LoadLibraryW on Windows.
#pragma once

#include <string>

namespace host {

// nullptr on failure, with the system's reason in *error.
void* OpenModule(const std::string& path, std::string* error);
void* FindSymbol(void* module, const char* name);
void CloseModule(void* module);

} // namespace host
