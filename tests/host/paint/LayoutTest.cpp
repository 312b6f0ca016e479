// Where the host's windows and their parts are: palettes with their groups,
// tabs and menu button, their alpha as composited, the Opal panel's widgets
// and what of them a list lets show, and dialogs.
#include "HostIDs.h"
#include "PaintTestSupport.h"
#include "ui/Widgets.h"

#include <cmath>

using host::Boss;
using host::paint::GroupLook;
using host::paint::PaletteLook;
using host::paint::Rect;
using host::paint::TabLook;
using testing_support::PaintTest;
using testing_support::Within;

namespace {

constexpr double kBorder = host::paint::kBorder, kTitle = host::paint::kTitleHeight,
                 kTab = host::paint::kTabHeight;

TEST_F(PaintTest, Palette_GroupsStackUnderTheTitle_TabsSideBySide_MenuAtTheFirstStripsEnd) {
    Run("palette P at 40 50\npanel Front in P\npanel Back in P\nfront Front\n"
        "panel Lower in P new-group\n");
    const PaletteLook look = Palette("P");
    ASSERT_EQ(look.groups.size(), 2u);
    const double inner = host::paint::kPlaceholderWidth;
    EXPECT_EQ(look.area.left, 40);
    EXPECT_EQ(look.area.top, 50);
    EXPECT_EQ(look.area.width, inner + 2 * kBorder);
    EXPECT_EQ(look.area.height,
              2 * kBorder + kTitle + 2 * (kTab + host::paint::kPlaceholderHeight));
    EXPECT_EQ(look.title.y, kBorder);
    EXPECT_EQ(look.title.height, kTitle);

    // Each group: its strip right under what is above it, its panel under the strip.
    double top = kBorder + kTitle;
    for (const GroupLook& group : look.groups) {
        EXPECT_EQ(group.strip.y, top);
        EXPECT_EQ(group.content.y, top + kTab);
        EXPECT_EQ(group.content.width, inner);
        top = group.content.Bottom();
    }
    EXPECT_EQ(top + kBorder, look.area.height) << "the frame closes under the last panel";

    // Tabs from the left in the order added, two pixels apart, each as wide
    // as its name and a margin; the front one taller, all in their strip.
    const std::vector<TabLook>& tabs = look.groups[0].tabs;
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0].name, "Front");
    EXPECT_TRUE(tabs[0].front);
    EXPECT_FALSE(tabs[1].front);
    EXPECT_EQ(tabs[0].area.width, 5 * 6 + 16);
    EXPECT_EQ(tabs[1].area.x, tabs[0].area.Right() + 2);
    EXPECT_LT(tabs[0].area.y, tabs[1].area.y);
    for (const TabLook& tab : tabs)
        EXPECT_TRUE(Within(tab.area, look.groups[0].strip)) << tab.name;
    EXPECT_EQ(look.groups[0].frontName, "Front");
    EXPECT_EQ(look.groups[1].frontName, "Lower");

    // The menu button: a square at the right end of the first strip only.
    EXPECT_EQ(look.menu.Right(), look.groups[0].strip.Right());
    EXPECT_EQ(look.menu.y, look.groups[0].strip.y);
    EXPECT_EQ(look.menu.width, look.menu.height);

    // Where the front panels sit, on the screen.
    ASSERT_EQ(look.area.panels.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(look.area.panels[i].left, look.area.left + kBorder);
        EXPECT_EQ(look.area.panels[i].top, look.area.top + look.groups[i].content.y);
    }
}

TEST_F(PaintTest, Tabs_ShowNamesWithoutMnemonicMarks_AsWideAsTheShownName) {
    Run("palette P\npanel \"Character &Styles\" in P\npanel \"A && B\" in P\n");
    const PaletteLook look = Palette("P");
    ASSERT_EQ(look.groups.size(), 1u);
    ASSERT_EQ(look.groups[0].tabs.size(), 2u);
    EXPECT_EQ(look.groups[0].tabs[0].name, "Character Styles");
    EXPECT_EQ(look.groups[0].tabs[1].name, "A & B");
    EXPECT_EQ(look.groups[0].tabs[0].area.width, 16 * 6 + 16);
}

