// `print places` against the picture of the same screen: each place a person
// would click lies on what is drawn there.
#include "render/Screen.h"
#include "script/ScriptRunner.h"
#include "script/Session.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iomanip>
#include <map>
#include <sstream>

namespace {

using host::Picture;

struct Place {
    int32 x = 0, y = 0, width = 0, height = 0;
};

struct Rgb {
    int r, g, b;
};

// The places the script prints last, by "KIND NAME", and the screen then.
struct Screen {
    std::map<std::string, Place> places;
    Picture shot;
};

Screen RunAndPlace(const std::string& script) {
    host::Session session(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
    std::string error;
    EXPECT_TRUE(session.Start(&error)) << error;
    std::istringstream in(script + "print places\n");
    std::ostringstream out, err;
    host::ScriptContext context{session, out, err};
    EXPECT_EQ(host::ScriptRunner().Run(in, context), 0) << err.str();
    Screen screen;
    screen.shot = host::render::DrawScreen(session.GetHost());
    session.Stop(false);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word, kind, name;
        Place p;
        if (words >> word >> kind >> std::quoted(name) >> p.x >> p.y >> p.width >> p.height &&
            word == "place")
            screen.places[kind + " " + name] = p;
    }
    EXPECT_FALSE(screen.places.empty()) << out.str();
    return screen;
}

Rgb At(const Picture& p, int32 x, int32 y) {
    const uint8* px = &p.rgba[(std::size_t(y) * p.width + std::size_t(x)) * 4];
    return {px[0], px[1], px[2]};
}

// Within two units: the Opal palette is composited at alpha 254.
void ExpectColour(const Screen& screen, int32 x, int32 y, Rgb want, const std::string& what) {
    const Rgb got = At(screen.shot, x, y);
    EXPECT_LE(std::abs(got.r - want.r) + std::abs(got.g - want.g) + std::abs(got.b - want.b), 6)
        << what << " at " << x << "," << y << ": " << got.r << " " << got.g << " " << got.b;
}

const Place& Find(const Screen& screen, const std::string& key) {
    static const Place none;
    const auto found = screen.places.find(key);
    EXPECT_NE(found, screen.places.end()) << "no place " << key;
    return found == screen.places.end() ? none : found->second;
}

constexpr Rgb kFrame{0x3a, 0x3d, 0x44}, kTitleBar{0x4a, 0x4f, 0x5a}, kTabStrip{0xbd, 0xbf, 0xc4},
    kFrontTab{0xe4, 0xe4, 0xe4}, kBackTab{0xcc, 0xce, 0xd2}, kSelection{0x3b, 0x6e, 0xc6},
    kListFace{0xff, 0xff, 0xff}, kFieldEdge{0x8c, 0x8c, 0x8c};

TEST(Places, PalettesTitlesAndTabsLieOnWhatIsDrawnThere) {
    const Screen s =
        RunAndPlace("palette P at 40 40\npanel Front in P\npanel Back in P\nfront Front\n");
    const Place& window = Find(s, "palette P");
    ExpectColour(s, window.x, window.y, kFrame, "the window's top-left corner");
    ExpectColour(s, window.x + window.width - 1, window.y + window.height - 1, kFrame,
                 "the window's bottom-right corner");
    const Place& title = Find(s, "title P");
    ExpectColour(s, title.x + title.width - 2, title.y + title.height / 2, kTitleBar, "the title");
    const Place& front = Find(s, "tab Front");
    ExpectColour(s, front.x + 2, front.y + 1, kFrontTab, "the front tab");
    ExpectColour(s, front.x - 1, front.y + 1, kTabStrip, "left of the front tab");
    const Place& back = Find(s, "tab Back");
    ExpectColour(s, back.x + back.width - 2, back.y + 1, kBackTab, "the back tab");
    ExpectColour(s, back.x + back.width, back.y + 1, kTabStrip, "right of the back tab");
    const Place& menu = Find(s, "menu P");
    EXPECT_EQ(menu.x + menu.width, window.x + window.width - 1) << "at the right, in the frame";
    EXPECT_EQ(menu.y, front.y - 3) << "in the tab strip";
}

TEST(Places, OpalRowsAndFieldLieOnTheirDrawing) {
    const Screen s = RunAndPlace("palette P\npanel One in P\npanel Two in P\nopen opal\n"
                                 "place Opal 300 100\nselect Two\n");
    bool selectedSeen = false;
    for (int32 i = 0;; ++i) {
        const auto found = s.places.find("row " + std::to_string(i));
        if (found == s.places.end())
            break;
        const Place& row = found->second;
        // The row's left end: its highlight, or the list's face.
        const Rgb left = At(s.shot, row.x + 1, row.y + row.height / 2);
        const bool selected = std::abs(left.b - kSelection.b) + std::abs(left.r - kSelection.r) < 6;
        selectedSeen |= selected;
        if (!selected)
            ExpectColour(s, row.x + 1, row.y + row.height / 2, kListFace, "an unselected row");
    }
    EXPECT_TRUE(selectedSeen) << "the selected row shows its highlight where its place is";
    const Place& field = Find(s, "field opacity");
    ExpectColour(s, field.x, field.y, kFieldEdge, "the field's edge");
    ExpectColour(s, field.x + field.width - 1, field.y + field.height - 1, kFieldEdge,
                 "the field's far edge");
    EXPECT_GT(Find(s, "button onoff").width, 0);
    EXPECT_GT(Find(s, "button swap").width, 0);
    EXPECT_GT(Find(s, "sizebox opal").width, 0);
}

TEST(Places, TheAboutBoxAndItsButtonLieOnTheirDrawing) {
    const Screen s = RunAndPlace("open opal\nmenu About\n");
    const Place& dialog = Find(s, "dialog About Opal");
    ExpectColour(s, dialog.x, dialog.y, kFrame, "the dialog's corner");
    ExpectColour(s, dialog.x + 3, dialog.y + 3, kTitleBar, "the dialog's title bar");
    const Place& ok = Find(s, "button OK");
    ExpectColour(s, ok.x, ok.y, kFieldEdge, "the button's edge");
    ExpectColour(s, ok.x + 2, ok.y + 2, kBackTab, "the button's face");
}

} // namespace
