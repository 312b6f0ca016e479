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
    if (canvas)
        canvas->Save();
}
void GraphicsPortRecorder::grestore() {
    Record("restore", {});
    if (canvas)
        canvas->Restore();
}
void GraphicsPortRecorder::setrgbcolor(PMReal r, PMReal g, PMReal b) {
    Record("color", {r, g, b});
    if (canvas)
        canvas->SetColor(r, g, b);
}
void GraphicsPortRecorder::rectfill(PMReal x, PMReal y, PMReal width, PMReal height) {
    Record("fill", {x, y, width, height});
    if (canvas)
        canvas->FillRect(x, y, width, height);
}
void GraphicsPortRecorder::rectstroke(PMReal x, PMReal y, PMReal width, PMReal height) {
    Record("stroke-rect", {x, y, width, height});
    if (canvas)
        canvas->StrokeRect(x, y, width, height);
}
void GraphicsPortRecorder::moveto(PMReal x, PMReal y) {
    Record("move", {x, y});
    if (canvas)
        canvas->MoveTo(x, y);
}
void GraphicsPortRecorder::lineto(PMReal x, PMReal y) {
    Record("line", {x, y});
    if (canvas)
        canvas->LineTo(x, y);
}
void GraphicsPortRecorder::stroke() {
    Record("stroke", {});
    if (canvas)
        canvas->Stroke();
}

std::vector<std::string> DrawNow(const Boss* widget, PortCanvas* canvas) {
    IControlView* view = ViewOf(widget);
    if (!view)
        return {};
    Boss* port = widget->Model().CreateBoss(kViewPortBoss);
    if (!port)
        return {};
    std::vector<std::string> drawn;
    auto* recorder = OwnPart<GraphicsPortRecorder>(port, IID_IGRAPHICSPORT, kGraphicsPortImpl);
    if (auto* viewPort = port->PeekAs<IViewPort>(IID_IVIEWPORT)) {
        if (recorder)
            recorder->canvas = canvas;
        view->Draw(viewPort, nullptr);
        if (recorder) {
            recorder->canvas = nullptr;
            drawn = recorder->operations;
        }
    }
    port->Release();
    return drawn;
}

} // namespace host::ui
