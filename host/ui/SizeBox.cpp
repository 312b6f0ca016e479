#include "ui/SizeBox.h"

namespace host::ui {

PMPoint DragPanelTo(Boss* panel, PMReal width, PMReal height) {
    IControlView* view = ViewOf(panel);
    if (!view)
        return PMPoint();
    panel->AddRef();
    const PMPoint size = view->ConstrainDimensions(PMPoint(width, height));
    view->Resize(size, kTrue);
    const PMRect frame = view->GetFrame();
    panel->Release();
    return PMPoint(frame.Width(), frame.Height());
}

} // namespace host::ui
