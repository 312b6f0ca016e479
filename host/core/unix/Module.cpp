// Modules on POSIX systems: dlopen.
#include "core/Module.h"

#include <dlfcn.h>

namespace host {

void* OpenModule(const std::string& path, std::string* error) {
    // A bare file name would make dlopen search the library path.
    const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
    void* module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module && error) {
        const char* reason = dlerror();
        *error = reason ? reason : "cannot load module";
    }
    return module;
}

void* FindSymbol(void* module, const char* name) {
    return dlsym(module, name);
}

void CloseModule(void* module) {
    dlclose(module);
}

} // namespace host
