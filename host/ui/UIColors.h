// The host's user-interface colours (0x2203 on the session boss).
#pragma once

#include "CPMUnknown.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"

namespace host::ui {

// UI colour numbers the host knows; edge colours of a raised control.
constexpr int32 kUIColorDarkEdge = 6;
constexpr int32 kUIColorLightEdge = 10;

class UIColors : public CPMUnknown<IUIColorUtils> {
public:
    using CPMUnknown<IUIColorUtils>::CPMUnknown;
    bool16 GetRGBColor(int32 index, RGBColor* color) const override;
};

} // namespace host::ui
