#include "ui/UserInterface.h"

#include "core/Layer.h"

namespace host::ui {
namespace {

const LayerRegistration kUserInterfaceLayer({"ui", 20, &DefineClasses});

} // namespace

void DefineClasses(ObjectModel& /*model*/) {}

} // namespace host::ui
