#include "Module.h"

#include "Text.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {

#if defined(_WIN32)

void* OpenModule(const std::string& path, std::string* error) {
    HMODULE module = LoadLibraryW(UTF8ToWide(path).c_str());
    if (!module && error)
        *error = "cannot load module (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void CloseModule(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

#else

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

#endif

} // namespace host
