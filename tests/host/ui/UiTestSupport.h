// Test support for the host's widgets: a session with the Opal panel shown,
// rows appended as a list user appends them, and an observer that records
// what widgets tell.
#pragma once

#include "HostTestSupport.h"
#include "ISubject.h"
#include "IWidgets.h"

#include <string>
#include <vector>

namespace testing_support {

struct Heard {
    ClassID change;
    PMIID protocol;
    bool operator==(const Heard& o) const { return change == o.change && protocol == o.protocol; }
};

// Records every change of the subjects it is attached to. Not a boss: the
// test owns it and detaches it before it goes.
class RecordingObserver : public IObserver {
public:
    IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}
    void Update(const ClassID& change, ISubject*, const PMIID& protocol, void*) override {
        heard.push_back({change, protocol});
    }
    void AutoAttach() override {}
    void AutoDetach() override {}
    void SetAttachIID(PMIID) override {}
    PMIID GetAttachIID() const override { return 0x7777; }
    void SetEnabled(bool16) override {}
    bool16 IsEnabled() const override { return kTrue; }

    // Attaches to the widget's subject for `protocol`; detached at destruction.
    void Listen(host::Boss* widget, PMIID protocol);
    ~RecordingObserver() override;

    std::vector<Heard> heard;

private:
    std::vector<std::pair<ISubject*, PMIID>> fSubjects;
};

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

// What an opalhost script printed and its exit status, run in a fresh session
// with the plug-in on an empty host world.
struct Result {
    int status;
    std::string out;
    std::string err;
};
Result RunScript(const std::string& script);

} // namespace testing_support
