// What the model tests share: the workspace's model objects as the host
// holds them, their persistence functions, and the changes they reported.
#pragma once

#include "HostTestSupport.h"
#include "OpalID.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "persistence/MemoryStream.h"

#include <string>
#include <vector>

namespace testing_support {

class ModelTest : public testing_support::HostSessionTest {
protected:
    host::Boss& Workspace() { return *TheHost().WorkspaceBoss(); }
    IOpalOptions& Options() { return *Workspace().PeekAs<IOpalOptions>(kOpalOptionsIID); }
    IOpalAlphaData& AlphaData() { return *Workspace().PeekAs<IOpalAlphaData>(kOpalAlphaDataIID); }

    // The workspace part under `iid`; fails the test when there is none.
    const host::Boss::Part& PartOf(PMIID iid) {
        for (const host::Boss::Part& part : Workspace().Parts())
            if (part.iid == iid)
                return part;
        ADD_FAILURE() << "no part 0x" << std::hex << iid;
        return Workspace().Parts().front();
    }
    // Runs the part's registered read-write function, as the host's persistence does.
    void Transfer(PMIID iid, host::MemoryStream& stream) {
        const host::Boss::Part& part = PartOf(iid);
        ASSERT_NE(part.record->readWrite, nullptr) << "not registered as persistent";
        part.record->readWrite(part.object, &stream, part.impl);
    }
    // Writes the part with recording on; the transfers as "i32 3", "f64 1", …
    std::vector<std::string> WrittenTransfers(PMIID iid) {
        host::MemoryStream out;
        out.SetRecording(true);
        Transfer(iid, out);
        return out.TransferLog();
    }
    host::ByteVector Written(PMIID iid) {
        host::MemoryStream out;
        Transfer(iid, out);
        return out.Bytes();
    }

    // How often the part under `iid` was marked changed, correctly: the
    // object itself, no implementation ID, flag 1.
    int DirtyCount(PMIID iid) {
        int count = 0;
        for (const host::DirtyRecord& d : TheHost().DirtyLog()) {
            EXPECT_EQ(d.implID, kInvalidImpl);
            EXPECT_EQ(d.markModified, kTrue);
            if (d.object == PartOf(iid).object)
                ++count;
        }
        return count;
    }
};

} // namespace testing_support
