// A file as the host names it, and the resource access that tells the host
// which file holds a plug-in's resources.
#pragma once

#include "SDKTypes.h"

#include <string>

class IDFile {
public:
    IDFile() = default;
    explicit IDFile(const wchar_t* path) { SetTString(path); }
    void SetTString(const wchar_t* path) { fPath = path ? path : L""; }
    const std::wstring& GetTString() const { return fPath; }
    bool IsEmpty() const { return fPath.empty(); }

private:
    std::wstring fPath;
};

class WBaseResourceAccess {
public:
    struct ResourceFileInfo {
        IDFile file;
        int16 noFile = 1; // 0 once a file is known
        int32 reserved1 = 0;
        int32 reserved2 = 0;
    };
    explicit WBaseResourceAccess(const ResourceFileInfo& info) : fInfo(info) {}
    virtual ~WBaseResourceAccess() = default;
    const IDFile& GetResourceFile() const { return fInfo.file; }

private:
    ResourceFileInfo fInfo;
};
