// The Opal panel's controller: the list selection shown in the opacity
// field, an entered opacity applied to every selected panel, the two buttons,
// and the notice about greyed panels.
#pragma once

#include "CWidgetObserver.h"
#include "K2Vector.h"

class IOpalAlphaData;
class IOpalPanelTool;
class IPanelControlData;
class IPaletteRegistry;

class OpalPanelWidgetObserver : public CWidgetObserver {
public:
    explicit OpalPanelWidgetObserver(IPMUnknown* boss);
    ~OpalPanelWidgetObserver() override;

    void Update(const ClassID& theChange, ISubject* theSubject, const PMIID& protocol,
                void* changedBy) override;
    void AutoAttach() override;
    void AutoDetach() override;

private:
    struct Context;
    // In ascending order; none without the list.
    K2Vector<int32> SelectedRows() const;
    void ShowSelection(const Context& context);
    void ApplyEnteredOpacity(const Context& context);
    void NoticeClosedPanels(const Context& context);
    void ShowOnOffState(const IPanelControlData* panel);

    // Set once the notice has been scheduled for the current selection.
    bool16 fAlertShown = kFalse;
};
