// Names in Chinese, Japanese or Korean are drawn with a face that has their
// characters (fontconfig's choice), not as the main face's empty boxes.
#include "render/Screen.h"
#include "script/ScriptRunner.h"
#include "script/Session.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using host::Picture;

// The pixels of the title bar's first 60 pixels of text.
std::vector<uint8> Title(const Picture& p, const host::render::WindowArea& w) {
    std::vector<uint8> pixels;
    for (int32 y = w.top + 2; y < w.top + 18; ++y)
        for (int32 x = w.left + 6; x < w.left + 66; ++x)
            for (int k = 0; k < 3; ++k)
                pixels.push_back(p.rgba[(size_t(y) * p.width + size_t(x)) * 4 + size_t(k)]);
    return pixels;
}

TEST(CjkTextTest, TwoCjkNames_AreDrawnDifferentlyAndNotAsBoxes) {
    host::Session session(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
    std::string error;
    ASSERT_TRUE(session.Start(&error)) << error;
    // U+E000, a private-use character no installed face draws: the boxes.
    std::istringstream in("palette 图层 at 20 20\npalette 色板 at 20 200\n"
                          "palette \"\xee\x80\x80\xee\x80\x80\" at 20 380\n");
    std::ostringstream out, err;
    host::ScriptContext context{session, out, err};
    ASSERT_EQ(host::ScriptRunner().Run(in, context), 0) << err.str();
    const Picture screen = host::render::DrawScreen(session.GetHost());
    const auto windows = host::render::ShownWindows(session.GetHost());
    ASSERT_EQ(windows.size(), 3u);
    const auto layers = Title(screen, windows[0]), swatches = Title(screen, windows[1]),
               boxes = Title(screen, windows[2]);
    EXPECT_NE(layers, swatches);
    EXPECT_NE(layers, boxes);
    EXPECT_NE(swatches, boxes);
    session.Stop(false);
}

} // namespace
