#include "paint/HitTest.h"

#include "HostIDs.h"
#include "ui/ListBox.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace host::paint {

namespace {

bool Inside(const WindowArea& area, Point at) {
    return Rect{double(area.left), double(area.top), double(area.width), double(area.height)}
        .Contains(at.x, at.y);
}

// The part of a front panel's widgets at the point. Places come parents
// first, so a later place lies inside or over an earlier one: from the back,
// the first place a person can use wins, else the innermost one.
Hit WidgetHit(const std::vector<WidgetPlace>& places, Point at, Hit hit) {
    std::map<const Boss*, std::pair<const Boss*, int32>> rowOf; // a row cell: its list, index
    for (const WidgetPlace& place : places)
        if (HostKind(place.widget) == kListBoxWidgetBoss) {
            const std::vector<Boss*> rows = ui::ListRows(place.widget);
            for (size_t i = 0; i < rows.size(); ++i)
                rowOf[rows[i]] = {place.widget, static_cast<int32>(i)};
        }
    const WidgetPlace* innermost = nullptr;
    for (auto place = places.rbegin(); place != places.rend(); ++place) {
        if (!place->shown.Contains(at.x, at.y))
            continue;
        if (HostKind(place->widget) == kListBoxWidgetBoss) {
            // Not a row: the scroll bar, or the space below the rows.
            hit.list = place->widget;
            hit.widget = place->widget;
            hit.area = place->shown;
            if (const auto bar = ScrollBarOf(place->widget, place->box);
                bar && bar->track.Contains(at.x, at.y)) {
                hit.part = Hit::Part::kScrollBar;
                hit.area = bar->track;
                hit.row = at.y < bar->thumb.y ? -1 : at.y >= bar->thumb.Bottom() ? 1 : 0;
                return hit;
            }
            hit.part = Hit::Part::kListSpace;
            return hit;
        }
        if (!innermost)
            innermost = &*place;
        hit.widget = place->widget;
        hit.area = place->shown;
        if (const auto row = rowOf.find(place->widget); row != rowOf.end()) {
            hit.part = Hit::Part::kRow;
            hit.list = row->second.first;
            hit.row = row->second.second;
            return hit;
        }
        switch (HostKind(place->widget)) {
        case kSliderComboWidgetBoss:
            hit.part = Hit::Part::kField;
            return hit;
        case kIconButtonWidgetBoss:
        case kOKButtonWidgetBoss:
            hit.part = Hit::Part::kButton;
            return hit;
        case kSizeBoxWidgetBoss:
            hit.part = Hit::Part::kSizeBox;
            return hit;
        default:
            break;
        }
    }
    if (!innermost)
        return hit;
    hit.part = Hit::Part::kWidget;
    hit.widget = innermost->widget;
    hit.area = innermost->shown;
    return hit;
}

Hit PaletteHit(const PaletteLook& look, Point at) {
    Hit hit;
    hit.part = Hit::Part::kPalette;
    hit.palette = look.area.name;
    hit.area = {double(look.area.left), double(look.area.top), double(look.area.width),
                double(look.area.height)};
    const auto on = [&](const Rect& part) {
        const Rect r = OnScreen(look.area, part);
        if (!r.Contains(at.x, at.y))
            return false;
        hit.area = r;
        return true;
    };
    if (on(look.title)) {
        hit.part = Hit::Part::kTitle;
        return hit;
    }
    if (look.menu.width > 0 && on(look.menu)) {
        hit.part = Hit::Part::kMenuButton;
        hit.panelID = look.groups.front().frontID;
        hit.panel = look.groups.front().widget;
        return hit;
    }
    for (const GroupLook& group : look.groups) {
        for (const TabLook& tab : group.tabs)
            if (on(tab.area)) {
                hit.part = Hit::Part::kTab;
                hit.panelID = tab.panelID;
                return hit;
            }
        if (group.widget && OnScreen(look.area, group.content).Contains(at.x, at.y)) {
            hit.panelID = group.frontID;
            hit.panel = group.widget;
            return WidgetHit(PanelPlaces(look, group), at, hit);
        }
    }
    return hit;
}

Hit DialogHit(const DialogLook& look, Point at) {
    Hit hit;
    hit.part = Hit::Part::kDialog;
    hit.dialog = look.view.root;
    hit.area = {double(look.area.left), double(look.area.top), double(look.area.width),
                double(look.area.height)};
    const std::vector<WidgetPlace> places = DialogPlaces(look);
    for (auto place = places.rbegin(); place != places.rend(); ++place)
        if (HostKind(place->widget) == kOKButtonWidgetBoss && place->shown.Contains(at.x, at.y)) {
            hit.part = Hit::Part::kDialogButton;
            hit.widget = place->widget;
            hit.area = place->shown;
            break;
        }
    return hit;
}

// The layout hands out the host's widgets as it found them; an action changes them.
Boss* Live(const Boss* widget) {
    return const_cast<Boss*>(widget);
}

// The scroll bar of a list of a palette's front panel, on the screen.
std::optional<ScrollBarLook> ScrollBarOn(const ScreenLook& screen, const Boss* list) {
    for (const PaletteLook& look : screen.palettes)
        for (const GroupLook& group : look.groups)
            for (const WidgetPlace& place : PanelPlaces(look, group))
                if (place.widget == list)
                    return ScrollBarOf(list, place.box);
    return std::nullopt;
}

} // namespace

