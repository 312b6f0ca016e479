// A session whose world a script makes, laid out with the recording
// painter's text widths.
#pragma once

#include "HostTestSupport.h"
#include "RecordingPainter.h"
#include "paint/Layout.h"
#include "script/ScriptRunner.h"

#include <sstream>
#include <string>

namespace testing_support {

class PaintTest : public HostSessionTest {
protected:
    void Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        host::ScriptContext context{*session, out, err};
        ASSERT_EQ(host::ScriptRunner().Run(in, context), 0) << err.str();
    }
    host::paint::ScreenLook Screen() { return host::paint::LayOut(TheHost(), measure); }
    // The shown palette of that name (a failure, and an empty look, when none is).
    host::paint::PaletteLook Palette(const std::string& name) {
        for (host::paint::PaletteLook& look : Screen().palettes)
            if (look.area.name == name)
                return look;
        ADD_FAILURE() << "no palette " << name << " shown";
        return {};
    }
    RecordingPainter measure; // six pixels a byte
};

inline bool Within(const host::paint::Rect& inner, const host::paint::Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

} // namespace testing_support
