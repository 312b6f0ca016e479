#include "persistence/WorkspaceStore.h"
#include "core/Text.h"

#include "core/Host.h"
#include "persistence/FileOps.h"

#include <cstdio>
#include <set>

namespace host {
namespace {

bool IsPersistent(const Boss::Part& part) {
    return part.record && part.record->readWrite;
}

const Boss::Part* PartFor(const Boss& boss, ImplementationID implID) {
    for (const Boss::Part& part : boss.Parts())
        if (part.impl == implID && IsPersistent(part))
            return &part;
    return nullptr;
}

void ReadInto(const Boss::Part& part, IPMStream* stream) {
    part.record->readWrite(part.object, stream, part.impl);
}

} // namespace

std::string WorkspaceStore::Load(Boss& workspace) {
    fUnknown.clear();
    fMayWrite = true;
    if (fFile.empty())
        return {};
    ByteVector bytes;
    std::string error;
    switch (ReadWholeFile(fFile, &bytes, &error)) {
    case ReadOutcome::kMissing:
        return {};
    case ReadOutcome::kFailed:
        fMayWrite = false;
        return "warning: workspace " + fFile + " cannot be read: " + error +
               "; session from defaults, and the file is not saved over";
    case ReadOutcome::kNotAFile:
        fMayWrite = false;
        return "warning: workspace " + fFile + " " + error +
               "; session from defaults, and nothing is written to it";
    case ReadOutcome::kRead:
        break;
    }

    std::string reason;
    std::vector<WorkspaceRecord> unknown;
    const auto records = DecodeWorkspace(bytes, &reason);
    if (records)
        reason = Check(workspace, *records, &unknown);
    if (!reason.empty())
        return SetAside(reason);

    for (const WorkspaceRecord& record : *records) {
        if (const Boss::Part* part = PartFor(workspace, record.implID)) {
            MemoryStream in(record.bytes);
            ReadInto(*part, &in);
        }
    }
    fUnknown = std::move(unknown);
    return {};
}

std::string WorkspaceStore::Check(const Boss& workspace,
                                  const std::vector<WorkspaceRecord>& records,
                                  std::vector<WorkspaceRecord>* unknown) {
    // The records are tried on scratch objects first, so that a damaged file
    // leaves nothing half-read in the real workspace.
    InterfacePairs persistent;
    for (const Boss::Part& part : workspace.Parts())
        if (IsPersistent(part))
            persistent.emplace_back(part.iid, part.impl);
    ObjectModel& model = workspace.Model();
    Boss* scratch = model.CreateBoss(workspace.Class(), persistent);

    std::string reason;
    std::set<ImplementationID> seen;
    for (const WorkspaceRecord& record : records) {
        const std::string name = "record " + Hex(record.implID);
        if (!seen.insert(record.implID).second) {
            reason = name + " appears twice";
            break;
        }
        const Boss::Part* part = PartFor(*scratch, record.implID);
        if (!part) {
            unknown->push_back(record);
            continue;
        }
        MemoryStream in(record.bytes);
        ReadInto(*part, &in);
        if (in.GetStreamState() != kStreamStateGood) {
            reason = name + " ends early";
            break;
        }
        if (in.BytesRemaining() != 0) {
            reason = name + " has " + std::to_string(in.BytesRemaining()) + " bytes left over";
            break;
        }
        // What an implementation refuses to read (a negative count, say)
        // shows when it is written again.
        MemoryStream out;
        ReadInto(*part, &out);
        if (out.Bytes() != record.bytes) {
            reason = name + " does not read back as stored";
            break;
        }
    }
    scratch->Release();
    return reason;
}

std::string WorkspaceStore::SetAside(const std::string& reason) {
    // Through a link the damaged target is moved aside in its own folder. A
    // copy kept earlier is never replaced: the next free name is taken.
    const std::string damaged = ThroughLinks(fFile);
    const std::string head = "warning: workspace " + fFile + " is damaged: " + reason;
    constexpr int kMostCopies = 1000;
    // A read-only file stays as its owner made it.
    std::string error = ReadOnlyReason(damaged);
    if (!error.empty())
        error = damaged + " " + error;
    for (int n = 0; error.empty() && n < kMostCopies; ++n) {
        const std::string aside = damaged + ".damaged" + (n ? "." + std::to_string(n) : "");
        if (RenameKeeping(damaged, aside, &error))
            return head + "; kept as " + aside;
        if (error != aside + " exists")
            break;
        error.clear();
    }
    if (error.empty())
        error = "every name for a kept copy is taken";
    fMayWrite = false;
    return head + "; kept in place (" + error + "), and not saved over";
}

bool WorkspaceStore::Save(const Boss& workspace, std::string* error) {
    if (fFile.empty())
        return true;
    if (!fMayWrite) {
        *error = "workspace " + fFile + " could not be read at start, so it is not saved over";
        return false;
    }
    std::vector<WorkspaceRecord> records;
    for (const Boss::Part& part : workspace.Parts()) {
        if (!IsPersistent(part))
            continue;
        MemoryStream out;
        ReadInto(part, &out);
        // A part with nothing to keep has no record; it keeps its defaults.
        if (!out.Bytes().empty())
            records.push_back({part.impl, out.Bytes()});
    }
    records.insert(records.end(), fUnknown.begin(), fUnknown.end());
    return WriteFileAtomically(fFile, EncodeWorkspace(records), error,
                               &workspace.GetHost().renaming);
}

} // namespace host
