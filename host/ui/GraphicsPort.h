// Drawing: the host has a view draw into a view port (class kViewPortBoss)
// whose graphics port (0x1605) records every operation, one line each:
// save, restore, color R G B, fill X Y W H, stroke-rect X Y W H, move X Y,
// line X Y, stroke (numbers as %g); and, when a canvas is attached (the
// pictures of the screen), also paints it there.
#pragma once

#include "CPMUnknown.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"

#include <string>
#include <vector>

namespace host {
class Boss;
}

namespace host::ui {

// Where a port paints: coordinates are the drawing view's, from its top-left.
class PortCanvas {
public:
    virtual ~PortCanvas() = default;
    virtual void Save() = 0;
    virtual void Restore() = 0;
    virtual void SetColor(double r, double g, double b) = 0;
    virtual void FillRect(double x, double y, double width, double height) = 0;
    virtual void StrokeRect(double x, double y, double width, double height) = 0;
    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    virtual void Stroke() = 0;
};

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
    PortCanvas* canvas = nullptr; // not owned

private:
    void Record(const char* op, std::initializer_list<PMReal> numbers);
};

// Has the widget's view draw itself now, into a fresh view port; returns
// what it drew.
OPAL_SDK_API std::vector<std::string> DrawNow(const Boss* widget, PortCanvas* canvas = nullptr);

} // namespace host::ui
