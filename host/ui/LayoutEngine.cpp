#include "ui/LayoutEngine.h"

#include "CControlView.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

namespace host::ui {

PMRect ApplyBinding(const PMRect& frame, uint16 binding, PMReal dw, PMReal dh) {
    PMRect result = frame;
    if ((binding & kBindLeft) && (binding & kBindRight)) {
        result.Right(frame.Right() + dw);
    } else if (binding & kBindRight) {
        result.Left(frame.Left() + dw);
        result.Right(frame.Right() + dw);
    }
    if ((binding & kBindTop) && (binding & kBindBottom)) {
        result.Bottom(frame.Bottom() + dh);
    } else if (binding & kBindBottom) {
        result.Top(frame.Top() + dh);
        result.Bottom(frame.Bottom() + dh);
    }
    return result;
}

int InvalidationsOf(const Boss* widget) {
    const WidgetRecord* record = RecordOf(widget);
    return record ? record->invalidations : 0;
}

void LayOutChildren(Host& host, IControlView* view, const PMRect& oldFrame) {
    const PMRect now = view->GetFrame();
    const PMReal dw = now.Width() - oldFrame.Width();
    const PMReal dh = now.Height() - oldFrame.Height();
    for (Boss* child : ChildrenOf(BossOf(host, view))) {
        IControlView* childView = ViewOf(child);
        if (!childView)
            continue;
        // A child may go while its siblings are laid out (a view's own Resize).
        child->AddRef();
        childView->SetFrame(
            ApplyBinding(childView->GetFrame(), childView->GetFrameBinding(), dw, dh), kFalse);
        child->Release();
    }
}

} // namespace host::ui
