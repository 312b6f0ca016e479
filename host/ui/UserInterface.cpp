#include "ui/UserInterface.h"

#include "core/Host.h"
#include "core/Layer.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

namespace host::ui {
namespace {

void HostCreated(Host& host) {
    InstallWidgetHooks(host);
    auto panels = std::move(host.onPluginLoaded);
    host.onPluginLoaded = [panels](const LoadedPlugin& plugin) {
        if (panels)
            panels(plugin);
        ActionManager::Get().Register(plugin);
    };
}

// Dialogs are built from the plug-ins' code: none may outlive the session.
void ApplicationEnding() {
    DialogManager::Get().CloseAll();
}

const LayerRegistration kUserInterfaceLayer({"ui", 20, &DefineClasses, nullptr, nullptr,
                                             &ApplicationEnding, &HostCreated});

} // namespace

void DefineClasses(ObjectModel& model) {
    DefineWidgetClasses(model);
    DefineDialogClasses(model);
}

} // namespace host::ui
