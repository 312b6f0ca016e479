// The opacity chosen for each host panel, in the order panels were first
// listed, kept with the workspace.
#include "CPMUnknown.h"
#include "IPMStream.h"
#include "ImplementationRegistry.h"
#include "K2Vector.h"
#include "OpalID.h"
#include "model/IOpalAlphaData.h"

#include <cmath>
#include <unordered_map>
#include <utility>

namespace {

bool SameAlpha(double stored, double alpha) {
    // False when either is not a number, so that a NaN is always replaced.
    return std::fabs(stored - alpha) < kOpalOpacityTolerance;
}

} // namespace

class OpalAlphaData : public CPMUnknown<IOpalAlphaData> {
public:
    explicit OpalAlphaData(IPMUnknown* boss) : CPMUnknown<IOpalAlphaData>(boss) {}

    int32 CountEntries() const override { return fEntries.Length(); }

    void AddPanel(int32 panelID) override {
        if (Find(panelID) >= 0)
            return;
        fIndex.emplace(panelID, CountEntries());
        fEntries.push_back(AlphaEntry{panelID, kOpalFullOpacity});
        Dirty(this, kInvalidImpl, kTrue);
    }

    void SetAlphaAt(int32 index, double alpha) override {
        // Callers pass valid indexes; anything else must not touch memory.
        if (!IsValid(index))
            return;
        AlphaEntry& entry = fEntries[static_cast<size_t>(index)];
        if (SameAlpha(entry.alpha, alpha))
            return;
        entry.alpha = alpha;
        Dirty(this, kInvalidImpl, kTrue);
    }

    AlphaEntry GetEntryAt(int32 index) const override {
        if (!IsValid(index))
            return AlphaEntry{}; // reads like a panel that is not stored
        return fEntries[static_cast<size_t>(index)];
    }

    void SetAlphaForPanel(int32 panelID, double alpha) override {
        const int32 index = Find(panelID);
        if (index >= 0)
            SetAlphaAt(index, alpha);
    }

    double GetAlphaForPanel(int32 panelID) const override {
        const int32 index = Find(panelID);
        return index >= 0 ? fEntries[static_cast<size_t>(index)].alpha : kOpalFullOpacity;
    }

    // The host's persistence, both directions: the count, then each entry's
    // panel ID and alpha in list order.
    void ReadWrite(IPMStream* stream, ImplementationID /*implID*/) {
        if (!stream)
            return;
        if (stream->IsReading())
            Read(stream);
        else
            Write(stream);
    }

private:
    void Write(IPMStream* stream) {
        int32 count = CountEntries();
        stream->XferInt32(count);
        for (AlphaEntry& entry : fEntries) {
            stream->XferInt32(entry.panelID);
            stream->XferReal(entry.alpha);
        }
    }

    // The stored entries replace whatever the object held. The count comes
    // from a file and is not trusted: entries are taken one by one while the
    // stream has them, so a negative or huge count cannot exhaust memory, and
    // a count beyond the data leaves the stream failed for the host to see.
    void Read(IPMStream* stream) {
        int32 count = 0;
        stream->XferInt32(count);
        K2Vector<AlphaEntry> entries;
        for (int32 i = 0; i < count && stream->GetStreamState() == kStreamStateGood; ++i) {
            AlphaEntry entry;
            stream->XferInt32(entry.panelID);
            stream->XferReal(entry.alpha);
            if (stream->GetStreamState() != kStreamStateGood)
                break; // an entry cut short is not kept
            entries.push_back(entry);
        }
        fEntries = std::move(entries);
        fIndex.clear();
        // A file may name a panel twice: the first entry is the one found.
        for (int32 i = 0; i < CountEntries(); ++i)
            fIndex.emplace(fEntries[static_cast<size_t>(i)].panelID, i);
    }

    bool IsValid(int32 index) const { return index >= 0 && index < CountEntries(); }

    int32 Find(int32 panelID) const {
        const auto it = fIndex.find(panelID);
        return it == fIndex.end() ? -1 : it->second;
    }

    K2Vector<AlphaEntry> fEntries;
    std::unordered_map<int32, int32> fIndex; // panel ID -> its first entry
};

CREATE_PERSIST_PMINTERFACE(OpalAlphaData, kOpalAlphaDataImpl);
