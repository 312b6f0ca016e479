// Every decoder of the records the host reads from a module file. The first
// byte of an input picks the decoder (modulo their number), the rest is the
// record. A decoder refuses damaged bytes or returns a value that holds
// together: an archive it accepts writes back the same bytes, a picture has
// its pixels.
#include "FuzzHost.h"

#include "resources/Layout.h"
#include "resources/Pictures.h"
#include "resources/Resources.h"

#include <iterator>

namespace {

using host::Bytes;

void Archive(const Bytes& bytes) {
    std::string error;
    const auto set = host::ResourceSet::FromArchive(bytes, &error);
    if (set && set->ToArchive() != bytes)
        fuzzing::Fail("an archive read back writes other bytes");
    if (!set && error.empty())
        fuzzing::Fail("an archive refused without a reason");
}

// The bytes as a whole module file, of which the host reads one ELF section.
void ModuleFile(const Bytes& bytes) {
    const auto file = fuzzing::EmptyScratchFolder() / "module.pln";
    fuzzing::WriteFile(file, bytes.data(), bytes.size());
    std::string error;
    if (!host::ResourceSet::FromModuleFile(file.string(), &error) && error.empty())
        fuzzing::Fail("a module file refused without a reason");
}

void Layout(const Bytes& bytes) {
    const auto spec = host::DecodeLayout(bytes);
    if (spec) {
        // Looking up a widget walks the whole decoded tree.
        spec->FindByID(0xffffffff);
        spec->FindData(0);
    }
}

void LocaleIndex(const Bytes& bytes) {
    if (const auto index = host::DecodeLocaleIndex(bytes))
        for (const auto& entry : index->entries)
            index->Resolve(entry.first);
}

void CheckPicture(const std::optional<host::Picture>& picture, const std::string& error,
                  const char* kind) {
    if (picture && picture->rgba.size() != uint64_t{picture->width} * picture->height * 4)
        fuzzing::Fail(std::string("a ") + kind + " decoded to the wrong number of pixels");
    if (!picture && error.empty())
        fuzzing::Fail(std::string("a ") + kind + " refused without a reason");
}

void Bitmap(const Bytes& bytes) {
    std::string error;
    const auto picture = host::DecodeBitmap(bytes, &error);
    CheckPicture(picture, error, "bitmap");
}

void Png(const Bytes& bytes) {
    std::string error;
    const auto picture = host::DecodePng(bytes, &error);
    CheckPicture(picture, error, "PNG");
}

using Decoder = void (*)(const Bytes&);
// The order is the seeds' first byte: append, never reorder.
const Decoder kDecoders[] = {
    Archive,
    ModuleFile,
    [](const Bytes& b) { host::DecodeClassTable(b); },
    [](const Bytes& b) { host::DecodeImplementationList(b); },
    LocaleIndex,
    [](const Bytes& b) { host::DecodeStringTable(b); },
    [](const Bytes& b) { host::DecodePluginVersion(b); },
    [](const Bytes& b) { host::DecodePanelList(b); },
    [](const Bytes& b) { host::DecodeMenuDefs(b); },
    [](const Bytes& b) { host::DecodeActionDefs(b); },
    [](const Bytes& b) { host::DecodeTips(b); },
    Layout,
    Bitmap,
    Png,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return -1;
    kDecoders[data[0] % std::size(kDecoders)](Bytes(data + 1, data + size));
    return 0;
}
