// Keeps the workspace object's persistent implementations (the parts whose
// registration has a read-write function) in the workspace file.
#pragma once

#include "core/ObjectModel.h"
#include "persistence/WorkspaceFile.h"

#include <string>
#include <vector>

namespace host {

class OPAL_SDK_API WorkspaceStore {
public:
    // An empty file name keeps nothing.
    explicit WorkspaceStore(std::string file) : fFile(std::move(file)) {}

    const std::string& File() const { return fFile; }

    // Reads the file into the persistent parts of a freshly created workspace.
    // Returns the warning line to show, or an empty string. A missing file
    // leaves the defaults. A damaged file is moved aside to FILE.damaged (or
    // FILE.damaged.1, .2, … when that is taken) and the workspace keeps its
    // defaults: no part is read unless every record reads back cleanly.
    // Nothing that is no regular file is read, moved or written.
    std::string Load(Boss& workspace);

    // Writes every persistent part, then the records of implementations that
    // this session does not know, unchanged.
    bool Save(const Boss& workspace, std::string* error);

    const std::vector<WorkspaceRecord>& UnknownRecords() const { return fUnknown; }

private:
    // The reason the records cannot be used, or empty; sorts out the records
    // that no part of the workspace reads.
    static std::string Check(const Boss& workspace, const std::vector<WorkspaceRecord>& records,
                             std::vector<WorkspaceRecord>* unknown);
    std::string SetAside(const std::string& reason);

    std::string fFile;
    std::vector<WorkspaceRecord> fUnknown;
    // False when a file that could not be read is still in place: it is not
    // saved over, so that nothing of it is lost.
    bool fMayWrite = true;
};

} // namespace host