TEST_F(PaintTest, Screen_OnlyShownPalettes_EmptyOnesWithoutMenu) {
    Run("palette Shown\npanel A in Shown\npalette Hidden hidden\npanel B in Hidden\n"
        "palette Empty\n");
    std::vector<std::string> names;
    for (const PaletteLook& look : Screen().palettes)
        names.push_back(look.area.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Shown", "Empty"}));
    const PaletteLook empty = Palette("Empty");
    EXPECT_TRUE(empty.groups.empty());
    EXPECT_EQ(empty.menu.width, 0) << "no panel, no menu to open";
    EXPECT_EQ(empty.area.height, 2 * kBorder + kTitle);
}

// The alpha the screen composites a palette with is its window's: 15 % at
// least (38), 100 % at most (254: opaque, never wrapped past 255).
TEST_F(PaintTest, Alpha_AsTheWindowHasIt_FloorAndCapForStoredValuesOutside) {
    Run("palette Plain\npanel Plain in Plain\n"
        "palette Forty\npanel Forty in Forty\n"
        "palette Ten\npanel Ten in Ten\n"
        "palette Over\npanel Over in Over\n"
        "do add-alpha Forty\ndo add-alpha Ten\ndo add-alpha Over\n"
        "do set-alpha Forty 40\ndo set-alpha Ten 10\ndo set-alpha Over 150\ntick\n");
    EXPECT_EQ(Palette("Plain").area.alpha, 255);
    EXPECT_EQ(Palette("Forty").area.alpha, std::floor(0.40 * 255));
    EXPECT_EQ(Palette("Ten").area.alpha, 38);
    EXPECT_EQ(Palette("Over").area.alpha, 254);
}

// The Opal panel's widgets lie in its palette's panel; the list shows only
// the part of its rows within it.
TEST_F(PaintTest, OpalPanel_WidgetsInThePanel_TheListCutsOffRowsBelowIt) {
    std::string script = "palette Many\n";
    for (int i = 0; i < 30; ++i)
        script += "panel P" + std::to_string(i) + " in Many\n";
    Run(script + "open opal\nplace Opal 300 100\n");
    const PaletteLook look = Palette("Opal");
    ASSERT_EQ(look.groups.size(), 1u);
    const GroupLook& group = look.groups[0];
    ASSERT_NE(group.widget, nullptr);
    const auto places = host::paint::PanelPlaces(look, group);
    ASSERT_FALSE(places.empty());
    const Rect panel = host::paint::OnScreen(look.area, group.content);
    EXPECT_TRUE(Within(places[0].box, panel)) << "the panel's own widget fills its place";

    // The rows sit in the list's scrolling area, which clips them.
    const host::paint::WidgetPlace* list = nullptr;
    for (const auto& place : places)
        if (host::paint::HostKind(place.widget) == kScrollPanelWidgetBoss)
            list = &place;
    ASSERT_NE(list, nullptr);
    int cut = 0, hidden = 0, whole = 0;
    for (const Boss* row : host::ui::ChildrenOf(list->widget)) {
        for (const auto& place : places) {
            if (place.widget != row)
                continue;
            if (place.shown.width <= 0)
                ++hidden;
            else if (place.shown.height < place.box.height)
                ++cut;
            else
                ++whole;
            if (place.shown.width > 0) {
                EXPECT_TRUE(Within(place.shown, list->box));
            }
        }
    }
    EXPECT_GT(whole, 0);
    EXPECT_GT(hidden, 0) << "30 rows do not fit";
    EXPECT_LE(cut, 1) << "only the row across the list's edge is cut";
}

// A dialog is centred across the screen, a third of the way down, its widgets
// under its title bar.
TEST_F(PaintTest, Dialog_CentredAThirdDown_WidgetsUnderItsTitle) {
    Run("palette P\npanel A in P\nopen opal\nmenu About\n");
    const auto screen = Screen();
    ASSERT_EQ(screen.dialogs.size(), 1u);
    const host::paint::DialogLook& dialog = screen.dialogs[0];
    const auto& area = dialog.area;
    EXPECT_LE(std::abs(area.left - (host::paint::kScreenWidth - area.width - area.left)), 1);
    EXPECT_LE(std::abs(2 * area.top - (host::paint::kScreenHeight - area.height - area.top)), 2);
    EXPECT_EQ(dialog.content.y, dialog.title.Bottom());
    const Rect content = host::paint::OnScreen(area, dialog.content);
    const auto places = host::paint::DialogPlaces(dialog);
    ASSERT_FALSE(places.empty());
    for (const auto& place : places) {
        EXPECT_TRUE(Within(place.box, content)) << place.box.x << "," << place.box.y << " "
                                                << place.box.width << "x" << place.box.height;
    }
}

} // namespace
