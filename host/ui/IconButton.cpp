#include "ui/IconButton.h"

#include "ResourceTypes.h"
#include "core/Text.h"
#include "resources/Resources.h"

namespace host::ui {

bool PressButton(Boss* button) {
    IControlView* view = ViewOf(button);
    if (!view || !view->IsEnabled() || !view->IsVisible())
        return false;
    Notify(button, kButtonPressedMsg, IID_IBUTTON_PROTOCOL);
    return true;
}

std::optional<std::string> TipOf(const Host& host, const Boss* widget) {
    const IControlView* view = ViewOf(widget);
    if (!view)
        return std::nullopt;
    const WidgetID id = view->GetWidgetID();
    for (const auto& plugin : host.Plugins())
        for (const Bytes* bytes : plugin->resources.OfType(kTipsRsrcType)) {
            const auto tips = DecodeTips(*bytes);
            if (!tips)
                continue;
            for (const TipDef& tip : *tips)
                if (tip.widget == id) {
                    const auto text = host.TranslateKey(UTF8ToUTF16(tip.key));
                    return text ? UTF16ToUTF8(*text) : tip.key;
                }
        }
    return std::nullopt;
}

} // namespace host::ui
