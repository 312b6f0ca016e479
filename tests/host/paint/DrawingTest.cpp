// The windows' drawing as a recording painter receives it: what is drawn
// where, what shows on top, what a clip hides, and that every save is
// restored.
#include "paint/Drawing.h"
#include "HostIDs.h"
#include "OpalID.h"
#include "PaintTestSupport.h"
#include "ui/DialogManager.h"
#include "ui/UserAction.h"
#include "ui/Widgets.h"

#include <cmath>

using host::paint::GroupLook;
using host::paint::PaletteLook;
using host::paint::Rect;
using testing_support::PaintOp;
using testing_support::PaintTest;
using testing_support::RecordingPainter;
using testing_support::Within;

namespace {

Rect Window(const host::paint::WindowArea& area) {
    return {0, 0, double(area.width), double(area.height)};
}

bool Dark(host::paint::Color c) {
    return c.r + c.g + c.b < 1.0;
}

double Brightness(host::paint::Color c) {
    return c.r + c.g + c.b;
}

double CentreX(const Rect& r) {
    return r.x + r.width / 2;
}

// Everything shown lies in the window, and the painter is left as it was found.
void ExpectContained(const RecordingPainter& painter, const Rect& window) {
    EXPECT_EQ(painter.Depth(), 0) << "a save was not restored";
    EXPECT_EQ(painter.Unmatched(), 0) << "a restore without its save";
    for (const PaintOp& op : painter.Ops()) {
        if (op.Shows()) {
            EXPECT_TRUE(Within(host::paint::Intersection(op.area, op.clip), window))
                << "kind " << op.kind << " '" << op.text << "' at " << op.area.x << ","
                << op.area.y;
        }
    }
}

TEST_F(PaintTest, Palette_FrameTitleTabsAndPlaceholder_WhereTheLayoutPutsThem) {
    Run("palette P at 10 10\npanel Front in P\npanel Back in P\nfront Front\n");
    const PaletteLook look = Palette("P");
    RecordingPainter painter;
    host::paint::DrawPalette(painter, look);
    ExpectContained(painter, Window(look.area));

    // The frame under everything, showing as the window's one-pixel edge.
    ASSERT_FALSE(painter.Ops().empty());
    EXPECT_EQ(painter.Ops()[0].kind, PaintOp::kFill);
    EXPECT_TRUE(Within(Window(look.area), painter.Ops()[0].area));
    const PaintOp* corner = painter.TopAt(0, 0);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner, &painter.Ops()[0]);

    // The title: light bold text on the dark bar.
    const auto title = painter.TextsOf("P");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_TRUE(Within(title[0].area, look.title));
    EXPECT_TRUE(title[0].font.bold);
    EXPECT_FALSE(Dark(title[0].color));
    const PaintOp* bar = painter.TopAt(look.title.Right() - 1, look.title.y + 1);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Dark(bar->color));

    // Each tab's name on its own tab, the front one in bold; between the
    // tabs the strip shows.
    const GroupLook& group = look.groups.at(0);
    for (const auto& tab : group.tabs) {
        const auto names = painter.TextsOf(tab.name);
        ASSERT_FALSE(names.empty()) << tab.name;
        // Across the tab, and in its height: the text's band is the strip's.
        EXPECT_GE(names[0].area.x, tab.area.x) << tab.name;
        EXPECT_LE(names[0].area.Right(), tab.area.Right()) << tab.name;
        const double middle = names[0].area.y + names[0].area.height / 2;
        EXPECT_TRUE(middle > tab.area.y && middle < tab.area.Bottom()) << tab.name;
        EXPECT_EQ(names[0].font.bold, tab.front) << tab.name;
        const PaintOp* face = painter.TopAt(tab.area.x + 1, tab.area.y + 1);
        ASSERT_NE(face, nullptr);
        EXPECT_TRUE(Within(face->area, tab.area)) << tab.name << ": its own face on top";
    }
    const double gap = group.tabs.at(0).area.Right() + 1;
    const PaintOp* strip = painter.TopAt(gap, group.strip.y + 1);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->area.y, group.strip.y);
    EXPECT_EQ(strip->area.height, group.strip.height);

    // A host panel without a widget: its name centred on a flat face.
    const auto placeholder = painter.TextsOf("Front");
    ASSERT_EQ(placeholder.size(), 2u) << "the tab and the placeholder";
    EXPECT_TRUE(Within(placeholder[1].area, group.content));
    EXPECT_DOUBLE_EQ(CentreX(placeholder[1].area), CentreX(group.content));
    const PaintOp* face = painter.TopAt(group.content.x + 2, group.content.Bottom() - 2);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->color.r, host::paint::ToColor(host::paint::kPlaceholderFace).r);
}

