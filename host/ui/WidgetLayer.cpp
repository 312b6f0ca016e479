// The widget classes of the host: what each kind of widget carries.
#include "DataInterfaces.h"
#include "core/HostClasses.h"
#include "ui/Widgets.h"

namespace host::ui {

void DefineWidgetClasses(ObjectModel& model) {
    const InterfacePairs widget = {{IID_ICONTROLVIEW, kWidgetViewImpl},
                                   {IID_IWIDGETPARENT, kWidgetRecordImpl},
                                   {IID_ISUBJECT, kSubjectImpl}};
    auto with = [&widget](InterfacePairs more) {
        more.insert(more.begin(), widget.begin(), widget.end());
        return more;
    };
    const InterfacePairs container =
        with({{IID_IPANELCONTROLDATA, kWidgetChildrenImpl}, {IID_ITEXTCONTROLDATA, kTextDataImpl}});
    for (ClassID id : {kErasablePanelWidgetBoss, kGenericPanelWidgetBoss, kScrollPanelWidgetBoss,
                       kGroupPanelWidgetBoss})
        model.DefineClass(id, 0, container, "host");
    InterfacePairs cell = container;
    cell.emplace_back(IID_IEVENTHANDLER, kEventHandlerImpl);
    model.DefineClass(kCellPanelWidgetBoss, 0, cell, "host");
    InterfacePairs list = container;
    list.insert(list.end(), {{IID_ILISTCONTROLDATA, kListDataImpl},
                             {IID_ILISTSELECTION, kListSelectionImpl},
                             {IID_ILISTBOXCONTROLLER_UPDATE, kListRowsChangeImpl}});
    model.DefineClass(kListBoxWidgetBoss, 0, list, "host");
    model.DefineClass(kStaticTextWidgetBoss, 0, with({{IID_ITEXTCONTROLDATA, kTextDataImpl}}),
                      "host");
    model.DefineClass(kSliderComboWidgetBoss, 0, with({{IID_ITEXTCONTROLDATA, kFieldTextDataImpl}}),
                      "host");
    model.DefineClass(kIconButtonWidgetBoss, 0, widget, "host");
    model.DefineClass(kSizeBoxWidgetBoss, 0, widget, "host");

    model.DefineClass(kViewPortBoss, 0,
                      {{IID_IVIEWPORT, kViewPortImpl}, {IID_IGRAPHICSPORT, kGraphicsPortImpl}},
                      "host");
    // Every host panel object is a container: a plug-in's panel widget sits in one.
    model.AddIns(kPanelBoss, {{IID_IPANELCONTROLDATA, kWidgetChildrenImpl}}, "host");
    model.AddIns(kSessionBoss, {{IID_IUICOLORUTILS, kUIColorsImpl}}, "host");
    model.AddIns(kWorkspaceBoss, {{IID_IALERTMEMORY, kAlertMemoryImpl}}, "host");
}

} // namespace host::ui
