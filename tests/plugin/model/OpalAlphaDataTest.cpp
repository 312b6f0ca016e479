// The alpha data: entries, the tolerance, change marking, the stream format,
// and what it does with a hostile stream or a bad index.
#include "ModelTestSupport.h"

#include <cmath>
#include <limits>

using host::ByteVector;
using host::MemoryStream;
using testing_support::ModelTest;

namespace {

class AlphaDataTest : public ModelTest {
protected:
    std::vector<std::pair<int32, double>> Entries() {
        std::vector<std::pair<int32, double>> entries;
        for (int32 i = 0; i < AlphaData().CountEntries(); ++i)
            entries.emplace_back(AlphaData().GetEntryAt(i).panelID,
                                 AlphaData().GetEntryAt(i).alpha);
        return entries;
    }
    void Read(const ByteVector& bytes, StreamState expected) {
        MemoryStream in(bytes);
        Transfer(kOpalAlphaDataIID, in);
        EXPECT_EQ(in.GetStreamState(), expected);
    }
    // The bytes of a store: the count, then the given whole entries.
    static ByteVector Stored(int32 count, const std::vector<std::pair<int32, double>>& entries) {
        MemoryStream out;
        out.XferInt32(count);
        for (auto [id, opacity] : entries) {
            out.XferInt32(id);
            out.XferReal(opacity);
        }
        return out.Bytes();
    }
};

TEST_F(AlphaDataTest, NewStore_IsEmptyAndReadsEveryPanelAsOpaque) {
    EXPECT_EQ(AlphaData().CountEntries(), 0);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(0), 100.0);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(-5), 100.0);
}

TEST_F(AlphaDataTest, AddPanel_AppendsOpaqueEntryOnceAndMarksChangedOnce) {
    TheHost().ClearDirtyLog();
    AlphaData().AddPanel(7);
    AlphaData().AddPanel(-3);
    AlphaData().AddPanel(7);
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{7, 100.0}, {-3, 100.0}}));
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 2);
}

TEST_F(AlphaDataTest, SetAlphaAt_WithinTolerance_LeavesStoreClean) {
    AlphaData().AddPanel(1);
    AlphaData().SetAlphaAt(0, 50.0);
    TheHost().ClearDirtyLog();
    AlphaData().SetAlphaAt(0, 50.000000001);
    EXPECT_EQ(AlphaData().GetEntryAt(0).alpha, 50.0);
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 0);

    AlphaData().SetAlphaAt(0, 50.00000002);
    EXPECT_EQ(AlphaData().GetEntryAt(0).alpha, 50.00000002);
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 1);
}

TEST_F(AlphaDataTest, NotANumber_ReplacesAStoredValueAndIsReplacedInTurn) {
    AlphaData().AddPanel(1);
    TheHost().ClearDirtyLog();
    AlphaData().SetAlphaAt(0, std::nan(""));
    EXPECT_TRUE(std::isnan(AlphaData().GetAlphaForPanel(1)));
    AlphaData().SetAlphaForPanel(1, 40.0);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(1), 40.0);
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 2);
}

TEST_F(AlphaDataTest, SetAlphaForPanel_SetsAStoredPanelAndIgnoresAnUnknownOne) {
    AlphaData().AddPanel(4);
    AlphaData().AddPanel(9);
    TheHost().ClearDirtyLog();
    AlphaData().SetAlphaForPanel(5, 20.0);
    EXPECT_EQ(AlphaData().CountEntries(), 2);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(5), 100.0);
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 0);

    AlphaData().SetAlphaForPanel(9, 20.0);
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{4, 100.0}, {9, 20.0}}));
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 1);
}

TEST_F(AlphaDataTest, IndexOutsideTheEntries_ReadsAsOpaqueAndWritesNothing) {
    AlphaData().AddPanel(8);
    TheHost().ClearDirtyLog();
    for (int32 index :
         {-1, 1, 2, std::numeric_limits<int32>::min(), std::numeric_limits<int32>::max()}) {
        AlphaData().SetAlphaAt(index, 30.0);
        const AlphaEntry entry = AlphaData().GetEntryAt(index);
        EXPECT_EQ(entry.panelID, 0) << index;
        EXPECT_EQ(entry.alpha, 100.0) << index;
    }
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{8, 100.0}}));
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 0);
}

TEST_F(AlphaDataTest, Write_TransfersCountThenEachIdAndOpacityAndReadRestoresThem) {
    EXPECT_EQ(WrittenTransfers(kOpalAlphaDataIID), (std::vector<std::string>{"i32 0"}));

    for (int32 id : {1, 2, 3}) {
        AlphaData().AddPanel(id);
        AlphaData().SetAlphaForPanel(id, id);
    }
    EXPECT_EQ(
        WrittenTransfers(kOpalAlphaDataIID),
        (std::vector<std::string>{"i32 3", "i32 1", "f64 1", "i32 2", "f64 2", "i32 3", "f64 3"}));
    const ByteVector bytes = Written(kOpalAlphaDataIID);

    // A fresh session's store is empty; reading gives the same entries in
    // the same order, and is not a change.
    session->Stop(false);
    std::string error;
    ASSERT_TRUE(session->Start(&error)) << error;
    ASSERT_EQ(AlphaData().CountEntries(), 0);
    Read(bytes, kStreamStateGood);
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{1, 1.0}, {2, 2.0}, {3, 3.0}}));
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 0);
}

TEST_F(AlphaDataTest, ReadIntoAStoreWithEntries_LeavesExactlyTheStoredEntries) {
    for (int32 id : {10, 11, 12})
        AlphaData().AddPanel(id);
    Read(Stored(1, {{5, 55.0}}), kStreamStateGood);
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{5, 55.0}}));
    Read(Stored(0, {}), kStreamStateGood);
    EXPECT_EQ(AlphaData().CountEntries(), 0);
}

TEST_F(AlphaDataTest, HostileCounts_KeepOnlyCompleteEntriesAndLeaveTheStreamFailed) {
    AlphaData().AddPanel(99);
    // More entries announced than the data holds: the two there are kept,
    // and the stream tells that it ran out.
    Read(Stored(std::numeric_limits<int32>::max(), {{1, 10.0}, {2, 20.0}}), kStreamStateEOF);
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{1, 10.0}, {2, 20.0}}));

    // A negative count reads nothing.
    Read(Stored(-5, {{1, 10.0}}), kStreamStateGood);
    EXPECT_EQ(AlphaData().CountEntries(), 0);

    // An entry cut short after its panel ID, or a count cut short, is not kept.
    ByteVector cut = Stored(2, {{1, 10.0}, {2, 20.0}});
    cut.resize(cut.size() - 3);
    Read(cut, kStreamStateEOF);
    EXPECT_EQ(Entries(), (std::vector<std::pair<int32, double>>{{1, 10.0}}));
    Read(ByteVector{0x01, 0x00}, kStreamStateEOF);
    EXPECT_EQ(AlphaData().CountEntries(), 0);
}

} // namespace
