// Drawing: the host has a view draw into a view port (class kViewPortBoss)
// whose graphics port (0x1605) records every operation, one line each:
// save, restore, color R G B, fill X Y W H, stroke-rect X Y W H, move X Y,
// line X Y, stroke (numbers as %g).
#pragma once

#include "CPMUnknown.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"

#include <string>
#include <vector>

namespace host::ui {

class GraphicsPortRecorder : public CPMUnknown<IGraphicsPort> {
public:
    using CPMUnknown<IGraphicsPort>::CPMUnknown;
    void gsave() override;
    void grestore() override;
    void setrgbcolor(PMReal r, PMReal g, PMReal b) override;
    void rectfill(PMReal x, PMReal y, PMReal width, PMReal height) override;
    void rectstroke(PMReal x, PMReal y, PMReal width, PMReal height) override;
    void moveto(PMReal x, PMReal y) override;
    void lineto(PMReal x, PMReal y) override;
    void stroke() override;

    std::vector<std::string> operations;

private:
    void Record(const char* op, std::initializer_list<PMReal> numbers);
};

// Has the view draw itself now, into a fresh view port; returns what it drew.
OPAL_SDK_API std::vector<std::string> DrawNow(IControlView* view);

} // namespace host::ui
