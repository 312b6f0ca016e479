// Modules on Windows: LoadLibraryW, with the module's calls of ShellExecuteA
// reported as they are elsewhere.
#include "core/Module.h"

#include "core/Text.h"
#include "core/WindowSystem.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstring>

namespace host {

namespace {

using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// The module's own ShellExecuteA goes through here: the host reports the
// call, as it does off Windows, and the system then opens the page.
HINSTANCE WINAPI ReportingShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                        LPCSTR directory, INT show) {
    ReportShellExecute(verb, file, show);
    return ShellExecuteA(owner, verb, file, parameters, directory, show);
}

// Points the module's import of shell32's ShellExecuteA at the reporting one.
void ReportShellCalls(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name; ++d) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "shell32.dll") != 0 ||
            !d->OriginalFirstThunk)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "ShellExecuteA") != 0)
                continue;
            DWORD old = 0;
            if (VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                               &old)) {
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(&ReportingShellExecuteA);
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            }
        }
    }
}

} // namespace

void* OpenModule(const std::string& path, std::string* error) {
    HMODULE module = LoadLibraryW(UTF8ToWide(path).c_str());
    if (!module && error)
        *error = "cannot load module (error " + std::to_string(GetLastError()) + ")";
    if (module)
        ReportShellCalls(module);
    return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void CloseModule(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

} // namespace host