TEST_F(PaintTest, MenuButton_OnlyWhereAsked_InsideItsSquare) {
    Run("palette P\npanel A in P\npalette Empty\n");
    const PaletteLook look = Palette("P");
    const auto strokes = [](const RecordingPainter& painter) {
        std::vector<PaintOp> found;
        for (const PaintOp& op : painter.Ops())
            if (op.kind == PaintOp::kStroke)
                found.push_back(op);
        return found;
    };
    RecordingPainter picture, live, empty;
    host::paint::DrawPalette(picture, look);
    host::paint::DrawPalette(live, look, {/*menuButton=*/true});
    host::paint::DrawPalette(empty, Palette("Empty"), {/*menuButton=*/true});
    EXPECT_TRUE(strokes(picture).empty()) << "pictures of the screen show no menu button";
    ASSERT_EQ(strokes(live).size(), 1u);
    EXPECT_TRUE(Within(strokes(live)[0].area, look.menu));
    EXPECT_TRUE(strokes(empty).empty()) << "a palette without panels has no menu";
}

// The Opal panel: the selected row highlighted with light text, the others
// dark on white; rows below the list are clipped away; what the plug-in's
// views draw themselves stays within their widgets.
TEST_F(PaintTest, OpalPanel_SelectionShows_ListClipsRows_ViewsDrawInsideThemselves) {
    std::string script = "palette Many\n";
    for (int i = 0; i < 30; ++i)
        script += "panel P" + std::to_string(i) + " in Many\n";
    Run(script + "open opal\nselect P1\n");
    const PaletteLook look = Palette("Opal");
    RecordingPainter painter;
    host::paint::DrawPalette(painter, look);
    ExpectContained(painter, Window(look.area));

    // Each row's name, once: the selected one light on its darker highlight,
    // the others dark on the list's white.
    const auto contrast = [&](const std::string& name) {
        const auto texts = painter.TextsOf(name);
        EXPECT_EQ(texts.size(), 1u) << name;
        if (texts.empty())
            return 0.0;
        const PaintOp* under = painter.TopAt(texts[0].area.x + 1, texts[0].area.y + 1);
        EXPECT_NE(under, nullptr) << name;
        return under ? Brightness(texts[0].color) - Brightness(under->color) : 0.0;
    };
    EXPECT_GT(contrast("P1"), 1.0) << "selected";
    EXPECT_LT(contrast("P0"), -1.0) << "not selected";

    // Thirty rows do not fit: the last is drawn but clipped to the list.
    const auto last = painter.TextsOf("P29");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_FALSE(last[0].Shows());
    EXPECT_TRUE(Within(last[0].clip, Window(look.area)));

    // Operations clipped tighter than the window are the views' own drawing
    // (the opacity bars) and the list's rows: each lies within a widget.
    const auto places = host::paint::PanelPlaces(look, look.groups.at(0));
    int bars = 0;
    for (const PaintOp& op : painter.Ops()) {
        if (!op.Shows() || op.kind == PaintOp::kText || Within(Window(look.area), op.clip))
            continue;
        bool inWidget = false;
        for (const auto& place : places) {
            const Rect box = {place.box.x - look.area.left, place.box.y - look.area.top,
                              place.box.width, place.box.height};
            inWidget |= Within(op.clip, box) || Within(box, op.clip);
        }
        EXPECT_TRUE(inWidget) << op.area.x << "," << op.area.y;
        bars += op.kind == PaintOp::kFill && Within(op.clip, look.groups[0].content);
    }
    EXPECT_GT(bars, 0) << "the rows' bars are drawn";
}

