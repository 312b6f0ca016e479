// Workspace files as a session reads them at its start, in a host world with
// palettes to apply the stored opacities to. An input is a byte of options
// and the file: with its lowest bit set the file's length and checksum are
// made right first, so that changed records get past the container's checks
// and reach the parts that read them. Whatever the bytes, the session
// starts, ticks and saves; the saved file keeps every record the session read
// and reads back into a session that saves the same bytes again; every object
// is released at the end.
#include "FuzzHost.h"

#include "core/Host.h"
#include "core/Text.h"
#include "persistence/WorkspaceFile.h"
#include "script/Session.h"
#include "world/World.h"

#include <zlib.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;
using host::WorkspaceRecord;

// Floating, docked, stashed and hidden palettes, holding the panel IDs the
// seeds store opacities for.
void BuildWorld(host::Host& host) {
    host::World& world = host.Get<host::World>();
    world.AddPalette("Layout");
    world.AddPanel("Pages", {"Layout", false, 100});
    world.AddPanel("Layers", {"Layout", true, 101});
    world.AddPalette("Dock", kPaletteDockedBoss);
    world.AddPanel("Links", {"Dock", false, -7});
    world.AddPalette("Stash", kPaletteStashBoss);
    world.AddPanel("Info", {"Stash", false, 102});
    world.AddPalette("Hidden", kPaletteFloatingBoss, false);
    world.AddPanel("Swatches", {"Hidden", false, 103});
}

void Tick(host::Host& host, int times) {
    for (int i = 0; i < times && host.FireNextTimer(); ++i)
        host.DrainCommands();
}

std::vector<WorkspaceRecord> Decoded(const host::ByteVector& bytes, const char* what) {
    std::string reason;
    auto records = host::DecodeWorkspace(bytes, &reason);
    if (!records)
        fuzzing::Fail(std::string(what) + " is no sound workspace: " + reason);
    return *records;
}

void PutU32(host::ByteVector& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8>(value >> (8 * i));
}

// The length field at 12 and the CRC-32 of every byte before the last four.
void MakeContainerSound(host::ByteVector& file) {
    if (file.size() < 20)
        return;
    PutU32(file, 12, static_cast<uint32_t>(file.size()));
    PutU32(file, file.size() - 4,
           static_cast<uint32_t>(crc32(0, file.data(), static_cast<uInt>(file.size() - 4))));
}

size_t KeptCopies(const fs::path& folder) {
    size_t copies = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        copies += entry.path().filename().string().rfind("workspace.damaged", 0) == 0;
    return copies;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return -1;
    host::ByteVector input(data + 1, data + size);
    if (data[0] & 1)
        MakeContainerSound(input);
    const std::string& plugin = fuzzing::PluginFile();
    const fs::path& folder = fuzzing::EmptyScratchFolder();
    const fs::path file = folder / "workspace";
    fuzzing::WriteFile(file, input.data(), input.size());
    // A fresh host for every input: nothing carries over from the last.
    host::Host context;
    BuildWorld(context);

    const auto before = testing_support::RefSnapshot::Take(context);
    {
        host::Session session(host::SessionOptions{plugin, file.string()}, context);
        std::string error;
        if (!session.Start(&error))
            fuzzing::Fail("the session did not start: " + error);
        // A file that read cleanly stays where it was; a damaged one is kept aside.
        const bool damaged = KeptCopies(folder) != 0;
        if (damaged == fs::exists(file))
            fuzzing::Fail("a damaged file must be kept aside, a sound one left in place");
        Tick(context, 3);
        if (!session.Save(&error))
            fuzzing::Fail("cannot save: " + error);
        const host::ByteVector saved = fuzzing::ReadFile(file);
        const auto savedRecords = Decoded(saved, "the saved file");

        // Nothing of a sound file is lost: every record it held is saved
        // again, known or not (a part that keeps nothing writes no record).
        if (!damaged) {
            const auto read = Decoded(input, "a file read cleanly");
            for (const WorkspaceRecord& record : read)
                if (!record.bytes.empty() && std::find(savedRecords.begin(), savedRecords.end(),
                                                       record) == savedRecords.end())
                    fuzzing::Fail("record " + host::Hex(record.implID) +
                                  " was read but not saved as it was");
        }

        if (!session.Restart(&error))
            fuzzing::Fail("cannot restart: " + error);
        if (KeptCopies(folder) != (damaged ? 1u : 0u))
            fuzzing::Fail("the file the session saved is damaged when read back");
        Tick(context, 1);
        if (!session.Save(&error))
            fuzzing::Fail("cannot save after the restart: " + error);
        if (fuzzing::ReadFile(file) != saved)
            fuzzing::Fail("the restarted session saves other bytes than it read");
        session.Stop(false);
    }
    fuzzing::CheckReferences(before);
    return 0;
}
