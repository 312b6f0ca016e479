#include "ui/Focus.h"

#include "ui/IconButton.h"
#include "ui/ListBox.h"

namespace host::ui {

namespace {

// Whether the widget's class is `kind` or derives from it.
bool IsA(Host& host, const Boss* widget, ClassID kind) {
    ClassID id = widget->Class();
    for (int depth = 0; depth < 32 && id; ++depth) {
        if (id == kind)
            return true;
        const BossClass* boss = host.Model().FindClass(id);
        if (!boss || boss->parent == id)
            return false;
        id = boss->parent;
    }
    return false;
}

bool TakesFocus(Host& host, const Boss* widget) {
    const IControlView* view = ViewOf(widget);
    if (!view || !view->IsEnabled() || !view->IsVisible())
        return false;
    return IsA(host, widget, kListBoxWidgetBoss) || IsA(host, widget, kSliderComboWidgetBoss) ||
           IsA(host, widget, kIconButtonWidgetBoss) || IsA(host, widget, kOKButtonWidgetBoss);
}

// Depth first, as the layout lists them; a list's rows are the list's.
void Collect(Host& host, const Boss* widget, std::vector<Boss*>& controls) {
    const IControlView* view = ViewOf(widget);
    if (view && !view->IsVisible())
        return;
    if (TakesFocus(host, widget)) {
        controls.push_back(const_cast<Boss*>(widget));
        return;
    }
    for (const Boss* child : ChildrenOf(widget))
        Collect(host, child, controls);
}

void Redraw(const Boss* widget) {
    if (IControlView* view = ViewOf(widget))
        view->Invalidate();
}

} // namespace

Boss* RootOf(const Boss* widget) {
    const Boss* root = widget;
    for (int depth = 0; root && depth < 64; ++depth) {
        const WidgetRecord* record = RecordOf(root);
        if (!record || !record->parent || !RecordOf(record->parent))
            break;
        root = record->parent;
    }
    return const_cast<Boss*>(root);
}

std::vector<Boss*> FocusableControls(Host& host, const Boss* panel) {
    std::vector<Boss*> controls;
    if (panel)
        Collect(host, panel, controls);
    return controls;
}

Boss* FocusOf(Host& host, const Boss* panel) {
    const WidgetRecord* record = RecordOf(panel);
    if (!record || !record->focus)
        return nullptr;
    Boss* control = FindWidget(panel, *record->focus);
    return control && TakesFocus(host, control) ? control : nullptr;
}

bool SetFocus(Host& host, Boss* control) {
    if (!control || !TakesFocus(host, control))
        return false;
    Boss* root = RootOf(control);
    WidgetRecord* record = RecordOf(root);
    const IControlView* view = ViewOf(control);
    if (!record || !view)
        return false;
    Boss* before = FocusOf(host, root);
    if (before == control)
        return true;
    if (before) {
        BlurField(before);
        Redraw(before);
    }
    record->focus = view->GetWidgetID();
    if (EditOf(control))
        FocusField(control);
    Redraw(control);
    return true;
}

bool MoveFocus(Host& host, Boss* panel, bool backwards) {
    const std::vector<Boss*> controls = FocusableControls(host, panel);
    if (controls.empty())
        return false;
    Boss* now = FocusOf(host, panel);
    if (now && FieldTyped(now)) {
        panel->AddRef();
        const FieldEntry entry = FieldKey(host, now, Key{Key::Code::kEnter, {}, false, false});
        panel->Release();
        if (entry == FieldEntry::kRefused)
            return false;
        return MoveFocus(host, panel, backwards); // entering may have changed the controls
    }
    size_t at = controls.size();
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == now)
            at = i;
    const size_t count = controls.size();
    size_t next = 0;
    if (at == count)
        next = backwards ? count - 1 : 0;
    else
        next = backwards ? (at + count - 1) % count : (at + 1) % count;
    return SetFocus(host, controls[next]);
}

KeyResult PanelKey(Host& host, Boss* panel, const Key& key) {
    if (key.code == Key::Code::kTab)
        return MoveFocus(host, panel, key.shift) ? KeyResult::kTaken : KeyResult::kIgnored;
    Boss* control = FocusOf(host, panel);
    if (!control)
        return KeyResult::kIgnored;
    if (EditOf(control)) {
        switch (FieldKey(host, control, key)) {
        case FieldEntry::kIgnored:
            return KeyResult::kIgnored;
        case FieldEntry::kRefused:
            return KeyResult::kRefused;
        default:
            return KeyResult::kTaken;
        }
    }
    if (!ListRows(control).empty() || IsA(host, control, kListBoxWidgetBoss))
        return ListKey(control, key) ? KeyResult::kTaken : KeyResult::kIgnored;
    if (key.code == Key::Code::kSpace || key.code == Key::Code::kEnter)
        return PressButton(control) ? KeyResult::kTaken : KeyResult::kIgnored;
    return KeyResult::kIgnored;
}

} // namespace host::ui
