// Gives every host panel an entry in the stored opacity data, so that it can
// be listed and given an opacity. Run each time the Opal panel is shown.
#pragma once

void RegisterPanels();
