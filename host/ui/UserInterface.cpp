#include "ui/UserInterface.h"

#include "core/Host.h"
#include "core/Layer.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

namespace host::ui {
namespace {

const LayerRegistration kUserInterfaceLayer({"ui", 20, &DefineClasses, nullptr, nullptr, nullptr,
                                             &InstallWidgetHooks});

} // namespace

void DefineClasses(ObjectModel& model) {
    DefineWidgetClasses(model);
}

} // namespace host::ui
