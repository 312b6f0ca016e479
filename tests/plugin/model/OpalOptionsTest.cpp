// The options on the workspace: defaults, change marking and the stream format.
#include "ModelTestSupport.h"
#include "model/IOpalPointerOptions.h"

using host::MemoryStream;
using testing_support::ModelTest;

namespace {

using OptionsTest = ModelTest;

TEST_F(OptionsTest, NewOptions_AreOnNotIgnoringClosedPanelsReservedZero) {
    EXPECT_EQ(Options().GetOnOffAlpha(), kTrue);
    EXPECT_EQ(Options().GetIgnoreClosedPanels(), kFalse);
    EXPECT_EQ(Options().GetReserved(), 0);
}

TEST_F(OptionsTest, Setters_MarkChangedOncePerRealChangeAndNeverForAnEqualValue) {
    TheHost().ClearDirtyLog();
    Options().SetOnOffAlpha(kTrue);
    Options().SetIgnoreClosedPanels(kFalse);
    Options().SetReserved(0);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 0);

    Options().SetOnOffAlpha(kFalse);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 1);
    Options().SetOnOffAlpha(kFalse);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 1);
    Options().SetIgnoreClosedPanels(kTrue);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 2);
    Options().SetReserved(-7);
    Options().SetReserved(-7);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 3);
    EXPECT_EQ(Options().GetOnOffAlpha(), kFalse);
    EXPECT_EQ(Options().GetIgnoreClosedPanels(), kTrue);
    EXPECT_EQ(Options().GetReserved(), -7);
}

TEST_F(OptionsTest, BooleanOfTwo_IsKeptAsTwoAndIsAChangeFromOne) {
    TheHost().ClearDirtyLog();
    Options().SetOnOffAlpha(2);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 1) << "2 and 1 are different 16-bit values";
    EXPECT_EQ(Options().GetOnOffAlpha(), 2);
    EXPECT_TRUE(Options().GetOnOffAlpha()) << "any value but 0 counts as true";
    EXPECT_EQ(WrittenTransfers(kOpalOptionsIID),
              (std::vector<std::string>{"i16 2", "i16 0", "i32 0"}));
}

TEST_F(OptionsTest, Write_MakesThreeTransfersAndReadRestoresThemWithoutMarkingChanged) {
    Options().SetOnOffAlpha(kFalse);
    Options().SetIgnoreClosedPanels(2);
    Options().SetReserved(-123456789);
    EXPECT_EQ(WrittenTransfers(kOpalOptionsIID),
              (std::vector<std::string>{"i16 0", "i16 2", "i32 -123456789"}));
    const host::ByteVector bytes = Written(kOpalOptionsIID);
    EXPECT_EQ(bytes.size(), 8u);

    Options().SetOnOffAlpha(kTrue);
    Options().SetIgnoreClosedPanels(kFalse);
    Options().SetReserved(0);
    TheHost().ClearDirtyLog();
    MemoryStream in(bytes);
    Transfer(kOpalOptionsIID, in);
    EXPECT_EQ(in.GetStreamState(), kStreamStateGood);
    EXPECT_EQ(in.BytesRemaining(), 0u);
    EXPECT_EQ(Options().GetOnOffAlpha(), kFalse);
    EXPECT_EQ(Options().GetIgnoreClosedPanels(), 2);
    EXPECT_EQ(Options().GetReserved(), -123456789);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 0);
}

} // namespace

namespace {

class PointerOptionsTest : public ModelTest {
protected:
    IOpalPointerOptions& PointerOptions() {
        auto* options = Workspace().PeekAs<IOpalPointerOptions>(kOpalPointerOptionsIID);
        EXPECT_NE(options, nullptr);
        return *options;
    }
};

// Off, the record is not written at all, so a workspace holds what 1.0.1
// wrote; on, it is one 16-bit switch, read back as stored.
TEST_F(PointerOptionsTest, OffWritesNothing_OnWritesOneSwitch_ReadBackUnmarked) {
    EXPECT_EQ(PointerOptions().GetOpaqueUnderPointer(), kFalse);
    EXPECT_TRUE(WrittenTransfers(kOpalPointerOptionsIID).empty());

    TheHost().ClearDirtyLog();
    PointerOptions().SetOpaqueUnderPointer(kFalse);
    EXPECT_EQ(DirtyCount(kOpalPointerOptionsIID), 0);
    PointerOptions().SetOpaqueUnderPointer(2);
    PointerOptions().SetOpaqueUnderPointer(2);
    EXPECT_EQ(DirtyCount(kOpalPointerOptionsIID), 1);
    EXPECT_EQ(WrittenTransfers(kOpalPointerOptionsIID), (std::vector<std::string>{"i16 2"}));
    const host::ByteVector bytes = Written(kOpalPointerOptionsIID);

    PointerOptions().SetOpaqueUnderPointer(kFalse);
    TheHost().ClearDirtyLog();
    MemoryStream in(bytes);
    Transfer(kOpalPointerOptionsIID, in);
    EXPECT_EQ(in.BytesRemaining(), 0u);
    EXPECT_EQ(PointerOptions().GetOpaqueUnderPointer(), 2);
    EXPECT_EQ(DirtyCount(kOpalPointerOptionsIID), 0);
}

} // namespace
