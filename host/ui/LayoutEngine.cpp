#include "ui/LayoutEngine.h"

#include "CControlView.h"
#include "core/Host.h"
#include "core/Layer.h"
#include "ui/Widgets.h"

namespace host::ui {
namespace {
long gInvalidations = 0;
} // namespace

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

long InvalidationCount() {
    return gInvalidations;
}

int InvalidationsOf(const Boss* widget) {
    const WidgetRecord* record = RecordOf(widget);
    return record ? record->invalidations : 0;
}

} // namespace host::ui

using namespace host::ui;

// Widgets are drawn when the host asks them to (print bar, pictures); a redraw
// request is counted so that tests and the host can see it was made.
void InvalidateWidget(const IControlView* view) {
    ++gInvalidations;
    host::Boss* boss = BossOf(view);
    if (WidgetRecord* record = RecordOf(boss))
        ++record->invalidations;
    // A window that shows the widget draws it again.
    if (host::Host* running = host::Host::Running())
        running->Notify(&host::Layer::WidgetRedrawn, static_cast<const host::Boss*>(boss));
}

void LayoutWidgetChildren(IControlView* view, const PMRect& oldFrame) {
    const PMRect now = view->GetFrame();
    const PMReal dw = now.Width() - oldFrame.Width();
    const PMReal dh = now.Height() - oldFrame.Height();
    for (host::Boss* child : ChildrenOf(BossOf(view))) {
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
