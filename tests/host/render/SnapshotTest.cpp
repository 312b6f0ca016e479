// Pictures of the screen, checked pixel by pixel: windows composited at the
// alpha the window system holds, plain windows opaque, the plug-in's bars and
// icons where its widgets are, greyed texts, and the same bytes every time.
#include "HostTestSupport.h"
#include "OpalID.h"
#include "render/Screen.h"
#include "resources/Pictures.h"
#include "script/ScriptRunner.h"
#include "script/Session.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

namespace {

using host::Bytes;
using host::Picture;
using host::render::WindowArea;

struct Rgb {
    int r, g, b;
};

Rgb At(const Picture& p, int32 x, int32 y) {
    const uint8* px = &p.rgba[(std::size_t(y) * p.width + std::size_t(x)) * 4];
    return {px[0], px[1], px[2]};
}

// Runs the script in a session with the plug-in, then calls `look` while the
// session still runs, with the session's host.
void RunScript(const std::string& script, const std::function<void(host::Host&)>& look) {
    host::Session session(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
    std::string error;
    ASSERT_TRUE(session.Start(&error)) << error;
    std::istringstream in(script);
    std::ostringstream out, err;
    host::ScriptContext context{session, out, err};
    ASSERT_EQ(host::ScriptRunner().Run(in, context), 0) << err.str();
    look(session.GetHost());
    session.Stop(false);
}

const WindowArea& Window(const std::vector<WindowArea>& windows, const std::string& name) {
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [&](const WindowArea& w) { return w.name == name; });
    if (found == windows.end())
        throw std::runtime_error("no window " + name);
    return *found;
}

struct Box {
    int32 left, top, width, height;
};

// The widget's top-left corner below `from`, which sits at (x, y).
bool Offset(const host::Boss* from, const host::Boss* widget, double x, double y, double* outX,
            double* outY) {
    if (from == widget) {
        *outX = x;
        *outY = y;
        return true;
    }
    for (const host::Boss* child : host::ui::ChildrenOf(from)) {
        const PMRect f = host::ui::ViewOf(child)->GetFrame();
        if (Offset(child, widget, x + f.Left(), y + f.Top(), outX, outY))
            return true;
    }
    return false;
}

// Where a widget of the Opal panel is on the screen.
Box ScreenBox(host::Host& host, const host::Boss* widget) {
    const auto id = host.Get<host::ui::PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
    const WindowArea opal = Window(host::render::ShownWindows(host), "Opal");
    const host::Boss* root = host.Get<host::ui::PluginPanels>().PanelWidget(*id);
    double x = 0, y = 0;
    EXPECT_TRUE(Offset(root, widget, opal.panels.at(0).left, opal.panels.at(0).top, &x, &y));
    const PMRect frame = host::ui::ViewOf(widget)->GetFrame();
    return {static_cast<int32>(std::lround(x)), static_cast<int32>(std::lround(y)),
            static_cast<int32>(std::lround(frame.Width())),
            static_cast<int32>(std::lround(frame.Height()))};
}

host::Boss* OpalWidget(host::Host& host, WidgetID id) {
    const auto panel = host.Get<host::ui::PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
    return host::ui::FindWidget(host.Get<host::ui::PluginPanels>().PanelWidget(*panel), id);
}

host::Boss* Row(host::Host& host, const std::string& name) {
    for (host::Boss* row : host::ui::ListRows(OpalWidget(host, kOpalPanelListWidgetID)))
        if (host::ui::TextOf(host::ui::FindWidget(row, kOpalRowNameWidgetID)) == name)
            return row;
    throw std::runtime_error("no row " + name);
}

TEST(Snapshot, TranslucentPaletteShowsThePageAsMuchAsItsAlphaSays) {
    // Over the page's picture, so that page and panel differ in colour.
    const std::string world = "palette P at 150 250\npanel X in P\npalette Q at 500 250\n"
                              "panel Y in Q\ndo add-alpha X\ndo set-alpha X 40\ntick\n";
    Picture with, without;
    WindowArea p, q;
    RunScript(world, [&](host::Host& host) {
        with = host::render::DrawScreen(host);
        p = Window(host::render::ShownWindows(host), "P");
        q = Window(host::render::ShownWindows(host), "Q");
    });
    RunScript(world + "hide X\nhide Y\n",
              [&](host::Host& host) { without = host::render::DrawScreen(host); });
    ASSERT_EQ(with.width, uint32{host::render::kScreenWidth});
    EXPECT_EQ(p.alpha, 102) << "40 % as the window system holds it";
    EXPECT_EQ(q.alpha, 255);

    // Points of the placeholders' faces away from their names.
    const double a = p.alpha / 255.0;
    const auto face = host::render::kPlaceholderFace;
    int differing = 0;
    for (int32 dx : {5, 60, 180})
        for (int32 dy : {5, 80}) {
            const int32 x = p.panels.at(0).left + dx, y = p.panels.at(0).top + dy;
            const Rgb page = At(without, x, y), shown = At(with, x, y);
            EXPECT_NEAR(shown.r, face.r * a + page.r * (1 - a), 1.0) << x << "," << y;
            EXPECT_NEAR(shown.g, face.g * a + page.g * (1 - a), 1.0) << x << "," << y;
            EXPECT_NEAR(shown.b, face.b * a + page.b * (1 - a), 1.0) << x << "," << y;
            differing += std::abs(page.r - face.r) > 40;

            const int32 qx = q.panels.at(0).left + dx, qy = q.panels.at(0).top + dy;
            const Rgb plain = At(with, qx, qy);
            EXPECT_EQ(plain.r, face.r) << "a plain window covers the page";
            EXPECT_EQ(plain.g, face.g);
            EXPECT_EQ(plain.b, face.b);
            EXPECT_NE(At(without, qx, qy).r, 0) << "the desk is no black hole";
        }
    EXPECT_GT(differing, 2) << "the points lie over the page's picture";
}

TEST(Snapshot, AHalfOpaqueRowsBarFillsHalfAndStaysInItsFrame) {
    RunScript("palette P\npanel Half in P\ndo add-alpha Half\ndo set-alpha Half 50\nopen opal\n"
              "place Opal 300 100\ntick\n",
              [](host::Host& host) {
                  const Picture shot = host::render::DrawScreen(host);
                  const Box bar = ScreenBox(
                      host, host::ui::FindWidget(Row(host, "Half"), kOpalRowAlphaBarWidgetID));
                  ASSERT_EQ(bar.width, 156);
                  ASSERT_EQ(bar.height, 7);
                  const Rgb body{27, 57, 77}; // the bar's body colour, in its lowest unit
                  const int32 filled = (bar.width - 4) / 2;
                  for (int32 x = bar.left + 2; x < bar.left + 2 + filled; ++x) {
                      const Rgb px = At(shot, x, bar.top + 4);
                      EXPECT_NEAR(px.r, body.r, 1) << x - bar.left;
                      EXPECT_NEAR(px.g, body.g, 1) << x - bar.left;
                      EXPECT_NEAR(px.b, body.b, 1) << x - bar.left;
                  }
                  const Rgb empty = At(shot, bar.left + 2 + filled + 1, bar.top + 4);
                  EXPECT_GT(empty.r, 200) << "the rest of the bar is empty";
                  // Around the frame: the list's own white, untouched.
                  for (int32 y = bar.top - 1; y <= bar.top + bar.height; ++y)
                      for (int32 x : {bar.left + bar.width, bar.left + bar.width + 2}) {
                          const Rgb px = At(shot, x, y);
                          EXPECT_EQ(px.r + px.g + px.b, 3 * 255)
                              << x - bar.left << "," << y - bar.top;
                      }
                  for (int32 x = bar.left; x < bar.left + bar.width; ++x) {
                      const Rgb below = At(shot, x, bar.top + bar.height);
                      EXPECT_EQ(below.r + below.g + below.b, 3 * 255) << x - bar.left;
                  }
              });
}

// The darkest pixel of a row's name: how dark its text is drawn.
int Darkest(const Picture& shot, const Box& box) {
    int darkest = 255;
    for (int32 y = box.top; y < box.top + box.height; ++y)
        for (int32 x = box.left; x < box.left + box.width; ++x) {
            const Rgb px = At(shot, x, y);
            darkest = std::min(darkest, (px.r + px.g + px.b) / 3);
        }
    return darkest;
}

TEST(Snapshot, GreyedRowsTextIsLighterThanAnEnabledRows) {
    RunScript(
        "palette Stash class 0x1640F\npanel Stashed in Stash\npalette P\npanel Shown in P\n"
        "open opal\nplace Opal 300 100\n",
        [](host::Host& host) {
            const Picture shot = host::render::DrawScreen(host);
            const auto name = [&host](const char* row) {
                return ScreenBox(host, host::ui::FindWidget(Row(host, row), kOpalRowNameWidgetID));
            };
            ASSERT_FALSE(
                host::ui::ViewOf(host::ui::FindWidget(Row(host, "Stashed"), kOpalRowNameWidgetID))
                    ->IsEnabled());
            const int enabled = Darkest(shot, name("Shown"));
            const int greyed = Darkest(shot, name("Stashed"));
            EXPECT_LT(enabled, 80);
            EXPECT_GT(greyed, enabled + 50);
            EXPECT_LT(greyed, 230) << "greyed, yet drawn";
        });
}

TEST(Snapshot, OnOffButtonShowsTheIconOfThePlugInsResources) {
    RunScript("open opal\nplace Opal 300 100\n", [](host::Host& host) {
        const Picture shot = host::render::DrawScreen(host);
        const Box button = ScreenBox(host, OpalWidget(host, kOpalOnOffButtonWidgetID));
        const auto& plugins = host.Plugins();
        ASSERT_FALSE(plugins.empty());
        const Bytes* png = plugins.front()->resources.Find(kPNGRsrcType, kOpalOnIconRsrcID);
        ASSERT_TRUE(png);
        const auto icon = host::DecodePng(*png);
        ASSERT_TRUE(icon);
        const int32 left = button.left + (button.width - int32(icon->width)) / 2;
        const int32 top = button.top + (button.height - int32(icon->height)) / 2;
        // What the icon is drawn over: its top-left pixel is transparent.
        ASSERT_EQ(icon->rgba[3], 0);
        const Rgb under = At(shot, left, top);
        int drawn = 0;
        for (uint32 y = 0; y < icon->height; ++y)
            for (uint32 x = 0; x < icon->width; ++x) {
                const uint8* want = &icon->rgba[(y * icon->width + x) * 4];
                if (want[3] == 0)
                    continue;
                ++drawn;
                // Within two units: premultiplied pixels, and the plug-in keeps its
                // own palette at alpha 254.
                const double a = want[3] / 255.0;
                const Rgb px = At(shot, left + int32(x), top + int32(y));
                EXPECT_NEAR(px.r, want[0] * a + under.r * (1 - a), 2) << x << "," << y;
                EXPECT_NEAR(px.g, want[1] * a + under.g * (1 - a), 2) << x << "," << y;
                EXPECT_NEAR(px.b, want[2] * a + under.b * (1 - a), 2) << x << "," << y;
            }
        EXPECT_GT(drawn, 30);
    });
}

TEST(Snapshot, TheOpenAboutBoxShowsItsPicture) {
    RunScript("open opal\nmenu About\n", [](host::Host& host) {
        const Picture shot = host::render::DrawScreen(host);
        const auto& plugins = host.Plugins();
        ASSERT_FALSE(plugins.empty());
        const Bytes* dib = plugins.front()->resources.Find(kBitmapRsrcType, 4000);
        ASSERT_TRUE(dib);
        const auto picture = host::DecodeBitmap(*dib);
        ASSERT_TRUE(picture);
        // The dialog (410 × 160, with its frame and title bar) sits centred
        // across and a third down; its picture at 282, 15 inside it.
        const int32 width = 410 + 2, height = 160 + 2 + 18;
        const int32 left = (host::render::kScreenWidth - width) / 2 + 1 + 282;
        const int32 top = (host::render::kScreenHeight - height) / 3 + 1 + 18 + 15;
        for (uint32 y = 0; y < picture->height; ++y)
            for (uint32 x = 0; x < picture->width; ++x) {
                const uint8* want = &picture->rgba[(y * picture->width + x) * 4];
                const Rgb px = At(shot, left + int32(x), top + int32(y));
                ASSERT_EQ(px.r, want[0]) << x << "," << y;
                ASSERT_EQ(px.g, want[1]) << x << "," << y;
                ASSERT_EQ(px.b, want[2]) << x << "," << y;
            }
    });
}

TEST(Snapshot, TheSameScriptGivesTheSameBytes) {
    const auto file = testing_support::ScratchPath("snapshot.png");
    const std::string script = "palette P\npanel X in P\npanel Y in P new-group\ndo add-alpha X\n"
                               "do set-alpha X 70\nopen opal\nselect X\ntick\nsnapshot " +
                               file.string() + "\n";
    Bytes first, second;
    Picture drawn;
    const auto read = [&] {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    };
    RunScript(script, [&](host::Host& host) {
        first = read();
        drawn = host::render::DrawScreen(host);
    });
    RunScript(script, [&](host::Host&) { second = read(); });
    std::filesystem::remove(file);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    std::string error;
    const auto decoded = host::DecodePng(first, &error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->rgba, drawn.rgba) << "the file holds the screen as drawn";
}

} // namespace
