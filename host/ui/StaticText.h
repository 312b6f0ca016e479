// The text of static texts, group strips and fields (0x603). A text set with
// notification is told on the widget's subject; a field tells its own change
// (see SliderCombo.h).
#pragma once

#include "ui/Widgets.h"

namespace host::ui {

class TextData : public CPMUnknown<ITextControlData> {
public:
    using CPMUnknown<ITextControlData>::CPMUnknown;
    void SetString(const PMString& text, bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue,
                   bool16 forceNotify = kTrue) override;
    PMString GetString() const override { return fText; }

protected:
    // What the widget tells its observers when its text was set with notification.
    virtual void NotifyChange();

private:
    PMString fText;
};

} // namespace host::ui