Hit HitTest(const ScreenLook& screen, Point at) {
    for (auto dialog = screen.dialogs.rbegin(); dialog != screen.dialogs.rend(); ++dialog)
        if (Inside(dialog->area, at))
            return DialogHit(*dialog, at);
    for (auto palette = screen.palettes.rbegin(); palette != screen.palettes.rend(); ++palette)
        if (Inside(palette->area, at))
            return PaletteHit(*palette, at);
    return {};
}

std::optional<ui::UserAction> ActionAt(const ScreenLook& screen, Point at) {
    const Hit hit = HitTest(screen, at);
    switch (hit.part) {
    case Hit::Part::kRow:
        return ui::UserAction::Select(Live(hit.list), {hit.row});
    case Hit::Part::kButton:
        return ui::UserAction::Press(Live(hit.widget));
    case Hit::Part::kTab:
        return ui::UserAction::Front(hit.panelID);
    case Hit::Part::kDialogButton:
        return ui::UserAction::PressDialogButton(Live(hit.dialog), Live(hit.widget));
    default:
        return std::nullopt;
    }
}

std::vector<ui::UserAction> PressActions(const ScreenLook& screen, Point at) {
    const Hit hit = HitTest(screen, at);
    std::vector<ui::UserAction> actions;
    if (!hit.palette.empty())
        actions.push_back(ui::UserAction::Raise(hit.palette));
    switch (hit.part) {
    case Hit::Part::kRow:
        actions.push_back(ui::UserAction::Focus(Live(hit.list)));
        actions.push_back(ui::UserAction::Select(Live(hit.list), {hit.row}));
        break;
    case Hit::Part::kListSpace:
        actions.push_back(ui::UserAction::Focus(Live(hit.list)));
        actions.push_back(ui::UserAction::Select(Live(hit.list), {}));
        break;
    case Hit::Part::kScrollBar:
        if (hit.row != 0) {
            const ui::ListScroll scroll = ui::ScrollOf(hit.list);
            actions.push_back(
                ui::UserAction::Wheel(Live(hit.list), hit.row * std::max(1, scroll.inView - 1)));
        }
        break;
    case Hit::Part::kField:
        actions.push_back(ui::UserAction::Focus(Live(hit.widget)));
        break;
    case Hit::Part::kButton:
        actions.push_back(ui::UserAction::Focus(Live(hit.widget)));
        actions.push_back(ui::UserAction::ButtonDown(Live(hit.widget)));
        break;
    default:
        if (auto action = ActionAt(screen, at))
            actions.push_back(*action);
        break;
    }
    return actions;
}

AlertPart AlertHitTest(const AlertLook& look, Point at) {
    if (look.titleBar.Contains(at.x, at.y))
        return AlertPart::kTitle;
    if (look.offered && (look.check.Contains(at.x, at.y) || look.checkLabel.Contains(at.x, at.y)))
        return AlertPart::kCheck;
    if (look.ok.Contains(at.x, at.y))
        return AlertPart::kOK;
    return AlertPart::kNothing;
}

bool AlertKey(const AlertLook& look, AlertState& state, const ui::Key& key) {
    using Code = ui::Key::Code;
    switch (key.code) {
    case Code::kEscape:
    case Code::kEnter:
        return true;
    case Code::kSpace:
        if (state.focus == 1 && look.offered) {
            state.checked = !state.checked;
            return false;
        }
        return state.focus == 2;
    case Code::kTab:
        if (look.offered)
            state.focus = state.focus == 1 ? 2 : 1;
        return false;
    default:
        return false;
    }
}

std::optional<ui::UserAction> WheelAt(const ScreenLook& screen, Point at, int32 rows) {
    const Hit hit = HitTest(screen, at);
    if (!hit.list)
        return std::nullopt;
    return ui::UserAction::Wheel(Live(hit.list), rows);
}

std::optional<ThumbGrab> GrabThumb(const ScreenLook& screen, Point at) {
    const Hit hit = HitTest(screen, at);
    if (hit.part != Hit::Part::kScrollBar || hit.row != 0)
        return std::nullopt;
    return ThumbGrab{hit.list, at.y, ui::ScrollOf(hit.list).first};
}

std::optional<ui::UserAction> DragThumb(const ScreenLook& screen, const ThumbGrab& grab, Point at) {
    const auto bar = grab.list ? ScrollBarOn(screen, grab.list) : std::nullopt;
    if (!bar)
        return std::nullopt;
    const ui::ListScroll scroll = ui::ScrollOf(grab.list);
    const int32 scrollable = scroll.rows - scroll.inView;
    const double travel = bar->track.height - bar->thumb.height;
    if (scrollable <= 0 || travel <= 0)
        return std::nullopt;
    const auto first =
        static_cast<int32>(std::lround(grab.first + (at.y - grab.y) * scrollable / travel));
    const int32 target = std::clamp(first, 0, scrollable);
    if (target == scroll.first)
        return std::nullopt;
    return ui::UserAction::Wheel(Live(grab.list), target - scroll.first);
}

std::optional<ui::UserAction> DoubleClickAt(const ScreenLook& screen, Point at) {
    const Hit hit = HitTest(screen, at);
    if (hit.part == Hit::Part::kRow)
        return ui::UserAction::DoubleClick(Live(hit.list), hit.row);
    return ActionAt(screen, at);
}

} // namespace host::paint