TEST_F(PaintTest, OpalPanel_OpacityLabelKeepsClearOfTheField) {
    Run("palette Tools\npanel P1 in Tools\nopen opal\n");
    const PaletteLook look = Palette("Opal");
    // Text as wide as the host's font makes "Opacity:" (44 pixels), wider
    // than its 40-pixel frame; other texts fit theirs.
    RecordingPainter painter(5.5, true);
    host::paint::DrawPalette(painter, look);
    const auto label = painter.TextsOf("Opacity:");
    ASSERT_EQ(label.size(), 1u);
    Rect field;
    for (const auto& place : host::paint::PanelPlaces(look, look.groups.at(0)))
        if (host::ui::ViewOf(place.widget)->GetWidgetID() == kOpalOpacitySliderWidgetID)
            field = place.box;
    ASSERT_GT(field.width, 0);
    EXPECT_LE(label[0].area.Right() + look.area.left, field.x - 2);
    EXPECT_LT(label[0].font.size, 10);
    EXPECT_GE(label[0].font.size, 8);
    // A name in a row is cut to fit instead, at the font's own size.
    const auto row = painter.TextsOf("P1");
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].font.size, 10);
}

TEST_F(PaintTest, Dialog_TitleAndButtonText_CentredWhereTheyBelong) {
    Run("palette P\npanel A in P\nopen opal\nmenu About\n");
    const auto screen = Screen();
    ASSERT_EQ(screen.dialogs.size(), 1u);
    const host::paint::DialogLook& dialog = screen.dialogs[0];
    RecordingPainter painter;
    host::paint::DrawDialog(painter, dialog);
    ExpectContained(painter, Window(dialog.area));
    const auto title = painter.TextsOf(dialog.view.title);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_TRUE(Within(title[0].area, dialog.title));

    // The OK button: its text centred on its face.
    for (const auto& place : host::paint::DialogPlaces(dialog)) {
        if (host::paint::HostKind(place.widget) != kOKButtonWidgetBoss)
            continue;
        const Rect box = {place.box.x - dialog.area.left, place.box.y - dialog.area.top,
                          place.box.width, place.box.height};
        const auto label = painter.TextsOf(host::ui::TextOf(place.widget));
        ASSERT_EQ(label.size(), 1u);
        EXPECT_DOUBLE_EQ(CentreX(label[0].area), CentreX(box));
        EXPECT_TRUE(Within(label[0].area, box));

        // Held with the pointer over it, its face is darker; moved off, as before.
        const auto face = [&] {
            RecordingPainter again;
            host::paint::DrawDialog(again, dialog);
            double brightness = -1;
            for (const PaintOp& op : again.Ops())
                if (op.kind == PaintOp::kFill && op.area.Contains(box.x + 3, box.y + 3))
                    brightness = Brightness(op.color);
            return brightness;
        };
        const double plain = face();
        host::Boss* ok = const_cast<host::Boss*>(place.widget);
        auto& host = TheHost();
        host::ui::Perform(host, host::ui::UserAction::ButtonDown(ok));
        EXPECT_LT(face(), plain);
        host::ui::Perform(host, host::ui::UserAction::ButtonDrag(ok, false));
        EXPECT_DOUBLE_EQ(face(), plain);
        host::ui::Perform(host, host::ui::UserAction::ButtonUp(ok, false));
        EXPECT_EQ(TheHost().Get<host::ui::DialogManager>().OpenDialogs(), 1u);
        return;
    }
    ADD_FAILURE() << "the dialog has no OK button";
}

TEST(PaintBareWindow, TitleBarOverAFace_CoveringTheWindow) {
    RecordingPainter painter;
    host::paint::DrawBareWindow(painter, "Opal", 240, 120);
    ExpectContained(painter, {0, 0, 240, 120});
    for (const double y : {0.0, 17.0, 18.0, 119.0})
        for (const double x : {0.0, 239.0})
            EXPECT_NE(painter.TopAt(x, y), nullptr) << x << "," << y;
    EXPECT_TRUE(Dark(painter.TopAt(0, 17)->color)) << "the title bar";
    EXPECT_FALSE(Dark(painter.TopAt(0, 18)->color)) << "the face";
}

} // namespace
