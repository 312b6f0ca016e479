// Where a person clicks:
//   print places
// `place KIND "NAME" X Y W H` a line, in screen pixels: every shown palette
// (its window, title bar, menu button and tabs), the Opal panel's rows,
// field, buttons and size box while it is shown, and the open dialog with its
// buttons. Laid out as the screen is drawn, text measured by this build's
// own painter, so the tabs of the two builds may differ by their fonts.
#include "HostIDs.h"
#include "OpalID.h"
#include "paint/Layout.h"
#include "script/Commands.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

#include <cstdio>
#include <map>
#include <ostream>

namespace host {
namespace {

using paint::Rect;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void Place(std::ostream& out, const char* kind, const std::string& name, const Rect& area) {
    out << "place " << kind << " \"" << name << "\" " << Number(area.x) << " " << Number(area.y)
        << " " << Number(area.width) << " " << Number(area.height) << "\n";
}

void PrintPalette(std::ostream& out, const paint::PaletteLook& look) {
    const paint::WindowArea& area = look.area;
    Place(out, "palette", area.name,
          {double(area.left), double(area.top), double(area.width), double(area.height)});
    Place(out, "title", area.name, paint::OnScreen(area, look.title));
    if (look.menu.width > 0)
        Place(out, "menu", area.name, paint::OnScreen(area, look.menu));
    for (const paint::GroupLook& group : look.groups)
        for (const paint::TabLook& tab : group.tabs)
            Place(out, "tab", tab.name, paint::OnScreen(area, tab.area));
}

// The Opal panel's parts, where its palette shows them; a row scrolled out
// of the list has no place.
void PrintOpal(std::ostream& out, const paint::PaletteLook& look, const paint::GroupLook& group) {
    std::map<const Boss*, Rect> shown;
    const Boss* sizeBox = nullptr;
    for (const paint::WidgetPlace& place : paint::PanelPlaces(look, group)) {
        shown[place.widget] = place.shown;
        if (!sizeBox && paint::HostKind(place.widget) == kSizeBoxWidgetBoss)
            sizeBox = place.widget;
    }
    const auto print = [&](const char* kind, const std::string& name, const Boss* widget) {
        const auto found = shown.find(widget);
        if (widget && found != shown.end() && found->second.width > 0)
            Place(out, kind, name, found->second);
    };
    const std::vector<Boss*> rows =
        ui::ListRows(ui::FindWidget(group.widget, kOpalPanelListWidgetID));
    for (std::size_t i = 0; i < rows.size(); ++i)
        print("row", std::to_string(i), rows[i]);
    print("field", "opacity", ui::FindWidget(group.widget, kOpalOpacitySliderWidgetID));
    print("button", "onoff", ui::FindWidget(group.widget, kOpalOnOffButtonWidgetID));
    print("button", "swap", ui::FindWidget(group.widget, kOpalSwapContentButtonWidgetID));
    print("sizebox", "opal", sizeBox);
}

void PrintDialog(std::ostream& out, const paint::DialogLook& look) {
    const paint::WindowArea& area = look.area;
    Place(out, "dialog", look.view.title,
          {double(area.left), double(area.top), double(area.width), double(area.height)});
    for (const paint::WidgetPlace& place : paint::DialogPlaces(look))
        if (paint::HostKind(place.widget) == kOKButtonWidgetBoss && place.shown.width > 0)
            Place(out, "button", ui::TextOf(place.widget), place.shown);
}

void PrintPlaces(std::ostream& out, const Host& host) {
    const auto measure = paint::NewScreenTextMeasure();
    const paint::ScreenLook screen = paint::LayOut(host, *measure);
    const auto opal = host.Get<ui::PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
    for (const paint::PaletteLook& look : screen.palettes) {
        PrintPalette(out, look);
        for (const paint::GroupLook& group : look.groups)
            if (opal && group.frontID == *opal && group.widget)
                PrintOpal(out, look, group);
    }
    for (const paint::DialogLook& dialog : screen.dialogs)
        PrintDialog(out, dialog);
}

} // namespace

void PrintPlacesCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    PrintPlaces(c.out, c.session.GetHost());
}

} // namespace host
