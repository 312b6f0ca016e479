#include "ui/OpalPanelControlView.h"

#include "ImplementationRegistry.h"
#include "OpalID.h"

#include <cmath>

namespace {

constexpr PMReal kTolerance = 1e-8;
constexpr PMReal kMinWidth = 174.0;
constexpr PMReal kMinHeight = 117.0;
constexpr PMReal kMaxSide = 2048.0;
// Zero-size requests come in pairs from the host (collapse, then restore);
// the restore comes back lower than recorded by the palette's tab strip.
constexpr PMReal kCollapsedSide = 128.0;
constexpr PMReal kReopenShrink = 18.0;

PMReal Clamp(PMReal value, PMReal low, PMReal high) {
    if (value > high + kTolerance)
        return high;
    if (value < low - kTolerance)
        return low;
    return value;
}

} // namespace

OpalPanelControlView::OpalPanelControlView(IPMUnknown* boss) : WErasablePanelView(boss) {}

OpalPanelControlView::~OpalPanelControlView() = default;

PMPoint OpalPanelControlView::ConstrainDimensions(const PMPoint& dimensions) const {
    return PMPoint(Clamp(dimensions.X(), kMinWidth, kMaxSide),
                   Clamp(dimensions.Y(), kMinHeight, kMaxSide));
}

void OpalPanelControlView::Resize(const PMPoint& dimensions, bool16 invalidate) {
    PMPoint size = dimensions;
    if (std::fabs(dimensions.X()) < kTolerance && std::fabs(dimensions.Y()) < kTolerance) {
        if (fSavedSize.Y() > kTolerance) {
            size = PMPoint(fSavedSize.X(), fSavedSize.Y() - kReopenShrink);
            fSavedSize = PMPoint(0.0, 0.0);
        } else {
            fSavedSize = PMPoint(kCollapsedSide, kCollapsedSide);
        }
    }
    PanelView::Resize(size, invalidate);
}

CREATE_PMINTERFACE(OpalPanelControlView, kOpalPanelControlViewImpl);
