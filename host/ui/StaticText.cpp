#include "ui/StaticText.h"

namespace host::ui {

CREATE_PMINTERFACE(TextData, kTextDataImpl);

void TextData::SetString(const PMString& text, bool16 invalidate, bool16 notifyOfChange,
                         bool16 forceNotify) {
    const bool changed = text != fText;
    fText = text;
    if (invalidate)
        if (IControlView* view = ViewOf(static_cast<Boss*>(fBoss)))
            view->Invalidate();
    if (notifyOfChange && (changed || forceNotify))
        NotifyChange();
}

void TextData::NotifyChange() {
    Notify(static_cast<Boss*>(fBoss), kTextChangedMsg, IID_ITEXTCONTROLDATA);
}

} // namespace host::ui
