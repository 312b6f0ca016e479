// The plug-in's resources in a Windows module: its numbered PE resources,
// read through the loader with the module loaded as data.
#include "resources/Resources.h"

#include <windows.h>

namespace host {

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error)
        *error = reason;
    return false;
}

struct Enumeration {
    HMODULE module;
    ResourceSet* set;
    bool failed;
};

BOOL CALLBACK AddResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* e = reinterpret_cast<Enumeration*>(param);
    // Only numbered resources belong to the plug-in's set.
    if (!IS_INTRESOURCE(name))
        return TRUE;
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) {
        e->failed = true;
        return FALSE;
    }
    const auto* bytes = static_cast<const uint8*>(data);
    e->set->Add(static_cast<RsrcType>(reinterpret_cast<ULONG_PTR>(type)),
                static_cast<RsrcID>(reinterpret_cast<ULONG_PTR>(name)),
                Bytes(bytes, bytes + SizeofResource(module, info)));
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR param) {
    if (!IS_INTRESOURCE(type))
        return TRUE;
    EnumResourceNamesW(module, type, AddResource, param);
    return !reinterpret_cast<Enumeration*>(param)->failed;
}

} // namespace

std::optional<ResourceSet> ResourceSet::FromModuleFile(const std::string& path,
                                                       std::string* error) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    if (length <= 0 ||
        MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length) != length) {
        Fail(error, "bad file name");
        return std::nullopt;
    }
    HMODULE module = LoadLibraryExW(wide.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        Fail(error, "cannot open file");
        return std::nullopt;
    }
    ResourceSet set;
    Enumeration e{module, &set, false};
    EnumResourceTypesW(module, AddType, reinterpret_cast<LONG_PTR>(&e));
    FreeLibrary(module);
    if (e.failed) {
        Fail(error, "unreadable resource");
        return std::nullopt;
    }
    if (set.fResources.empty()) {
        Fail(error, "no resource section");
        return std::nullopt;
    }
    return set;
}

} // namespace host
