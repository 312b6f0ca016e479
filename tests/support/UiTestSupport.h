// Test support for the host's widgets: a session with the Opal panel shown,
// rows appended as a list user appends them, and an observer that records
// what widgets tell.
#pragma once

#include "HostTestSupport.h"
#include "ISubject.h"
#include "IWidgets.h"
#include "RecordingObserver.h"

#include <string>
#include <vector>

namespace testing_support {

// A session whose Opal panel is shown (built from its layout).
class OpalPanelTest : public HostSessionTest {
protected:
    void SetUp() override;
    host::Boss* Panel() const { return fPanel; }
    host::Boss* Widget(WidgetID id) const;
    host::Boss* List() const;
    // Makes a row from the row template and appends it, as the list utility does.
    host::Boss* AppendRow(const std::string& name, const std::string& opacity);
    PMRect FrameOf(WidgetID id, host::Boss* below = nullptr) const;

private:
    host::Boss* fPanel = nullptr;
};

} // namespace testing_support
