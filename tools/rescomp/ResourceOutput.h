// The compiled resources and the files written from them.
#pragma once

#include "ByteWriter.h"

#include <filesystem>
#include <map>
#include <utility>

namespace rescomp {

class ResourceOutput {
public:
    // Adds one resource; a type and ID given twice is a definition error.
    void Add(RsrcType type, RsrcID id, Bytes bytes);

    // The archive the host reads natively: "OPALRES1", u32 count, then per
    // resource sorted by type and ID: u32 type, u32 id, u32 size, the bytes.
    Bytes Archive() const;

    // OUTDIR/Opal.res, OUTDIR/Opal.rc and OUTDIR/rsrc/TYPE_ID.bin.
    void WriteAll(const std::filesystem::path& outDir, const std::string& baseName) const;

private:
    std::map<std::pair<RsrcType, RsrcID>, Bytes> fResources;
};

} // namespace rescomp
