#include "ui/OpalAlphaBarControlView.h"

#include "AGMGraphicsContext.h"
#include "CWidgetObserver.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"

namespace {

struct Colour {
    PMReal red, green, blue;
};
struct BarColours {
    Colour body, middleLine, topLine;
};
constexpr Colour kOutline{0.0, 0.0, 0.0};
constexpr BarColours kNormal{{0.106, 0.223, 0.302}, {0.24, 0.5, 0.675}, {0.356, 0.737, 1.0}};
constexpr BarColours kHighlighted{{1.0, 1.0, 1.0}, {0.85, 0.85, 1.0}, {0.7, 0.7, 1.0}};
// The host's light and dark edge colours.
constexpr int32 kLeftEdgeUIColour = 10;
constexpr int32 kBottomRightEdgeUIColour = 6;

void SetColour(IGraphicsPort* port, const Colour& c) {
    port->setrgbcolor(c.red, c.green, c.blue);
}

// Short bars give negative sizes for the inner lines; the graphics layer
// must not be left to guess what those mean.
void Fill(IGraphicsPort* port, PMReal x, PMReal y, PMReal width, PMReal height) {
    if (width > 0.0 && height > 0.0)
        port->rectfill(x, y, width, height);
}

} // namespace

OpalAlphaBarControlView::OpalAlphaBarControlView(IPMUnknown* boss) : CControlView(boss) {}

OpalAlphaBarControlView::~OpalAlphaBarControlView() = default;

void OpalAlphaBarControlView::Draw(IViewPort* viewPort, SysRgn updateRgn) {
    AGMGraphicsContext context(viewPort, this, updateRgn);
    InterfacePtr<IGraphicsPort> port(context.GetViewPort(), IID_IGRAPHICSPORT);
    if (!port)
        return;
    PMRect frame = GetFrame();
    frame.MoveTo(0.0, 0.0);
    port->gsave();
    DrawBar(port.get(), frame.Width(), frame.Height());
    port->grestore();
}

bool16 OpalAlphaBarControlView::ReadRowOpacity(double* opacity) const {
    InterfacePtr<IWidgetParent> parent(this, IID_IWIDGETPARENT);
    if (!parent)
        return kFalse;
    InterfacePtr<IPanelControlData> row(
        static_cast<IPanelControlData*>(parent->QueryParentFor(IID_IPANELCONTROLDATA)));
    if (!row)
        return kFalse;
    InterfacePtr<IControlView> textView(
        row->QueryWidgetByID(kOpalRowOpacityTextWidgetID, kWidgetSearchDepth));
    InterfacePtr<ITextControlData> text(textView, IID_ITEXTCONTROLDATA);
    if (!text)
        return kFalse;
    *opacity = text->GetString().GetAsDouble();
    return kTrue;
}

void OpalAlphaBarControlView::DrawBar(IGraphicsPort* port, PMReal w, PMReal h) {
    InterfacePtr<IUIColorUtils> uiColours(GetOpalSession(), IID_IUICOLORUTILS);
    if (!uiColours)
        return;
    double opacity = 0.0;
    if (!ReadRowOpacity(&opacity))
        return;
    const PMReal filled = opacity * (w - 4.0) / 100.0;

    SetColour(port, kOutline);
    if (w - 3.0 > 0.0 && h - 3.0 > 0.0)
        port->rectstroke(1.0, 1.0, w - 3.0, h - 3.0);

    const bool highlighted = IsHilited() != kFalse;
    const BarColours& colours = highlighted ? kHighlighted : kNormal;
    SetColour(port, colours.body);
    Fill(port, 2.0, 2.0, filled, h - 4.0);
    SetColour(port, colours.middleLine);
    Fill(port, 4.0, 3.0, filled - 4.0, h - 6.0);
    SetColour(port, colours.topLine);
    Fill(port, 3.0, 2.0, filled - 2.0, h - 6.0);
    if (highlighted)
        return;

    RGBColor edge;
    uiColours->GetRGBColor(kLeftEdgeUIColour, &edge);
    port->setrgbcolor(edge.red, edge.green, edge.blue);
    port->moveto(0.0, 1.0);
    port->lineto(0.0, h - 1.0);
    port->stroke();
    edge = RGBColor();
    uiColours->GetRGBColor(kBottomRightEdgeUIColour, &edge);
    port->setrgbcolor(edge.red, edge.green, edge.blue);
    port->moveto(0.0, h - 1.0);
    port->lineto(w, h - 1.0);
    port->stroke();
    port->moveto(w - 1.0, h - 1.0);
    port->lineto(w - 1.0, 1.0);
    port->stroke();
}

CREATE_PMINTERFACE(OpalAlphaBarControlView, kOpalAlphaBarControlViewImpl);
