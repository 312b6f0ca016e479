// Loading a module file: dlopen natively (unix/Module.cpp), LoadLibraryW on
// Windows (windows/Module.cpp).
#pragma once

#include "SDKTypes.h"

#include <string>

namespace host {

// nullptr on failure, with the system's reason in *error.
OPAL_SDK_API void* OpenModule(const std::string& path, std::string* error);
OPAL_SDK_API void* FindSymbol(void* module, const char* name);
OPAL_SDK_API void CloseModule(void* module);

} // namespace host
