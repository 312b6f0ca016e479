#include "ui/UIColors.h"

#include "ImplementationRegistry.h"
#include "ui/Widgets.h"

namespace host::ui {
namespace {

struct Entry {
    int32 index;
    RGBColor color;
};

// A light panel scheme: window face, text, and the edges of raised controls.
constexpr Entry kColors[] = {
    {0, {0.0, 0.0, 0.0}},    // text
    {1, {0.94, 0.94, 0.94}}, // panel face
    {2, {1.0, 1.0, 1.0}},    // field background
    {kUIColorDarkEdge, {0.5, 0.5, 0.5}},
    {kUIColorLightEdge, {0.98, 0.98, 0.98}},
};

} // namespace

bool16 UIColors::GetRGBColor(int32 index, RGBColor* color) const {
    for (const Entry& entry : kColors) {
        if (entry.index == index) {
            if (color)
                *color = entry.color;
            return kTrue;
        }
    }
    return kFalse;
}

CREATE_PMINTERFACE(UIColors, kUIColorsImpl);

} // namespace host::ui
