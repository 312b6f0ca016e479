#include "ui/GraphicsPort.h"

#include "CPMUnknown.h"
#include "core/Host.h"
#include "ui/Widgets.h"

#include <cstdio>

namespace host::ui {
namespace {

class ViewPort : public CPMUnknown<IViewPort> {
public:
    using CPMUnknown<IViewPort>::CPMUnknown;
};
CREATE_PMINTERFACE(ViewPort, kViewPortImpl);

} // namespace

CREATE_PMINTERFACE(GraphicsPortRecorder, kGraphicsPortImpl);

void GraphicsPortRecorder::Record(const char* op, std::initializer_list<PMReal> numbers) {
    std::string line = op;
    for (PMReal n : numbers) {
        char text[32];
        std::snprintf(text, sizeof text, " %g", n);
        line += text;
    }
    operations.push_back(line);
}

void GraphicsPortRecorder::gsave() {
    Record("save", {});
}
void GraphicsPortRecorder::grestore() {
    Record("restore", {});
}
void GraphicsPortRecorder::setrgbcolor(PMReal r, PMReal g, PMReal b) {
    Record("color", {r, g, b});
}
void GraphicsPortRecorder::rectfill(PMReal x, PMReal y, PMReal width, PMReal height) {
    Record("fill", {x, y, width, height});
}
void GraphicsPortRecorder::rectstroke(PMReal x, PMReal y, PMReal width, PMReal height) {
    Record("stroke-rect", {x, y, width, height});
}
void GraphicsPortRecorder::moveto(PMReal x, PMReal y) {
    Record("move", {x, y});
}
void GraphicsPortRecorder::lineto(PMReal x, PMReal y) {
    Record("line", {x, y});
}
void GraphicsPortRecorder::stroke() {
    Record("stroke", {});
}

std::vector<std::string> DrawNow(IControlView* view) {
    if (!view)
        return {};
    Boss* port = Host::Get().Model().CreateBoss(kViewPortBoss);
    if (!port)
        return {};
    std::vector<std::string> drawn;
    if (auto* viewPort = port->PeekAs<IViewPort>(IID_IVIEWPORT)) {
        view->Draw(viewPort, nullptr);
        if (auto* recorder =
                OwnPart<GraphicsPortRecorder>(port, IID_IGRAPHICSPORT, kGraphicsPortImpl))
            drawn = recorder->operations;
    }
    port->Release();
    return drawn;
}

} // namespace host::ui
