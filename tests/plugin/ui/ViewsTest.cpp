// The Opal panel's own views and row handler: the panel's size rules, the
// opacity bar as drawn, and a double-click on a row.
#include "OpalID.h"
#include "PanelUiTestSupport.h"
#include "ui/GraphicsPort.h"
#include "ui/ListBox.h"
#include "ui/SizeBox.h"
#include "ui/Widgets.h"

using host::Boss;
using namespace host::ui;
using testing_support::PanelUiTest;

namespace {

using Ops = std::vector<std::string>;

TEST_F(PanelUiTest, PanelView_KeepsItsSizeLimits_WithinTolerance) {
    ShowOpal();
    const IControlView* view = ViewOf(Opal());
    const struct {
        PMPoint asked, given;
    } cases[] = {
        {{100, 80}, {174, 117}},
        {{3000, 3000}, {2048, 2048}},
        {{174, 117}, {174, 117}},
        {{2048, 2048}, {2048, 2048}},
        {{173.999999995, 116.999999995}, {173.999999995, 116.999999995}},
        {{2048.000000005, 300}, {2048.000000005, 300}},
        {{173.9, 2048.1}, {174, 2048}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(view->ConstrainDimensions(c.asked), c.given)
            << c.asked.X() << " x " << c.asked.Y();
}

TEST_F(PanelUiTest, PanelView_ZeroSizeRequestsAlternate) {
    ShowOpal();
    IControlView* view = ViewOf(Opal());
    auto sizeAfter = [view](PMPoint asked) {
        view->Resize(asked, kFalse);
        const PMRect frame = view->GetFrame();
        return PMPoint(frame.Width(), frame.Height());
    };
    EXPECT_EQ(sizeAfter({0, 5}), PMPoint(0, 5));
    EXPECT_EQ(sizeAfter({0, 0}), PMPoint(0, 0));
    EXPECT_EQ(sizeAfter({0, 0}), PMPoint(128, 110));
    EXPECT_EQ(sizeAfter({0, 0}), PMPoint(0, 0));
    EXPECT_EQ(sizeAfter({0, 5}), PMPoint(0, 5)); // leaves the record alone
    EXPECT_EQ(sizeAfter({0, 0}), PMPoint(128, 110));
}

class AlphaBarTest : public PanelUiTest {
protected:
    void SetUp() override {
        PanelUiTest::SetUp();
        AddPaletteWith("P", kPaletteFloatingBoss, {"Empty", "Half", "Full"});
        StoreOpacity("Empty", 0);
        StoreOpacity("Half", 50);
        StoreOpacity("Full", 100);
        ShowOpal();
    }
    Ops DrawBarOf(const std::string& panel) {
        Boss* row = ListRows(List())[static_cast<size_t>(RowOf(panel))];
        return DrawNow(FindWidget(row, kOpalRowAlphaBarWidgetID));
    }
    static Ops Normal(const Ops& body) {
        Ops ops = {"save", "color 0 0 0", "stroke-rect 1 1 153 4"};
        ops.insert(ops.end(), body.begin(), body.end());
        ops.insert(ops.end(), {"color 0.98 0.98 0.98", "move 0 1", "line 0 6", "stroke",
                               "color 0.5 0.5 0.5", "move 0 6", "line 156 6", "stroke",
                               "move 155 6", "line 155 1", "stroke", "restore"});
        return ops;
    }
};

TEST_F(AlphaBarTest, LengthFollowsTheRowText_ShortBarsDrawNothingOutside) {
    EXPECT_EQ(DrawBarOf("Half"),
              Normal({"color 0.106 0.223 0.302", "fill 2 2 76 3", "color 0.24 0.5 0.675",
                      "fill 4 3 72 1", "color 0.356 0.737 1", "fill 3 2 74 1"}));
    EXPECT_EQ(DrawBarOf("Full"),
              Normal({"color 0.106 0.223 0.302", "fill 2 2 152 3", "color 0.24 0.5 0.675",
                      "fill 4 3 148 1", "color 0.356 0.737 1", "fill 3 2 150 1"}));
    EXPECT_EQ(DrawBarOf("Empty"),
              Normal({"color 0.106 0.223 0.302", "color 0.24 0.5 0.675", "color 0.356 0.737 1"}));
}

TEST_F(AlphaBarTest, HighlightedRow_LightBarWithoutEdges) {
    SelectByName({"Half"});
    EXPECT_EQ(DrawBarOf("Half"), (Ops{"save", "color 0 0 0", "stroke-rect 1 1 153 4", "color 1 1 1",
                                      "fill 2 2 76 3", "color 0.85 0.85 1", "fill 4 3 72 1",
                                      "color 0.7 0.7 1", "fill 3 2 74 1", "restore"}));
}

TEST_F(AlphaBarTest, WiderPanel_LongerBar) {
    DragPanelTo(Opal(), 307, 239);
    const Ops ops = DrawBarOf("Full");
    EXPECT_NE(std::find(ops.begin(), ops.end(), "fill 2 2 252 3"), ops.end());
}

class RowDoubleClickTest : public PanelUiTest {
protected:
    bool DoubleClick(int32 row) {
        Boss* cell = ListRows(List())[static_cast<size_t>(row)];
        return cell->PeekAs<IEventHandler>(IID_IEVENTHANDLER)->ButtonDblClk(nullptr) != kFalse;
    }
    bool Shown(const std::string& palette) { return TheWorld().FindPalette(palette)->shown; }
};

TEST_F(RowDoubleClickTest, ShowsAHiddenPanel_HidesAShownOne_NothingWithoutSelection) {
    AddPaletteWith("H", kPaletteFloatingBoss, {"Hidden"}, false);
    AddPaletteWith("P", kPaletteFloatingBoss, {"Shown"});
    ShowOpal();

    EXPECT_TRUE(DoubleClick(0));
    EXPECT_FALSE(Shown("H"));
    EXPECT_TRUE(Shown("P"));

    SelectByName({"Hidden"});
    EXPECT_TRUE(DoubleClick(RowOf("Hidden")));
    EXPECT_TRUE(Shown("H"));
    EXPECT_TRUE(DoubleClick(RowOf("Hidden")));
    EXPECT_FALSE(Shown("H"));

    SelectByName({"Shown"});
    EXPECT_TRUE(DoubleClick(RowOf("Shown")));
    EXPECT_FALSE(Shown("P"));
}

} // namespace
