#include "ui/IconButton.h"

namespace host::ui {

bool PressButton(Boss* button) {
    IControlView* view = ViewOf(button);
    if (!view || !view->IsEnabled() || !view->IsVisible())
        return false;
    Notify(button, kButtonPressedMsg, IID_IBUTTON_PROTOCOL);
    return true;
}

} // namespace host::ui
